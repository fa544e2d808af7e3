// ExprValue: the evaluator's own value type. A small tagged union (empty, 16-bit integer, 32-bit integer,
// double, string, or a reference to a variable's value) kept separate from the control's Variant so that
// evaluation copies 16 bytes of tag and payload for numbers and touches the string only when there is one.
#pragma once

#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <utility>

namespace plotara {

enum class ExprType : uint8_t { Empty, Integer, Long, Double, String, VarRef };

class ExprValue {
 public:
  ExprValue() noexcept : type_(ExprType::Empty), d_(0) {}
  ExprValue(double v) noexcept : type_(ExprType::Double), d_(v) {}
  ExprValue(int32_t v) noexcept : type_(ExprType::Long), l_(v) {}
  ExprValue(int16_t v) noexcept : type_(ExprType::Integer), i_(v) {}
  ExprValue(std::string v) : type_(ExprType::String) { new (&s_) std::string(std::move(v)); }
  ExprValue(std::string_view v) : ExprValue(std::string(v)) {}
  ExprValue(const char* v) : ExprValue(std::string(v)) {}

  ExprValue(const ExprValue& o) : type_(o.type_) { CopyPayload(o); }
  ExprValue(ExprValue&& o) noexcept : type_(o.type_) { MovePayload(std::move(o)); }
  ExprValue& operator=(const ExprValue& o) {
    if (this == &o) return *this;
    if (type_ == ExprType::String && o.type_ == ExprType::String) {
      s_ = o.s_;
      return *this;
    }
    Release();
    CopyPayload(o);
    type_ = o.type_;
    return *this;
  }
  ExprValue& operator=(ExprValue&& o) noexcept {
    if (this == &o) return *this;
    Release();
    MovePayload(std::move(o));
    type_ = o.type_;
    return *this;
  }
  ExprValue& operator=(double v) noexcept {
    Release();
    type_ = ExprType::Double;
    d_ = v;
    return *this;
  }
  ~ExprValue() { Release(); }

  ExprType Type() const noexcept { return type_; }
  bool IsEmpty() const noexcept { return type_ == ExprType::Empty; }
  bool IsString() const noexcept { return type_ == ExprType::String; }
  bool IsNumeric() const noexcept {
    return type_ == ExprType::Integer || type_ == ExprType::Long || type_ == ExprType::Double;
  }

  // The value a reference stands for (itself when it is not a reference).
  const ExprValue& Deref() const noexcept { return type_ == ExprType::VarRef ? *ref_ : *this; }

  // Payload accessors; each expects the matching type.
  double DoubleValue() const noexcept { return d_; }
  int32_t LongValue() const noexcept { return l_; }
  int16_t IntegerValue() const noexcept { return i_; }
  const std::string& StringValue() const noexcept { return s_; }
  // Address of the double payload; stable for the life of the value, whatever is assigned to it later.
  const double* DoubleSlot() const noexcept { return &d_; }

  // Any numeric type as a double; Empty is 0. Strings and references give 0 (see ToNumber for text).
  double Number() const noexcept {
    switch (type_) {
      case ExprType::Double:
        return d_;
      case ExprType::Long:
        return l_;
      case ExprType::Integer:
        return i_;
      default:
        return 0;
    }
  }

  // Same type and same payload (references compare by target).
  bool operator==(const ExprValue& o) const noexcept;

 private:
  friend class CExpression;  // only compiled programs refer to variables

  // A reference to a variable's value: operations read through it.
  static ExprValue Ref(const ExprValue* target) noexcept {
    ExprValue v;
    v.type_ = ExprType::VarRef;
    v.ref_ = target;
    return v;
  }

  void Release() noexcept {
    if (type_ == ExprType::String) s_.~basic_string();
    type_ = ExprType::Empty;
  }
  void CopyPayload(const ExprValue& o) {
    if (o.type_ == ExprType::String) {
      new (&s_) std::string(o.s_);
    } else {
      CopyScalar(o);
    }
  }
  void MovePayload(ExprValue&& o) noexcept {
    if (o.type_ == ExprType::String) {
      new (&s_) std::string(std::move(o.s_));
    } else {
      CopyScalar(o);
    }
  }
  void CopyScalar(const ExprValue& o) noexcept {
    switch (o.type_) {
      case ExprType::Long:
        l_ = o.l_;
        break;
      case ExprType::Integer:
        i_ = o.i_;
        break;
      case ExprType::VarRef:
        ref_ = o.ref_;
        break;
      default:
        d_ = o.d_;
        break;
    }
  }

  ExprType type_;
  union {
    double d_;
    int32_t l_;
    int16_t i_;
    const ExprValue* ref_;
    std::string s_;
  };
};

// Text of a number as the evaluator shows it in RPNExpression, "&" and the string functions: the
// shortest text that reads back to the same double, with "." as decimal point whatever the locale
// (0.1, 64, -3, 1e+21). Minus zero is "0".
std::string GeneralNumberText(double v);

// A value as text: Empty is "", numbers as GeneralNumberText, strings as they are.
std::string ToText(const ExprValue& v);

// Reads text as a number: blanks around, an optional sign, decimal digits with an optional point and an
// optional exponent (E or D). Returns false when the text is not such a number or overflows a double.
bool ParseNumber(std::string_view text, double& out);

// Converts plain decimal text (digits, an optional point and digits, an optional "e" exponent) to a
// double without regard to locale. A number too small for a double gives 0; text with no digits before
// the exponent gives 0. Returns false when the number is too large for a double.
bool DecimalToDouble(std::string_view text, double& out);

// A value as a number: numbers as they are, Empty as 0, text through ParseNumber. False for text that is
// not a number.
bool ToNumber(const ExprValue& v, double& out);

}  // namespace plotara
