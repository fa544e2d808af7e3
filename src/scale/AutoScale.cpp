#include "scale/AutoScale.h"

#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "platform/Conversions.h"
#include "platform/ErrorGuard.h"
#include "scale/NumberFormat.h"
#include "scale/NumericHelpers.h"

namespace plotara {

namespace {

// A formatted number read back as a single; an empty text reads as 0. A value beyond single range
// raises 6.
float ReadBack(const std::string& text) {
  double v = 0;
  std::from_chars(text.data(), text.data() + text.size(), v);
  return CSng(v);
}

// The limit rounded to 3 significant digits, the way it would be written.
float RoundedLimit(ErrorReporter& reporter, double v) {
  return ReadBack(EasyFormat(reporter, v, 3));
}

// Base-10 logarithm that fails, as the run-time's logarithm does, for a value that is not positive.
double CheckedLog10(double v) {
  if (!(v > 0)) Raise(err::InvalidProcedureCall);
  return std::log10(v);
}

// Evenness of a whole single: compared with twice the truncated half of its rounded 32-bit integer.
bool IsEven(float v) {
  return v == 2.0 * std::trunc(CLng(v) / 2.0);
}

void ScaleLogarithmic(ErrorReporter& reporter, float& lower, float& upper, int16_t& majorDivs,
                      int16_t& minorDivs) {
  lower = RoundedLimit(reporter, 0.8 * lower);
  upper = RoundedLimit(reporter, 1.2 * upper);
  // Decades covered. Limits more than 38 decades apart overflow a single ratio; take it in double then.
  const float ratio = upper / lower;
  const double decades = std::isinf(ratio) ? static_cast<double>(upper) / lower : ratio;
  majorDivs = CInt(std::floor(CheckedLog10(decades)) + 1);
  minorDivs = 9;
}

void ScaleLinear(float& lower, float& upper, int16_t& majorDivs, int16_t& minorDivs, int16_t& decimals) {
  // Refused before anything is written: the limits would become infinite or NaN.
  if (std::isinf(upper - lower)) Raise(err::Overflow);

  // Pull the limits in a little, so that data lying exactly on a round value needs no extra division.
  const float d = (upper - lower) / 1000.0f;
  lower = lower + d;
  upper = upper - d;

  // A power of ten that brings the range to more than 1 and at most 10.
  const float range = upper - lower;
  const int16_t b = AddInt16(CInt(CheckedLog10(CheckedDivide(1.0, range))), 1);
  double scale = 1;
  for (int i = 0; i < std::abs(b); ++i) scale *= 10;
  if (b < 0) scale = 1 / scale;
  decimals = b < 2 ? int16_t{2} : b;
  if (range * scale > 10) scale /= 10;

  // Round outwards to whole scaled units.
  const float pl = static_cast<float>(lower * scale);
  float sl = std::trunc(pl);
  if (pl < 0 && Frac(pl) != 0) sl -= 1;
  const float pu = static_cast<float>(upper * scale);
  float su = std::trunc(pu);
  if (pu >= 0 && Frac(pu) != 0) su += 1;

  majorDivs = CInt(su - sl);
  if (majorDivs < 4) majorDivs = AddInt16(majorDivs, majorDivs);
  if (majorDivs > 9) {
    if (majorDivs % 2 == 0) {
      majorDivs = static_cast<int16_t>(majorDivs / 2);
    } else {
      // An odd count is halved over a range widened by one unit, on the side that keeps the lower
      // limit on an even unit.
      if (IsEven(sl)) {
        su += 1;
      } else {
        sl -= 1;
      }
      majorDivs = static_cast<int16_t>((majorDivs + 1) / 2);
    }
  }

  const float newLower = CSng(sl / scale);
  const float newUpper = CSng(su / scale);
  lower = newLower;
  upper = newUpper;
  if (majorDivs < 1) majorDivs = 1;

  // Minor divisions from the leading digit of the step (of its reciprocal below 1).
  const float step = (upper - lower) / majorDivs;
  if (step > 0) {
    minorDivs = CInt(std::pow(10.0, Frac(static_cast<float>(std::log10(step)))));
    if (minorDivs < 2) minorDivs = 2;
  } else {
    minorDivs = 1;
  }
  if (minorDivs == 10) minorDivs = 5;
}

}  // namespace

void AutoScale(ErrorReporter& reporter, float& lower, float& upper, int16_t& majorDivs, int16_t& minorDivs,
               int16_t& decimals, bool& logFlag) {
  Guarded(reporter, "AutoScale", [&] {
    if (!std::isfinite(lower) || !std::isfinite(upper)) Raise(err::Overflow);
    if (upper < lower) std::swap(lower, upper);
    // Equal limits get a range of 1; where 1 is lost in single precision, the next single up.
    if (upper == lower) upper = std::max(lower + 1.0f, std::nextafter(lower, HUGE_VALF));

    // No positive range can be made when the upper limit is not positive: scale linearly instead of
    // replacing the lower limit by a hundredth of a negative upper one.
    if (logFlag && upper <= 0) logFlag = false;
    if (logFlag && lower <= 0) lower = upper / 100.0f;
    if (logFlag && lower <= 0) logFlag = false;
    if (logFlag && upper / lower < 2.0f) logFlag = false;

    if (logFlag) {
      ScaleLogarithmic(reporter, lower, upper, majorDivs, minorDivs);
    } else {
      ScaleLinear(lower, upper, majorDivs, minorDivs, decimals);
    }
  });
}

}  // namespace plotara
