// Checked numeric conversions with the run-time's rules: floating values become integers by rounding
// half to even, and a result outside the target type raises error 6 (overflow).
#pragma once

#include <cmath>
#include <cstdint>

#include "platform/RuntimeError.h"

namespace plotara {

// Nearest integer with ties to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline double RoundHalfEven(double v) noexcept {
  return std::nearbyint(v);
}

int16_t CInt(double v);   // 16-bit, half to even, 6 outside -32768..32767
int32_t CLng(double v);   // 32-bit, half to even, 6 outside the range
uint8_t CByte(double v);  // 0..255 after rounding, else 6
float CSng(double v);     // 6 when a finite value does not fit a float

// 16-bit count arithmetic: raise 6 when the result leaves the 16-bit range.
int16_t AddInt16(int32_t a, int32_t b);

// Division that raises 11 for a zero divisor, as the run-time does.
double CheckedDivide(double a, double b);

}  // namespace plotara
