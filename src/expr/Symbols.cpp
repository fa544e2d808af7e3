// Construction, the symbol table and the settings of CExpression.
#include <algorithm>

#include "expr/BlockProgram.h"
#include "expr/CExpression.h"
#include "expr/FastPath.h"
#include "expr/Kernels.h"
#include "expr/Symbols.h"
#include "platform/AsciiCase.h"

namespace plotara {

namespace {

std::string UserSlotName(int slot) {
  return slot < 10 ? "USER" + std::to_string(slot) : "USER_" + std::to_string(slot);
}

constexpr uint8_t kFunctionPrecedence = 30;

}  // namespace

CExpression::CExpression() {
  using namespace sym;
  DefineSymbol(Sentinel, "", 255, 1);
  DefineSymbol(LParen, "(", 255, 1);
  DefineSymbol(Negate, "-", 18, 0);
  DefineSymbol(Not, "NOT", 8, 0);
  DefineSymbol(End, std::string_view("\0", 1), 0, -1);
  DefineSymbol(Comma, ",", 0, -1);
  DefineSymbol(RParen, ")", 0, -1);
  DefineSymbol(Pow, "^", 20, 0);
  DefineSymbol(Mul, "*", 17, 0);
  DefineSymbol(Div, "/", 17, 0);
  DefineSymbol(IntDiv, "\\", 16, 0);
  DefineSymbol(Add, "+", 14, 0);
  DefineSymbol(Sub, "-", 14, 0);
  // The two-character comparisons come before the one-character ones they begin with: operator matching
  // takes the first code that matches.
  DefineSymbol(Eq, "=", 10, 0);
  DefineSymbol(Ne, "<>", 10, 0);
  DefineSymbol(Le, "<=", 10, 0);
  DefineSymbol(Lt, "<", 10, 0);
  DefineSymbol(Ge, ">=", 10, 0);
  DefineSymbol(Gt, ">", 10, 0);
  DefineSymbol(Mod, "MOD", 15, 0);
  DefineSymbol(Bar, "|", 15, 0);
  DefineSymbol(And, "AND", 7, 0);
  DefineSymbol(Or, "OR", 6, 0);
  DefineSymbol(Xor, "XOR", 6, 0);
  DefineSymbol(Concat, "&", 4, 0);
  DefineSymbol(Pi, "PI", 0, 0);
  DefineSymbol(Deg, "DEG", 0, 0);
  DefineSymbol(Rad, "RAD", 0, 0);
  static constexpr const char* kOneArgument[] = {
      "ABS", "INT",  "FIX", "SGN", "RND",  "ROUND", "SQR",  "LOG",  "LN",    "EXP",   "SIN",   "ASIN",
      "COS", "ACOS", "TAN", "ATN", "ATAN", "SINH",  "COSH", "TANH", "ASINH", "ACOSH", "ATANH", "FACT"};
  for (int i = 0; i < 24; ++i) DefineSymbol(Abs + i, kOneArgument[i], kFunctionPrecedence, 1);
  DefineSymbol(Min, "MIN", kFunctionPrecedence, 2);
  DefineSymbol(Max, "MAX", kFunctionPrecedence, 2);
  DefineSymbol(Ncr, "NCR", kFunctionPrecedence, 2);
  DefineSymbol(Npr, "NPR", kFunctionPrecedence, 2);
  DefineSymbol(Iif, "IIF", kFunctionPrecedence, 3);
  DefineSymbol(Len, "LEN", kFunctionPrecedence, 1);
  DefineSymbol(Asc, "ASC", kFunctionPrecedence, 1);
  DefineSymbol(Space, "SPACE", kFunctionPrecedence, 1);
  DefineSymbol(String, "STRING", kFunctionPrecedence, 2);
  DefineSymbol(Left, "LEFT", kFunctionPrecedence, 2);
  DefineSymbol(Right, "RIGHT", kFunctionPrecedence, 2);
  DefineSymbol(Mid, "MID", kFunctionPrecedence, 3);
  DefineSymbol(Instr, "INSTR", kFunctionPrecedence, 3);
  ResetUserFuncs();
  Randomize(0);
}

CExpression::~CExpression() = default;

void CExpression::DefineSymbol(int code, std::string_view name, uint8_t precedence, int16_t argCount) {
  Symbol& s = symbols_[code];
  s.Name.assign(name);
  s.Precedence = precedence;
  s.ArgCount = argCount;
}

int CExpression::LookupName(std::string_view upperName) {
  for (int code = sym::FirstName; code <= sym::LastName; ++code) {
    if (symbols_[code].Name == upperName) {
      if (code >= sym::Sin && code <= sym::Atan) usesTrig_ = true;
      return code;
    }
  }
  return upperName == "NOT" ? sym::Not : sym::None;
}

bool CExpression::ReservedName(std::string_view name, std::string_view preText) {
  const std::string upper = UpperCase(name);
  int code = sym::None;
  for (int c = sym::FirstName; c <= sym::LastName && code == sym::None; ++c) {
    if (symbols_[c].Name == upper) code = c;
  }
  if (code == sym::None && upper == "NOT") code = sym::Not;
  if (code == sym::None) return false;
  errorCode_ = 9;
  errorDescription_ =
      std::string(preText) + " " + LowerCase(upper) + "(...)" +
      (sym::IsUserFunction(code) ? " has already been reserved as a User Function." : " is a Reserved Name.");
  return true;
}

void CExpression::ResetUserFuncs() {
  for (int slot = 1; slot <= kUserSlots; ++slot) {
    DefineSymbol(sym::User1 + slot - 1, UserSlotName(slot), kFunctionPrecedence, 0);
  }
  numUserFunctions_ = 0;
}

void CExpression::NumUserFunctions(int16_t v) noexcept {
  numUserFunctions_ = static_cast<int16_t>(std::clamp<int>(v, 0, kUserSlots));
}

void CExpression::DefaultValue(ExprValue v) {
  defaultValue_ = v.Deref();
}

void CExpression::ClearError() noexcept {
  errorCode_ = 0;
  errorDescription_.clear();
  errorPos_ = 0;
}

void CExpression::Randomize(uint64_t seed) noexcept {
  rndState_ = seed;
}

double CExpression::NextRandom() noexcept {
  // splitmix64: small, fast, and every seed gives a full-period sequence.
  uint64_t z = (rndState_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  // 24 random bits: a single-precision number in [0, 1).
  return static_cast<float>(z >> 40) / 16777216.0f;
}

}  // namespace plotara
