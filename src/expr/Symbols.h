// Symbol codes of the expression language. The code of a symbol is also its instruction code in a
// compiled program; the symbol table of each CExpression gives every code its name, precedence and
// argument count.
#pragma once

#include <cstdint>

namespace plotara::sym {

enum Code : int16_t {
  None = 0,      // no symbol
  Operand = 1,   // push-operand instruction
  Sentinel = 2,  // start of text
  LParen = 3,
  Negate = 4,  // unary minus
  Not = 5,
  End = 6,  // end-of-text marker
  Comma = 7,
  RParen = 8,
  Pow = 9,
  Mul = 10,
  Div = 11,
  IntDiv = 12,
  Add = 13,
  Sub = 14,
  Eq = 15,
  Ne = 16,
  Le = 17,
  Lt = 18,
  Ge = 19,
  Gt = 20,
  Mod = 21,
  Bar = 22,  // "|", the same as MOD
  And = 23,
  Or = 24,
  Xor = 25,
  Concat = 26,
  Pi = 27,
  Deg = 28,
  Rad = 29,
  Abs = 30,
  Int = 31,
  Fix = 32,
  Sgn = 33,
  Rnd = 34,
  Round = 35,
  Sqr = 36,
  Log = 37,
  Ln = 38,
  Exp = 39,
  Sin = 40,
  Asin = 41,
  Cos = 42,
  Acos = 43,
  Tan = 44,
  Atn = 45,
  Atan = 46,
  Sinh = 47,
  Cosh = 48,
  Tanh = 49,
  Asinh = 50,
  Acosh = 51,
  Atanh = 52,
  Fact = 53,
  Min = 54,
  Max = 55,
  Ncr = 56,
  Npr = 57,
  Iif = 58,
  User1 = 59,  // user-function slot 1; slot k is 58 + k
  User20 = 78,
  Len = 79,
  Asc = 80,
  Space = 81,
  String = 82,
  Left = 83,
  Right = 84,
  Mid = 85,
  Instr = 86,
  Count = 87
};

inline constexpr int FirstName = Pi;  // names that identifiers are looked up among: 27..86
inline constexpr int LastName = Instr;

inline bool IsUserFunction(int code) {
  return code >= User1 && code <= User20;
}

}  // namespace plotara::sym
