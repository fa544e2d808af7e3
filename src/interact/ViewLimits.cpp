#include "interact/ViewLimits.h"

#include <cmath>

namespace plotara {

double SmallestSpan(const ControlState& state, const AxisRecord& a, bool log) {
  const double full = log ? std::log(a.ScaleMax) - std::log(a.ScaleMin) : a.ScaleMax - a.ScaleMin;
  return std::fabs(full) / state.MaxZoomFactor;
}

void SetLimits(AxisRecord& a, double lo, double hi) {
  const bool highToLow = a.AxisValue1 > a.AxisValue2;
  a.AxisValue1 = highToLow ? hi : lo;
  a.AxisValue2 = highToLow ? lo : hi;
}

ViewWatch::ViewWatch(const ControlState& s) {
  for (const GraphRecord& g : s.Graphs) {
    axesBefore_.push_back(g.Axes.size());
    for (const AxisRecord& a : g.Axes) limits_.insert(limits_.end(), {a.AxisValue1, a.AxisValue2});
  }
}

void ViewWatch::Report(const ControlState& s, Notifier& n) const {
  auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
  size_t k = 0;
  for (size_t g = 0; g < axesBefore_.size() && g < s.Graphs.size(); ++g) {
    const std::vector<AxisRecord>& axes = s.Graphs[g].Axes;
    bool changed = false;
    // A gesture adds no axis; should one have come, the graph counts as changed.
    if (axes.size() != axesBefore_[g]) changed = true;
    for (size_t i = 0; i < axesBefore_[g]; ++i, k += 2)
      if (i < axes.size())
        changed |= !same(axes[i].AxisValue1, limits_[k]) || !same(axes[i].AxisValue2, limits_[k + 1]);
    if (changed) n.RaiseViewChanged(static_cast<int16_t>(g));
  }
}

}  // namespace plotara
