#include "scale/RoundTicks.h"

#include <algorithm>
#include <cmath>

namespace plotara {

namespace {

// More ticks than this are never drawn: they would be closer than any page shows apart.
constexpr double kMaxRoundTicks = 2000;

}  // namespace

std::vector<double> MultiplesIn(double lo, double hi, double step) {
  std::vector<double> values;
  if (hi < lo) std::swap(lo, hi);
  if (!(std::isfinite(lo) && std::isfinite(hi) && step > 0)) return values;
  const double first = std::ceil(lo / step - 1e-6), last = std::floor(hi / step + 1e-6);
  if (!(last - first < kMaxRoundTicks)) return values;
  for (double k = first; k <= last; ++k) {
    const double v = k * step;
    values.push_back(std::fabs(v) < step * 1e-9 ? 0.0 : v);
  }
  return values;
}

RoundTicks ChooseRoundTicks(double lo, double hi, double maxTicks, const RoundLabelsFit& fits) {
  RoundTicks result;
  if (hi < lo) std::swap(lo, hi);
  const double span = hi - lo;
  if (!(std::isfinite(span) && span > 0)) return result;
  maxTicks = std::clamp(std::isnan(maxTicks) ? 1.0 : maxTicks, 1.0, kMaxRoundTicks);
  // From the power of ten below the finest step maxTicks allows, through 1, 2 and 5 of each.
  double decade = std::pow(10.0, std::floor(std::log10(span / maxTicks)));
  for (int i = 0;; ++i) {
    const double step = decade * (i % 3 == 0 ? 1 : i % 3 == 1 ? 2 : 5);
    if (i % 3 == 2) decade *= 10;
    if (span / step > maxTicks) continue;
    std::vector<double> values = MultiplesIn(lo, hi, step);
    if (step > span || !std::isfinite(step * 10) || fits(values)) {
      result.Step = step;
      result.Majors = std::move(values);
      return result;
    }
  }
}

int16_t RoundMinorDivisions(double step) {
  // No step (a range with no ticks gives 0): the divisions of a step of 1, never used.
  if (!(step > 0 && std::isfinite(step))) return 2;
  const double exponent = std::fabs(std::log10(step));
  const double minor = std::round(std::pow(10.0, exponent - std::floor(exponent)));
  if (minor >= 10) return 5;
  return static_cast<int16_t>(std::max(minor, 2.0));
}

std::vector<double> MinorMultiplesIn(double lo, double hi, double step, int divisions) {
  std::vector<double> values;
  if (divisions < 2) return values;
  if (hi < lo) std::swap(lo, hi);
  // The minor ticks are the multiples of step / divisions that are not multiples of step.
  const std::vector<double> all = MultiplesIn(lo, hi, step / divisions);
  const double first = std::ceil(lo / (step / divisions) - 1e-6);
  for (size_t i = 0; i < all.size(); ++i)
    if (static_cast<int64_t>(first + static_cast<double>(i)) % divisions != 0) values.push_back(all[i]);
  return values;
}

}  // namespace plotara
