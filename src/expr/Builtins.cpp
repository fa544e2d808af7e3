// Operators and built-in functions on values, for the general interpreter.
//
//   Conversions     whole numbers, integer results, ordering of mixed values
//   Operations      one handler per operation or group of operations that share their rules
//   Table           each symbol code's number of operands and handler
//   Execute         one instruction
//
// Rules where numbers meet text or integers: "+" joins two texts; otherwise text is read as a number
// (13 when it is not one). Arithmetic on 16- and 32-bit integers gives an integer as wide as the result
// needs (16-bit only when both operands are 16-bit), a double beyond 32 bits. Text compares with text
// byte by byte; text compares with a number as a number when it reads as one, otherwise the number is the
// smaller. Empty counts as 0, or as "" next to text.
#include <algorithm>
#include <array>
#include <cmath>

#include "expr/CExpression.h"
#include "expr/FastOps.h"
#include "expr/Kernels.h"
#include "expr/Symbols.h"
#include "platform/RuntimeError.h"

namespace plotara {

// One operation being run: its operands, references followed, and what its handler may use of the
// evaluator that runs it.
struct BuiltinCall {
  CExpression& e;
  int code;
  std::array<const ExprValue*, 3> operands;  // in the order written: [0] is the first argument

  const ExprValue& operator[](size_t i) const noexcept { return *operands[i]; }
  double AngleFactor() const noexcept { return e.AngleFactor(); }
  double NextRandom() noexcept { return e.NextRandom(); }
  // Sets error 5 with the text that describes the failure; returns kEvaluationError.
  int Fail(std::string description) { return e.SetEvaluationError(std::move(description)); }
  // The failing call as error 5 describes it: LOG(-2), FACT(170).
  int FailCall(double arg) { return Fail(e.symbols_[code].Name + "(" + CExpression::NumberText(arg) + ")"); }
};

namespace {

using fastops::Binary;
using fastops::BinaryOp;
using fastops::Unary;
using fastops::UnaryOp;
using kernels::kEvaluationError;
using kernels::kOk;

constexpr int kTypeMismatch = err::TypeMismatch;
constexpr int kInvalidArgument = err::InvalidProcedureCall;
constexpr int kOutOfStringSpace = 14;

// ---- Conversions ----

bool IsIntegerLike(const ExprValue& v) {
  return v.Type() == ExprType::Integer || v.Type() == ExprType::Long || v.Type() == ExprType::Empty;
}
bool IsShortLike(const ExprValue& v) {
  return v.Type() == ExprType::Integer || v.Type() == ExprType::Empty;
}
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

// ---- Operations ----
// A handler reads its operands from the call and stores its result in out. It returns kOk, a run-time
// error number, or kEvaluationError after setting error 5; out is not used after a failure.

ExprValue Flag(bool b) {
  return ExprValue(static_cast<int16_t>(b ? 1 : 0));
}

// "+", "-", "*".
template <int kCode>
int Arithmetic(BuiltinCall& c, ExprValue& out) {
  const ExprValue &l = c[0], &r = c[1];
  if constexpr (kCode == sym::Add) {
    if ((l.IsString() || r.IsString()) && (l.IsString() || l.IsEmpty()) && (r.IsString() || r.IsEmpty())) {
      return TextResult(ToText(l) + ToText(r), out);
    }
  }
  if (IsIntegerLike(l) && IsIntegerLike(r)) {
    const int64_t a = IntegerOf(l), b = IntegerOf(r);
    const int64_t v = kCode == sym::Add ? a + b : (kCode == sym::Sub ? a - b : a * b);
    out = IntegerResult(static_cast<double>(v), IsShortLike(l) && IsShortLike(r));
    return kOk;
  }
  double a, b, v = 0;
  if (!ToNumber(l, a) || !ToNumber(r, b)) return kTypeMismatch;
  const int status = Binary<BinaryOp(kCode)>(a, b, v);
  out = ExprValue(v);
  return status;
}

// Error 5 of a numeric operator: (-2) ^ 0.5, nCr(2,5); "/" and "\" fail so only when dividing by zero.
// (MOD, AND, OR and XOR never fail with error 5.)
template <int kCode>
std::string OperatorFailure(double a, double b) {
  using N = CExpression;
  if constexpr (kCode == sym::Pow) return "(" + N::NumberText(a) + ") ^ " + N::NumberText(b);
  if constexpr (kCode == sym::Ncr) return "nCr(" + N::NumberText(a) + "," + N::NumberText(b) + ")";
  if constexpr (kCode == sym::Npr) return "nPr(" + N::NumberText(a) + "," + N::NumberText(b) + ")";
  return "Div by zero";
}

// Operators on two numbers: "^", "/", "\", MOD, "|", AND, OR, XOR, NCR, NPR. "\" and MOD give an integer
// when it fits, AND, OR and XOR a 16-bit truth value, the others a double.
template <int kCode>
int NumericOperator(BuiltinCall& c, ExprValue& out) {
  double a, b, v = 0;
  if (!ToNumber(c[0], a) || !ToNumber(c[1], b)) return kTypeMismatch;
  const int status = Binary<BinaryOp(kCode)>(a, b, v);
  if (status == kEvaluationError) return c.Fail(OperatorFailure<kCode>(a, b));
  if (status != kOk) return status;
  if constexpr (kCode == sym::IntDiv || kCode == sym::Mod || kCode == sym::Bar) {
    out = IntegerResult(v, IsShortLike(c[0]) && IsShortLike(c[1]));
  } else if constexpr (kCode == sym::And || kCode == sym::Or || kCode == sym::Xor) {
    out = Flag(v != 0);
  } else {
    out = ExprValue(v);
  }
  return kOk;
}

constexpr bool Holds(int code, Order o) {
  switch (code) {
    case sym::Eq:
      return o == Order::Equal;
    case sym::Ne:
      return o != Order::Equal;
    case sym::Le:
      return o == Order::Less || o == Order::Equal;
    case sym::Lt:
      return o == Order::Less;
    case sym::Ge:
      return o == Order::Greater || o == Order::Equal;
    default:
      return o == Order::Greater;
  }
}

template <int kCode>
int Comparison(BuiltinCall& c, ExprValue& out) {
  out = Flag(Holds(kCode, CompareValues(c[0], c[1])));
  return kOk;
}

// MIN and MAX give one of their operands as it is: the first only when strictly smaller (larger).
template <int kCode>
int Extreme(BuiltinCall& c, ExprValue& out) {
  const Order wanted = kCode == sym::Min ? Order::Less : Order::Greater;
  out = CompareValues(c[0], c[1]) == wanted ? c[0] : c[1];
  return kOk;
}

// ABS, INT, FIX, ROUND and unary minus keep an integer an integer (wider when the result needs it).
template <int kCode>
int IntegerPreserving(BuiltinCall& c, ExprValue& out) {
  const ExprValue& x = c[0];
  if (IsIntegerLike(x)) {
    int64_t v = IntegerOf(x);
    if constexpr (kCode == sym::Negate) v = -v;
    if constexpr (kCode == sym::Abs) v = v < 0 ? -v : v;
    out = IntegerResult(static_cast<double>(v), IsShortLike(x));
    return kOk;
  }
  double d, v = 0;
  if (!ToNumber(x, d)) return kTypeMismatch;
  const int status = Unary<UnaryOp(kCode)>(d, 1.0, v);
  out = ExprValue(v);
  return status;
}

// Functions of one number: NOT, SGN (16-bit results) and SQR to FACT (doubles). Error 5 reads as the
// call: LOG(-2), FACT(170).
template <int kCode>
int NumericFunction(BuiltinCall& c, ExprValue& out) {
  double d, v = 0;
  if (!ToNumber(c[0], d)) return kTypeMismatch;
  const int status = Unary<UnaryOp(kCode)>(d, c.AngleFactor(), v);
  if (status == kEvaluationError) return c.FailCall(d);
  if (status != kOk) return status;
  if constexpr (kCode == sym::Not || kCode == sym::Sgn) {
    out = ExprValue(static_cast<int16_t>(v));
  } else {
    out = ExprValue(v);
  }
  return kOk;
}

// RND(n): n times the next number of the sequence, drawn only once n has read as a number.
int Random(BuiltinCall& c, ExprValue& out) {
  double d, v = 0;
  if (!ToNumber(c[0], d)) return kTypeMismatch;
  const int status = Binary<BinaryOp(sym::Mul)>(d, c.NextRandom(), v);
  out = ExprValue(v);
  return status;
}

// IIF(condition, then, else): one of the two values as it is.
int Choice(BuiltinCall& c, ExprValue& out) {
  double cond;
  if (!ToNumber(c[0], cond)) return kTypeMismatch;
  out = cond > 0 ? c[1] : c[2];
  return kOk;
}

// ---- Operations on text ----

int Join(BuiltinCall& c, ExprValue& out) {
  return TextResult(ToText(c[0]) + ToText(c[1]), out);
}

int Length(BuiltinCall& c, ExprValue& out) {
  out = ExprValue(static_cast<int32_t>(ToText(c[0]).size()));
  return kOk;
}

int FirstCharCode(BuiltinCall& c, ExprValue& out) {
  const std::string text = ToText(c[0]);
  if (text.empty()) return kInvalidArgument;
  out = ExprValue(static_cast<int16_t>(static_cast<unsigned char>(text[0])));
  return kOk;
}

int Spaces(BuiltinCall& c, ExprValue& out) {
  int32_t n;
  if (const int status = WholeNumber(c[0], n)) return status;
  if (n < 0) return kInvalidArgument;
  if (static_cast<size_t>(n) > CExpression::kMaxTextLength) return kOutOfStringSpace;
  out = ExprValue(std::string(static_cast<size_t>(n), ' '));
  return kOk;
}

// STRING(count, character): the character as a code or the first one of a text.
int Repeat(BuiltinCall& c, ExprValue& out) {
  const ExprValue& r = c[1];
  int32_t count;
  if (const int status = WholeNumber(c[0], count)) return status;
  if (count < 0) return kInvalidArgument;
  char ch;
  if (r.IsString()) {
    if (r.StringValue().empty()) return kInvalidArgument;
    ch = r.StringValue()[0];
  } else {
    int32_t charCode;
    if (const int status = WholeNumber(r, charCode)) return status;
    if (charCode < 0 || charCode > 255) return kInvalidArgument;
    ch = static_cast<char>(charCode);
  }
  if (static_cast<size_t>(count) > CExpression::kMaxTextLength) return kOutOfStringSpace;
  out = ExprValue(std::string(static_cast<size_t>(count), ch));
  return kOk;
}

// LEFT and RIGHT.
template <int kCode>
int Side(BuiltinCall& c, ExprValue& out) {
  int32_t n;
  if (const int status = WholeNumber(c[1], n)) return status;
  if (n < 0) return kInvalidArgument;
  const std::string text = ToText(c[0]);
  const size_t take = std::min(text.size(), static_cast<size_t>(n));
  out = ExprValue(kCode == sym::Left ? text.substr(0, take) : text.substr(text.size() - take));
  return kOk;
}

int Middle(BuiltinCall& c, ExprValue& out) {
  int32_t start, length;
  if (const int status = WholeNumber(c[1], start)) return status;
  if (const int status = WholeNumber(c[2], length)) return status;
  if (start < 1 || length < 0) return kInvalidArgument;
  const std::string text = ToText(c[0]);
  out = static_cast<size_t>(start) > text.size() ? ExprValue(std::string())
                                                 : ExprValue(text.substr(start - 1, length));
  return kOk;
}

// INSTR(start, text, sought): the 1-based position, 0 when not found.
int Position(BuiltinCall& c, ExprValue& out) {
  int32_t start;
  if (const int status = WholeNumber(c[0], start)) return status;
  if (start < 1) return kInvalidArgument;
  const size_t found = ToText(c[1]).find(ToText(c[2]), static_cast<size_t>(start) - 1);
  out = ExprValue(static_cast<int32_t>(found == std::string::npos ? 0 : found + 1));
  return kOk;
}

// Codes that a compiled program never holds as an operation: brackets, separators, the end marker.
int NotAnOperation(BuiltinCall&, ExprValue&) {
  return kInvalidArgument;
}

// ---- Table ----

struct Operation {
  uint8_t arity;  // 1 the accumulator; 2 and 3 also the 1 or 2 stack entries below it
  int (*run)(BuiltinCall& c, ExprValue& out);
};

// Indexed by symbol code. PI, DEG, RAD and the user functions are not operations: Execute runs them.
constexpr std::array<Operation, sym::Count> kOperations = [] {
  using namespace sym;
  std::array<Operation, Count> t{};
  for (Operation& op : t) op = {1, NotAnOperation};

  t[Add] = {2, Arithmetic<Add>};
  t[Sub] = {2, Arithmetic<Sub>};
  t[Mul] = {2, Arithmetic<Mul>};
  t[Pow] = {2, NumericOperator<Pow>};
  t[Div] = {2, NumericOperator<Div>};
  t[IntDiv] = {2, NumericOperator<IntDiv>};
  t[Mod] = {2, NumericOperator<Mod>};
  t[Bar] = {2, NumericOperator<Bar>};
  t[And] = {2, NumericOperator<And>};
  t[Or] = {2, NumericOperator<Or>};
  t[Xor] = {2, NumericOperator<Xor>};
  t[Ncr] = {2, NumericOperator<Ncr>};
  t[Npr] = {2, NumericOperator<Npr>};
  t[Eq] = {2, Comparison<Eq>};
  t[Ne] = {2, Comparison<Ne>};
  t[Le] = {2, Comparison<Le>};
  t[Lt] = {2, Comparison<Lt>};
  t[Ge] = {2, Comparison<Ge>};
  t[Gt] = {2, Comparison<Gt>};
  t[Min] = {2, Extreme<Min>};
  t[Max] = {2, Extreme<Max>};
  t[Iif] = {3, Choice};

  t[Negate] = {1, IntegerPreserving<Negate>};
  t[Abs] = {1, IntegerPreserving<Abs>};
  t[Int] = {1, IntegerPreserving<Int>};
  t[Fix] = {1, IntegerPreserving<Fix>};
  t[Round] = {1, IntegerPreserving<Round>};
  t[Not] = {1, NumericFunction<Not>};
  t[Sgn] = {1, NumericFunction<Sgn>};
  t[Rnd] = {1, Random};
  t[Sqr] = {1, NumericFunction<Sqr>};
  t[Log] = {1, NumericFunction<Log>};
  t[Ln] = {1, NumericFunction<Ln>};
  t[Exp] = {1, NumericFunction<Exp>};
  t[Sin] = {1, NumericFunction<Sin>};
  t[Asin] = {1, NumericFunction<Asin>};
  t[Cos] = {1, NumericFunction<Cos>};
  t[Acos] = {1, NumericFunction<Acos>};
  t[Tan] = {1, NumericFunction<Tan>};
  t[Atn] = {1, NumericFunction<Atn>};
  t[Atan] = {1, NumericFunction<Atan>};
  t[Sinh] = {1, NumericFunction<Sinh>};
  t[Cosh] = {1, NumericFunction<Cosh>};
  t[Tanh] = {1, NumericFunction<Tanh>};
  t[Asinh] = {1, NumericFunction<Asinh>};
  t[Acosh] = {1, NumericFunction<Acosh>};
  t[Atanh] = {1, NumericFunction<Atanh>};
  t[Fact] = {1, NumericFunction<Fact>};

  t[Concat] = {2, Join};
  t[Len] = {1, Length};
  t[Asc] = {1, FirstCharCode};
  t[Space] = {1, Spaces};
  t[String] = {2, Repeat};
  t[Left] = {2, Side<Left>};
  t[Right] = {2, Side<Right>};
  t[Mid] = {3, Middle};
  t[Instr] = {3, Position};
  return t;
}();

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

  // Constants are loaded like operands: push the accumulator, load.
  if (code >= sym::Pi && code <= sym::Rad) {
    stack[sp++] = std::move(acc);
    acc = ExprValue(code == sym::Pi ? kernels::kPi15
                                    : (code == sym::Deg ? kernels::DegConstant() : kernels::RadConstant()));
    return kOk;
  }
  // A user function takes as many arguments as its call was compiled with.
  if (sym::IsUserFunction(code)) return CallUserFunction(in, acc, stack, sp);

  // An operation's operands are the top arity - 1 stack entries and the accumulator, in that order. Its
  // result replaces them in the accumulator; a failed operation leaves the stack as it was.
  const Operation& op = kOperations[code];
  const size_t below = op.arity - 1;
  BuiltinCall call{*this, code, {}};
  for (size_t i = 0; i < below; ++i) call.operands[i] = &stack[sp - below + i].Deref();
  call.operands[below] = &acc.Deref();
  ExprValue result;
  if (const int status = op.run(call, result); status != kOk) return status;
  sp -= below;
  acc = std::move(result);
  return kOk;
}

}  // namespace plotara
