// Small numeric helpers shared by scaling, mapping, drawing and interaction code.
//
// Min, Max and MinMax compare with "<" and ">" exactly as written below, so a NaN argument decides the
// result by position (Max(0, NaN) is NaN, Min(NaN, 9) is 9); callers rely on MinMax never returning
// something outside [low, high] for a NaN value.
#pragma once

#include <cmath>
#include <cstdint>
#include <type_traits>

namespace plotara {

class ErrorReporter;

// Base-10 logarithm; 0 (the "empty" result) for a value that is not greater than 0. Never fails.
inline double Log10(double value) noexcept {
  return value > 0 ? std::log10(value) : 0.0;
}

// Fractional part of the absolute value, in single precision: |v| - trunc(|v|). Working in single
// precision matters: log10 of a step of 0.1f rounds to exactly -1 and so has no fractional part.
inline float Frac(float value) noexcept {
  const float a = std::fabs(value);
  return a - std::trunc(a);
}

// a when b is less than a, otherwise b.
inline int16_t MaxInt(int16_t a, int16_t b) noexcept {
  return b < a ? a : b;
}

// p when p is less than q, otherwise q.
template <class P, class Q>
constexpr std::common_type_t<P, Q> Min(P p, Q q) noexcept {
  using R = std::common_type_t<P, Q>;
  return p < q ? static_cast<R>(p) : static_cast<R>(q);
}

// p when p is greater than q, otherwise q.
template <class P, class Q>
constexpr std::common_type_t<P, Q> Max(P p, Q q) noexcept {
  using R = std::common_type_t<P, Q>;
  return p > q ? static_cast<R>(p) : static_cast<R>(q);
}

// The value held within [low, high]; low when low exceeds high.
template <class V, class L, class H>
constexpr auto MinMax(V value, L low, H high) noexcept {
  return Max(Min(value, high), low);
}

// Natural logarithm when the flag is set, otherwise the value unchanged. With the flag set, a value that
// is not greater than 0 fails: reported as "xxLog" (error 5) and the result is 0.
double xxLog(ErrorReporter& reporter, double value, bool logFlag);

// e raised to the value when the flag is set, otherwise the value unchanged. A result beyond the range of
// a double fails: reported as "xxExp" (error 6) and the result is 0.
double xxExp(ErrorReporter& reporter, double value, bool logFlag);

// Checked natural logarithm and exponential for guarded routines: Ln raises 5 for a value that is not
// greater than 0, Exp raises 6 when the result overflows.
double Ln(double value);
double Exp(double value);

}  // namespace plotara
