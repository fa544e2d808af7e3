#include "platform/Conversions.h"

#include <limits>

namespace plotara {

int16_t CInt(double v) {
  const double r = RoundHalfEven(v);
  if (!(r >= -32768.0 && r <= 32767.0)) Raise(err::Overflow);  // NaN fails too
  return static_cast<int16_t>(r);
}

int32_t CLng(double v) {
  const double r = RoundHalfEven(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) Raise(err::Overflow);
  return static_cast<int32_t>(r);
}

uint8_t CByte(double v) {
  const double r = RoundHalfEven(v);
  if (!(r >= 0.0 && r <= 255.0)) Raise(err::Overflow);
  return static_cast<uint8_t>(r);
}

float CSng(double v) {
  if (std::isfinite(v) && std::fabs(v) > std::numeric_limits<float>::max()) Raise(err::Overflow);
  return static_cast<float>(v);
}

int16_t AddInt16(int32_t a, int32_t b) {
  const int32_t r = a + b;
  if (r < -32768 || r > 32767) Raise(err::Overflow);
  return static_cast<int16_t>(r);
}

double CheckedDivide(double a, double b) {
  if (b == 0.0) Raise(err::DivisionByZero);
  return a / b;
}

}  // namespace plotara
