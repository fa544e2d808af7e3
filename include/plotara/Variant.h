// Variant: the value type of the by-name interface. It holds what an automation host passes and
// receives (Empty, Boolean, Byte, Integer, Long, Single, Double, String, arrays of String) and converts
// between them as such a host does: a text that is not a number raises 13, a value out of range 6.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace plotara {

enum class VarType {
  Empty,
  Missing,
  Boolean,
  Byte,
  Integer,
  Long,
  Single,
  Double,
  String,
  StringArray,
  Variant
};

std::string_view VarTypeName(VarType t) noexcept;

class Variant {
 public:
  Variant() = default;
  Variant(bool v) : v_(v) {}
  Variant(uint8_t v) : v_(v) {}
  Variant(int16_t v) : v_(v) {}
  Variant(int32_t v) : v_(v) {}
  Variant(float v) : v_(v) {}
  Variant(double v) : v_(v) {}
  Variant(const char* v) : v_(std::string(v)) {}
  Variant(std::string v) : v_(std::move(v)) {}
  Variant(std::vector<std::string> v) : v_(std::move(v)) {}

  // An argument left out by the caller (an empty place in an argument list).
  static Variant Missing() {
    Variant v;
    v.v_ = MissingTag{};
    return v;
  }

  VarType Type() const noexcept;
  bool IsEmpty() const noexcept { return Type() == VarType::Empty; }
  bool IsMissing() const noexcept { return Type() == VarType::Missing; }

  double ToDouble() const;    // 13 for text that is not a number or for an array
  float ToSingle() const;     // as ToDouble, then 6 when it does not fit
  int16_t ToInteger() const;  // half to even, 6 outside the range
  int32_t ToLong() const;
  uint8_t ToByte() const;
  bool ToBoolean() const;        // nonzero is true; "True"/"False" texts
  std::string ToString() const;  // numbers in their shortest round-trip text, Booleans True/False
  const std::vector<std::string>& ToStringArray() const;  // 13 unless an array

  // The value converted to the given type (VarType::Variant keeps it as it is).
  Variant ConvertTo(VarType t) const;

  bool operator==(const Variant& o) const = default;

 private:
  struct MissingTag {
    bool operator==(const MissingTag&) const = default;
  };
  std::variant<std::monostate, MissingTag, bool, uint8_t, int16_t, int32_t, float, double, std::string,
               std::vector<std::string>>
      v_;
};

// Shortest text that reads back to the same value: 0.1, 1.02, -3, 1e+21.
std::string NumberToText(double v);
std::string NumberToText(float v);

// Reads a number the way an automation host converts text: optional blanks and sign, decimal digits
// with point and exponent, or &H hexadecimal / &O octal (up to 32 bits, two's complement).
// Returns false when the text is not a number.
bool TextToNumber(std::string_view text, double& out);

}  // namespace plotara
