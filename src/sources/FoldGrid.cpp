#include "sources/FoldGrid.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace plotara {

namespace {

// Beyond this margin most rows would be compared with the bounds anyway.
constexpr double kWidestMargin = 0.3;

double Scaled(bool log, double x) {
  return log ? std::log(x) : x;
}

// The grid in one scale. It starts at Bounds[1], where the first whole column begins (the first interval
// is the part of a column at the axis's limit), and reaches as far as the bounds keep to it: the end of
// the line, an interval of its own within a column, ends it.
FoldGrid Fit(const std::vector<double>& b, bool log) {
  FoldGrid g;
  g.Log = log;
  const size_t n = b.size() - 1;  // intervals
  if (n < 4 || (log && !(b.front() > 0))) return {};
  g.A = Scaled(log, b[1]);
  g.First = 1;
  size_t last = n - 1, reach = 1;
  // The slope from the bounds reached, again from the longer reach: a few rounds settle it.
  for (int round = 0; round < 4; ++round) {
    const double span = Scaled(log, b[last]) - g.A;
    if (!(span > 0)) return {};
    g.K = static_cast<double>(last - 1) / span;
    reach = 1;
    while (reach + 1 < n && std::fabs(g.U(b[reach + 1]) - static_cast<double>(reach)) <= kWidestMargin)
      ++reach;
    if (reach == last) break;
    last = reach;
  }
  if (reach < 3) return {};
  g.Last = reach;
  double deviation = 0;
  for (size_t i = g.First; i <= g.Last; ++i)
    deviation = std::max(deviation, std::fabs(g.U(b[i]) - static_cast<double>(i - g.First)));
  // An engine whose subtraction, product or logarithm rounds otherwise than this one (by a few units in
  // the last place) still places every row the grid places in the interval the bounds give.
  const double scale =
      std::fabs(g.A) + std::max(std::fabs(Scaled(log, b[g.First])), std::fabs(Scaled(log, b[g.Last])));
  g.Margin = deviation + 64 * DBL_EPSILON * (scale * g.K + static_cast<double>(n)) + 1e-9;
  if (!(g.Margin < kWidestMargin)) return {};
  return g;
}

}  // namespace

double FoldGrid::U(double x) const {
  return (Scaled(Log, x) - A) * K;
}

size_t FoldGrid::Interval(const std::vector<double>& b, double x) const {
  size_t k;
  if (Covers() && x >= b[First] && x < b[Last]) {
    const double columns = static_cast<double>(Last - First - 1);
    k = First + static_cast<size_t>(std::clamp(std::floor(U(x)), 0.0, columns));
  } else {
    k = static_cast<size_t>(std::upper_bound(b.begin(), b.end(), x) - b.begin());
    return k == 0 ? 0 : std::min(k - 1, b.size() - 2);
  }
  while (x < b[k]) --k;
  while (x >= b[k + 1]) ++k;
  return k;
}

FoldGrid MakeGrid(const std::vector<double>& bounds) {
  const FoldGrid linear = Fit(bounds, false), log = Fit(bounds, true);
  const auto reach = [](const FoldGrid& g) { return g.Last - g.First; };
  if (reach(log) != reach(linear)) return reach(log) > reach(linear) ? log : linear;
  return log.Margin < linear.Margin ? log : linear;
}

}  // namespace plotara
