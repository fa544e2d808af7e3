// The fast form's operations: which one a symbol code is, and each on doubles. The fast form folds
// constants and runs with them; the general interpreter runs its numeric operators and functions with
// them too, once its operands are numbers, so the two reach the kernels the same way.
#pragma once

#include <cmath>

#include "expr/FastPath.h"
#include "expr/Kernels.h"
#include "expr/Symbols.h"

namespace plotara::fastops {

using Op = FastProgram::Op;

// The fast operation of a two-operand symbol, or 0 when it has none.
constexpr int BinaryOp(int code) noexcept {
  switch (code) {
    case sym::Add:
      return Op::Add;
    case sym::Sub:
      return Op::Sub;
    case sym::Mul:
      return Op::Mul;
    case sym::Div:
      return Op::Div;
    case sym::Pow:
      return Op::Pow;
    case sym::IntDiv:
      return Op::IntDiv;
    case sym::Mod:
    case sym::Bar:
      return Op::Mod;
    case sym::Eq:
      return Op::Eq;
    case sym::Ne:
      return Op::Ne;
    case sym::Le:
      return Op::Le;
    case sym::Lt:
      return Op::Lt;
    case sym::Ge:
      return Op::Ge;
    case sym::Gt:
      return Op::Gt;
    case sym::And:
      return Op::And;
    case sym::Or:
      return Op::Or;
    case sym::Xor:
      return Op::Xor;
    case sym::Min:
      return Op::Min;
    case sym::Max:
      return Op::Max;
    case sym::Ncr:
      return Op::Ncr;
    case sym::Npr:
      return Op::Npr;
    default:
      return 0;
  }
}

// The fast operation of a one-operand symbol, or -1 when it has none.
constexpr int UnaryOp(int code) noexcept {
  switch (code) {
    case sym::Negate:
      return Op::Negate;
    case sym::Not:
      return Op::Not;
    case sym::Abs:
      return Op::Abs;
    case sym::Int:
      return Op::Int;
    case sym::Fix:
      return Op::Fix;
    case sym::Sgn:
      return Op::Sgn;
    case sym::Round:
      return Op::Round;
    case sym::Sqr:
      return Op::Sqr;
    case sym::Log:
      return Op::Log;
    case sym::Ln:
      return Op::Ln;
    case sym::Exp:
      return Op::Exp;
    case sym::Sin:
      return Op::Sin;
    case sym::Asin:
      return Op::Asin;
    case sym::Cos:
      return Op::Cos;
    case sym::Acos:
      return Op::Acos;
    case sym::Tan:
      return Op::Tan;
    case sym::Atn:
    case sym::Atan:
      return Op::Atn;
    case sym::Sinh:
      return Op::Sinh;
    case sym::Cosh:
      return Op::Cosh;
    case sym::Tanh:
      return Op::Tanh;
    case sym::Asinh:
      return Op::Asinh;
    case sym::Acosh:
      return Op::Acosh;
    case sym::Atanh:
      return Op::Atanh;
    case sym::Fact:
      return Op::Fact;
    default:
      return -1;
  }
}

// Each returns its kernel's status (kernels::kOk, kEvaluationError or a run-time error number): the fast
// form only needs to know that an operation failed, the general interpreter how.
template <int kOp>
inline int Binary(double l, double r, double& out) noexcept {
  using namespace kernels;
  if constexpr (kOp == Op::Add) return kernels::Add(l, r, out);
  if constexpr (kOp == Op::Sub) return kernels::Sub(l, r, out);
  if constexpr (kOp == Op::Mul) return kernels::Mul(l, r, out);
  if constexpr (kOp == Op::Div) return kernels::Div(l, r, out);
  if constexpr (kOp == Op::Pow) return kernels::Pow(l, r, out);
  if constexpr (kOp == Op::IntDiv) return kernels::IntDiv(l, r, out);
  if constexpr (kOp == Op::Mod) return kernels::Mod(l, r, out);
  if constexpr (kOp == Op::Ncr) return kernels::Ncr(l, r, out);
  if constexpr (kOp == Op::Npr) return kernels::Npr(l, r, out);
  if constexpr (kOp == Op::Eq) out = Truth(l == r);
  if constexpr (kOp == Op::Ne) out = Truth(l != r);
  if constexpr (kOp == Op::Le) out = Truth(l <= r);
  if constexpr (kOp == Op::Lt) out = Truth(l < r);
  if constexpr (kOp == Op::Ge) out = Truth(l >= r);
  if constexpr (kOp == Op::Gt) out = Truth(l > r);
  if constexpr (kOp == Op::And) out = Truth((l > 0) && (r > 0));
  if constexpr (kOp == Op::Or) out = Truth((l > 0) || (r > 0));
  if constexpr (kOp == Op::Xor) out = Truth((l > 0) != (r > 0));
  if constexpr (kOp == Op::Min) out = l < r ? l : r;
  if constexpr (kOp == Op::Max) out = l > r ? l : r;
  return kOk;
}

inline double Sign(double x) noexcept {
  return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}

template <int kOp>
inline int Unary(double x, double f, double& out) noexcept {
  using namespace kernels;
  if constexpr (kOp == Op::Negate) out = -x;
  if constexpr (kOp == Op::NegateInteger) out = 0.0 - x;  // -(0) is +0, as for an integer
  if constexpr (kOp == Op::Not) out = Truth(x <= 0);
  if constexpr (kOp == Op::Abs) out = std::fabs(x);
  if constexpr (kOp == Op::Int) out = std::floor(x);
  if constexpr (kOp == Op::Fix) out = std::trunc(x);
  if constexpr (kOp == Op::Sgn) out = Sign(x);
  if constexpr (kOp == Op::Round) out = std::nearbyint(x);
  if constexpr (kOp == Op::Sqr) return kernels::Sqr(x, out);
  if constexpr (kOp == Op::Log) return kernels::Log(x, out);
  if constexpr (kOp == Op::Ln) return kernels::Ln(x, out);
  if constexpr (kOp == Op::Exp) return kernels::Exp(x, out);
  if constexpr (kOp == Op::Sin) return kernels::Sin(x, f, out);
  if constexpr (kOp == Op::Asin) return kernels::Asin(x, f, out);
  if constexpr (kOp == Op::Cos) return kernels::Cos(x, f, out);
  if constexpr (kOp == Op::Acos) return kernels::Acos(x, f, out);
  if constexpr (kOp == Op::Tan) return kernels::Tan(x, f, out);
  if constexpr (kOp == Op::Atn) return kernels::Atn(x, f, out);
  if constexpr (kOp == Op::Sinh) return kernels::Sinh(x, out);
  if constexpr (kOp == Op::Cosh) return kernels::Cosh(x, out);
  if constexpr (kOp == Op::Tanh) return kernels::Tanh(x, out);
  if constexpr (kOp == Op::Asinh) return kernels::Asinh(x, out);
  if constexpr (kOp == Op::Acosh) return kernels::Acosh(x, out);
  if constexpr (kOp == Op::Atanh) return kernels::Atanh(x, out);
  if constexpr (kOp == Op::Fact) return kernels::Fact(x, out);
  if constexpr (kOp == Op::Square) return Finite(out = x * x);  // x^2, as kernels::Pow computes it
  return kOk;
}

}  // namespace plotara::fastops
