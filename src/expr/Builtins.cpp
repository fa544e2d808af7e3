// Operators and built-in functions on values, for the general interpreter.
//
//   Conversions     whole numbers, integer results, ordering of mixed values
//   Operators       arithmetic, comparisons, logic, "&"
//   Functions       numeric, string and three-argument functions
//   Execute         one instruction
//   Factorial
//
// Rules where numbers meet text or integers: "+" joins two texts; otherwise text is read as a number
// (13 when it is not one). Arithmetic on 16- and 32-bit integers gives an integer as wide as the result
// needs (16-bit only when both operands are 16-bit), a double beyond 32 bits. Text compares with text
// byte by byte; text compares with a number as a number when it reads as one, otherwise the number is the
// smaller. Empty counts as 0, or as "" next to text.
#include <algorithm>
#include <cmath>

#include "expr/CExpression.h"
#include "expr/Kernels.h"
#include "expr/Symbols.h"
#include "platform/RuntimeError.h"

namespace plotara {

namespace {

using kernels::kEvaluationError;
using kernels::kOk;

constexpr int kTypeMismatch = err::TypeMismatch;
constexpr int kInvalidArgument = err::InvalidProcedureCall;
constexpr int kOutOfStringSpace = 14;

// ---- Conversions ----

bool IsIntegerLike(const ExprValue& v) {
  return v.Type() == ExprType::Integer || v.Type() == ExprType::Long || v.Type() == ExprType::Empty;
}
bool IsShortLike(const ExprValue& v) { return v.Type() == ExprType::Integer || v.Type() == ExprType::Empty; }
int64_t IntegerOf(const ExprValue& v) {
  return v.Type() == ExprType::Long ? v.LongValue() : (v.Type() == ExprType::Integer ? v.IntegerValue() : 0);
}

// An integer result: 16-bit when allowed and it fits, else 32-bit when it fits, else a double.
ExprValue IntegerResult(double v, bool allowShort) {
  if (allowShort && v >= -32768 && v <= 32767) return ExprValue(static_cast<int16_t>(v));
  if (v >= -2147483648.0 && v <= 2147483647.0) return ExprValue(static_cast<int32_t>(v));
  return ExprValue(v);
}

// The nearest whole number (halves to even) as a 32-bit integer.
int WholeNumber(const ExprValue& v, int32_t& out) {
  double x;
  if (!ToNumber(v, x)) return kTypeMismatch;
  const double r = std::nearbyint(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) return err::Overflow;
  out = static_cast<int32_t>(r);
  return kOk;
}

int TextResult(std::string s, ExprValue& out) {
  if (s.size() > CExpression::kMaxTextLength) return kOutOfStringSpace;
  out = ExprValue(std::move(s));
  return kOk;
}

enum class Order { Less, Equal, Greater, Unordered };

Order CompareNumbers(double a, double b) {
  if (a < b) return Order::Less;
  if (a > b) return Order::Greater;
  if (a == b) return Order::Equal;
  return Order::Unordered;
}

Order CompareValues(const ExprValue& l, const ExprValue& r) {
  const bool ls = l.IsString(), rs = r.IsString();
  if (ls || rs) {
    if ((ls || l.IsEmpty()) && (rs || r.IsEmpty())) {
      const int c = ToText(l).compare(ToText(r));
      return c < 0 ? Order::Less : (c > 0 ? Order::Greater : Order::Equal);
    }
    const ExprValue& text = ls ? l : r;
    double t;
    if (!ParseNumber(text.StringValue(), t)) return ls ? Order::Greater : Order::Less;
    return ls ? CompareNumbers(t, r.Number()) : CompareNumbers(l.Number(), t);
  }
  return CompareNumbers(l.Number(), r.Number());
}

// ---- Operators ----

int Arithmetic(int code, const ExprValue& l, const ExprValue& r, ExprValue& out) {
  if (code == sym::Add && (l.IsString() || r.IsString()) && (l.IsString() || l.IsEmpty()) &&
      (r.IsString() || r.IsEmpty())) {
    return TextResult(ToText(l) + ToText(r), out);
  }
  if (IsIntegerLike(l) && IsIntegerLike(r)) {
    const int64_t a = IntegerOf(l), b = IntegerOf(r);
    const int64_t v = code == sym::Add ? a + b : (code == sym::Sub ? a - b : a * b);
    out = IntegerResult(static_cast<double>(v), IsShortLike(l) && IsShortLike(r));
    return kOk;
  }
  double a, b, v = 0;
  if (!ToNumber(l, a) || !ToNumber(r, b)) return kTypeMismatch;
  const int s = code == sym::Add ? kernels::Add(a, b, v)
                                 : (code == sym::Sub ? kernels::Sub(a, b, v) : kernels::Mul(a, b, v));
  out = ExprValue(v);
  return s;
}

bool Holds(int code, Order o) {
  switch (code) {
    case sym::Eq: return o == Order::Equal;
    case sym::Ne: return o != Order::Equal;
    case sym::Le: return o == Order::Less || o == Order::Equal;
    case sym::Lt: return o == Order::Less;
    case sym::Ge: return o == Order::Greater || o == Order::Equal;
    default: return o == Order::Greater;
  }
}

ExprValue Flag(bool b) { return ExprValue(static_cast<int16_t>(b ? 1 : 0)); }

double Sign(double x) { return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0); }

// ABS, INT, FIX, ROUND and unary minus keep an integer an integer (wider when the result needs it).
int IntegerPreserving(int code, const ExprValue& x, ExprValue& out) {
  if (IsIntegerLike(x)) {
    int64_t v = IntegerOf(x);
    if (code == sym::Negate) v = -v;
    if (code == sym::Abs && v < 0) v = -v;
    out = IntegerResult(static_cast<double>(v), IsShortLike(x));
    return kOk;
  }
  double d;
  if (!ToNumber(x, d)) return kTypeMismatch;
  switch (code) {
    case sym::Negate: d = -d; break;
    case sym::Abs: d = std::fabs(d); break;
    case sym::Int: d = std::floor(d); break;
    case sym::Fix: d = std::trunc(d); break;
    default: d = std::nearbyint(d); break;
  }
  out = ExprValue(d);
  return kOk;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// Execute

int CExpression::SetEvaluationError(std::string description) {
  errorCode_ = 5;
  errorDescription_ = std::move(description);
  return kEvaluationError;
}

int CExpression::Execute(const Instruction& in, ExprValue& acc, ExprValue* stack, size_t& sp) {
  const int code = in.Code;
  ExprValue result;
  int status = kOk;

  // ---- constants: push the accumulator, load ----
  if (code >= sym::Pi && code <= sym::Rad) {
    stack[sp++] = std::move(acc);
    acc = ExprValue(code == sym::Pi ? kernels::kPi15
                                    : (code == sym::Deg ? kernels::DegConstant() : kernels::RadConstant()));
    return kOk;
  }
  if (sym::IsUserFunction(code)) return CallUserFunction(in, acc, stack, sp);

  // ---- three arguments: stack[sp - 2], stack[sp - 1], accumulator ----
  if (code == sym::Iif || code == sym::Mid || code == sym::Instr) {
    const ExprValue& a = stack[sp - 2].Deref();
    const ExprValue& b = stack[sp - 1].Deref();
    const ExprValue& c = acc.Deref();
    if (code == sym::Iif) {
      double cond;
      if (!ToNumber(a, cond)) return kTypeMismatch;
      result = cond > 0 ? b : c;
    } else if (code == sym::Mid) {
      int32_t start, length;
      if ((status = WholeNumber(b, start)) || (status = WholeNumber(c, length))) return status;
      if (start < 1 || length < 0) return kInvalidArgument;
      const std::string text = ToText(a);
      result = static_cast<size_t>(start) > text.size() ? ExprValue(std::string())
                                                        : ExprValue(text.substr(start - 1, length));
    } else {
      int32_t start;
      if ((status = WholeNumber(a, start))) return status;
      if (start < 1) return kInvalidArgument;
      const size_t found = ToText(b).find(ToText(c), static_cast<size_t>(start) - 1);
      result = ExprValue(static_cast<int32_t>(found == std::string::npos ? 0 : found + 1));
    }
    sp -= 2;
    acc = std::move(result);
    return kOk;
  }

  // ---- two operands: left = stack top, right = accumulator ----
  if ((code >= sym::Pow && code <= sym::Concat) || (code >= sym::Min && code <= sym::Npr) ||
      (code >= sym::String && code <= sym::Right)) {
    const ExprValue& l = stack[sp - 1].Deref();
    const ExprValue& r = acc.Deref();
    switch (code) {
      case sym::Add:
      case sym::Sub:
      case sym::Mul: status = Arithmetic(code, l, r, result); break;
      case sym::Eq:
      case sym::Ne:
      case sym::Le:
      case sym::Lt:
      case sym::Ge:
      case sym::Gt: result = Flag(Holds(code, CompareValues(l, r))); break;
      case sym::Min: result = CompareValues(l, r) == Order::Less ? l : r; break;
      case sym::Max: result = CompareValues(l, r) == Order::Greater ? l : r; break;
      case sym::Concat: status = TextResult(ToText(l) + ToText(r), result); break;
      case sym::String: {
        int32_t count, charCode;
        if ((status = WholeNumber(l, count))) break;
        if (count < 0) return kInvalidArgument;
        char c;
        if (r.IsString()) {
          if (r.StringValue().empty()) return kInvalidArgument;
          c = r.StringValue()[0];
        } else {
          if ((status = WholeNumber(r, charCode))) break;
          if (charCode < 0 || charCode > 255) return kInvalidArgument;
          c = static_cast<char>(charCode);
        }
        if (static_cast<size_t>(count) > kMaxTextLength) return kOutOfStringSpace;
        result = ExprValue(std::string(static_cast<size_t>(count), c));
        break;
      }
      case sym::Left:
      case sym::Right: {
        int32_t n;
        if ((status = WholeNumber(r, n))) break;
        if (n < 0) return kInvalidArgument;
        const std::string text = ToText(l);
        const size_t take = std::min(text.size(), static_cast<size_t>(n));
        result = ExprValue(code == sym::Left ? text.substr(0, take) : text.substr(text.size() - take));
        break;
      }
      default: {
        double a, b, v = 0;
        if (!ToNumber(l, a) || !ToNumber(r, b)) return kTypeMismatch;
        switch (code) {
          case sym::Pow:
            if ((status = kernels::Pow(a, b, v)) == kEvaluationError) {
              return SetEvaluationError("(" + NumberText(a) + ") ^ " + NumberText(b));
            }
            result = ExprValue(v);
            break;
          case sym::Div:
            if ((status = kernels::Div(a, b, v)) == kEvaluationError) return SetEvaluationError("Div by zero");
            result = ExprValue(v);
            break;
          case sym::IntDiv:
            if ((status = kernels::IntDiv(a, b, v)) == kEvaluationError) {
              return SetEvaluationError("Div by zero");
            }
            result = IntegerResult(v, IsShortLike(l) && IsShortLike(r));
            break;
          case sym::Mod:
          case sym::Bar:
            status = kernels::Mod(a, b, v);
            result = IntegerResult(v, IsShortLike(l) && IsShortLike(r));
            break;
          case sym::And: result = Flag(a > 0 && b > 0); break;
          case sym::Or: result = Flag(a > 0 || b > 0); break;
          case sym::Xor: result = Flag((a > 0) != (b > 0)); break;
          case sym::Ncr:
          case sym::Npr:
            status = code == sym::Ncr ? kernels::Ncr(a, b, v) : kernels::Npr(a, b, v);
            if (status == kEvaluationError) {
              return SetEvaluationError((code == sym::Ncr ? "nCr(" : "nPr(") + NumberText(a) + "," +
                                        NumberText(b) + ")");
            }
            result = ExprValue(v);
            break;
          default: return kInvalidArgument;
        }
      }
    }
    if (status != kOk) return status;
    --sp;
    acc = std::move(result);
    return kOk;
  }

  // ---- one operand: the accumulator ----
  const ExprValue& x = acc.Deref();
  switch (code) {
    case sym::Negate:
    case sym::Abs:
    case sym::Int:
    case sym::Fix:
    case sym::Round: status = IntegerPreserving(code, x, result); break;
    case sym::Len: result = ExprValue(static_cast<int32_t>(ToText(x).size())); break;
    case sym::Asc: {
      const std::string text = ToText(x);
      if (text.empty()) return kInvalidArgument;
      result = ExprValue(static_cast<int16_t>(static_cast<unsigned char>(text[0])));
      break;
    }
    case sym::Space: {
      int32_t n;
      if ((status = WholeNumber(x, n))) break;
      if (n < 0) return kInvalidArgument;
      if (static_cast<size_t>(n) > kMaxTextLength) return kOutOfStringSpace;
      result = ExprValue(std::string(static_cast<size_t>(n), ' '));
      break;
    }
    default: {
      double d, v = 0;
      if (!ToNumber(x, d)) return kTypeMismatch;
      const double f = AngleFactor();
      switch (code) {
        case sym::Not: result = Flag(d <= 0); break;
        case sym::Sgn: result = ExprValue(static_cast<int16_t>(Sign(d))); break;
        case sym::Rnd: status = kernels::Mul(d, NextRandom(), v); break;
        case sym::Sqr: status = kernels::Sqr(d, v); break;
        case sym::Log: status = kernels::Log(d, v); break;
        case sym::Ln: status = kernels::Ln(d, v); break;
        case sym::Exp: status = kernels::Exp(d, v); break;
        case sym::Sin: status = kernels::Sin(d, f, v); break;
        case sym::Asin: status = kernels::Asin(d, f, v); break;
        case sym::Cos: status = kernels::Cos(d, f, v); break;
        case sym::Acos: status = kernels::Acos(d, f, v); break;
        case sym::Tan: status = kernels::Tan(d, f, v); break;
        case sym::Atn:
        case sym::Atan: status = kernels::Atn(d, f, v); break;
        case sym::Sinh: status = kernels::Sinh(d, v); break;
        case sym::Cosh: status = kernels::Cosh(d, v); break;
        case sym::Tanh: status = kernels::Tanh(d, v); break;
        case sym::Asinh: status = kernels::Asinh(d, v); break;
        case sym::Acosh: status = kernels::Acosh(d, v); break;
        case sym::Atanh: status = kernels::Atanh(d, v); break;
        case sym::Fact: status = kernels::Fact(d, v); break;
        default: return kInvalidArgument;
      }
      // Error 5 reads as the call: LOG(-2), FACT(170).
      if (status == kEvaluationError) return SetEvaluationError(symbols_[code].Name + "(" + NumberText(d) + ")");
      if (code != sym::Not && code != sym::Sgn) result = ExprValue(v);
    }
  }
  if (status != kOk) return status;
  acc = std::move(result);
  return kOk;
}

// ---------------------------------------------------------------------------------------------------
// Factorial

double CExpression::Factorial(double x) {
  double v = 0;
  if (kernels::Fact(x, v) != kOk) {
    SetEvaluationError("FACT(" + NumberText(x) + ")");
    return 0;
  }
  return v;
}

}  // namespace plotara
