#include "gradient/GradientColours.h"

#include <algorithm>
#include <cmath>

#include "platform/Conversions.h"

namespace plotara {

int GradientRamp(OleColor colour1, OleColor colour2, int count, float shift, bool reflected,
                 std::vector<OleColor>& colours) {
  count = std::max(count, 2);
  const double p = std::pow(10.0, static_cast<double>(shift));
  const int r1 = RedOf(colour1), g1 = GreenOf(colour1), b1 = BlueOf(colour1);
  // The differences are single precision, as in the rest of the control's colour blending.
  const float dr = static_cast<float>(RedOf(colour2) - r1);
  const float dg = static_cast<float>(GreenOf(colour2) - g1);
  const float db = static_cast<float>(BlueOf(colour2) - b1);
  // t stays within 0 .. 1, so every component stays within 0 .. 255.
  auto blend = [&](double t) {
    return Rgb(static_cast<int>(RoundHalfEven(r1 + t * dr)), static_cast<int>(RoundHalfEven(g1 + t * dg)),
               static_cast<int>(RoundHalfEven(b1 + t * db)));
  };

  colours.resize(static_cast<size_t>(count));
  colours.front() = colour1;
  colours.back() = colour2;
  if (!reflected) {
    for (int i = 1; i <= count - 2; ++i) colours[i] = blend(std::pow(static_cast<double>(i) / count, p));
  } else {
    const double half = count / 2.0;
    for (int i = 1; i <= (count - 1) / 2; ++i) {
      const OleColor c = blend(std::pow(i / half, p));
      colours[i] = c;
      colours[count - 1 - i] = c;
    }
  }
  return count;
}

}  // namespace plotara
