// The numeric operations of the expression language on doubles. Both the general interpreter and the
// all-numeric fast path call these, so the two give the same bits and fail in the same places.
//
// Each kernel stores its result in `out` and returns a status: kOk, kEvaluationError (the caller sets
// error 5 with the operation's description), or the number of the run-time error the operation fails
// with (5 invalid argument, 6 overflow, 11 division by zero). A result that is not a finite number is a
// failure: NaN of 5, infinity of 6.
#pragma once

#include <array>
#include <cmath>

namespace plotara::kernels {

inline constexpr int kOk = 0;
inline constexpr int kEvaluationError = -1;

// PI, the half turn of ASIN and ACOS, and the degree factor use this 15-digit value, not M_PI.
inline constexpr double kPi15 = 3.14159265358979;

// DEG (radians per degree) and RAD (degrees per radian), computed once so that every use agrees.
inline double DegConstant() noexcept {
  static const double v = std::atan(1.0) / 45;
  return v;
}
inline double RadConstant() noexcept {
  static const double v = 45 / std::atan(1.0);
  return v;
}

inline int Finite(double r) noexcept {
  if (std::isfinite(r)) [[likely]]
    return kOk;
  return std::isnan(r) ? 5 : 6;
}

inline int Add(double l, double r, double& out) noexcept {
  return Finite(out = l + r);
}
inline int Sub(double l, double r, double& out) noexcept {
  return Finite(out = l - r);
}
inline int Mul(double l, double r, double& out) noexcept {
  return Finite(out = l * r);
}

inline int Div(double l, double r, double& out) noexcept {
  if (r == 0) return kEvaluationError;
  return Finite(out = l / r);
}

// "\": both operands rounded half to even, quotient truncated toward zero. The result is a whole
// number; its zero is +0 (adding 0.0 clears the sign), as an integer's.
inline int IntDiv(double l, double r, double& out) noexcept {
  const double rr = std::nearbyint(r);
  if (rr == 0) return kEvaluationError;
  return Finite(out = std::trunc(std::nearbyint(l) / rr) + 0.0);
}

// MOD and "|": remainder of the rounded operands, with the sign of the left one; zero is +0.
inline int Mod(double l, double r, double& out) noexcept {
  const double rr = std::nearbyint(r);
  if (rr == 0) return 11;
  return Finite(out = std::fmod(std::nearbyint(l), rr) + 0.0);
}

// "^": a negative base takes only whole exponents up to 100 in magnitude; other cases are error 5.
inline int Pow(double l, double r, double& out) noexcept {
  if (l < 0) {
    if (r != std::nearbyint(r) || std::fabs(r) > 100) return kEvaluationError;
    out = r == 2 ? l * l : std::pow(-l, r);
    if (std::fmod(r, 2) != 0) out = -out;
    return Finite(out);
  }
  if (l == 0 && r < 0) return 11;
  out = r == 2 ? l * l : std::pow(l, r);
  return Finite(out);
}

inline double Truth(bool b) noexcept {
  return b ? 1.0 : 0.0;
}

inline int Sqr(double x, double& out) noexcept {
  if (x < 0) return 5;
  return Finite(out = std::sqrt(x));
}
inline int Log(double x, double& out) noexcept {
  if (!(x > 0)) return kEvaluationError;
  return Finite(out = std::log10(x));
}
inline int Ln(double x, double& out) noexcept {
  if (!(x > 0)) return kEvaluationError;
  return Finite(out = std::log(x));
}
inline int Exp(double x, double& out) noexcept {
  return Finite(out = std::exp(x));
}
inline int Sin(double x, double f, double& out) noexcept {
  return Finite(out = std::sin(f * x));
}
inline int Cos(double x, double f, double& out) noexcept {
  return Finite(out = std::cos(f * x));
}
inline int Tan(double x, double f, double& out) noexcept {
  return Finite(out = std::tan(f * x));
}
inline int Atn(double x, double f, double& out) noexcept {
  return Finite(out = std::atan(x) / f);
}

inline int Asin(double x, double f, double& out) noexcept {
  if (x == 1 || x == -1) return Finite(out = (x < 0 ? -kPi15 : kPi15) / 2 / f);
  if (!(x > -1 && x < 1)) return kEvaluationError;
  return Finite(out = std::atan(x / std::sqrt(1 - x * x)) / f);
}
inline int Acos(double x, double f, double& out) noexcept {
  if (x == 1) return Finite(out = 0);
  if (x == -1) return Finite(out = kPi15 / f);
  if (!(x > -1 && x < 1)) return kEvaluationError;
  return Finite(out = (std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0)) / f);
}

// The hyperbolic functions use the library's forms of the same definitions: (e^x - e^-x) / (e^x + e^-x)
// and ln(x + sqrt(x*x + 1)) written out overflow or cancel for large or negative arguments.
inline int Sinh(double x, double& out) noexcept {
  return Finite(out = std::sinh(x));
}
inline int Cosh(double x, double& out) noexcept {
  return Finite(out = std::cosh(x));
}
inline int Tanh(double x, double& out) noexcept {
  return Finite(out = std::tanh(x));
}
inline int Asinh(double x, double& out) noexcept {
  return Finite(out = std::asinh(x));
}
inline int Acosh(double x, double& out) noexcept {
  if (!(x >= 1)) return kEvaluationError;
  return Finite(out = std::acosh(x));
}
inline int Atanh(double x, double& out) noexcept {
  if (x == 1) return 11;  // (1 + x) / (1 - x) divides by zero
  if (!(x > -1 && x < 1)) return kEvaluationError;
  return Finite(out = std::atanh(x));
}

// n! as the product 2 x 3 x ... x n, for n = 0..169.
inline const std::array<double, 170>& FactorialTable() noexcept {
  static const std::array<double, 170> table = [] {
    std::array<double, 170> t{};
    double p = 1;
    t[0] = t[1] = 1;
    for (int n = 2; n < 170; ++n) t[n] = p *= n;
    return t;
  }();
  return table;
}

// Factorial of the nearest whole number to x (halves to even); kEvaluationError outside 0..169.
inline int Fact(double x, double& out) noexcept {
  if (!(x >= 0 && x <= 169)) return kEvaluationError;
  out = FactorialTable()[static_cast<int>(std::nearbyint(x))];
  return kOk;
}
inline int Ncr(double n, double r, double& out) noexcept {
  double fn, fr, fnr;
  if (Fact(n, fn) || Fact(r, fr) || Fact(n - r, fnr)) return kEvaluationError;
  return Finite(out = fn / (fr * fnr));
}
inline int Npr(double n, double r, double& out) noexcept {
  double fn, fnr;
  if (Fact(n, fn) || Fact(n - r, fnr)) return kEvaluationError;
  return Finite(out = fn / fnr);
}

}  // namespace plotara::kernels
