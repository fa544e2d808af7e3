// The view of a graph is the limits in use of its axes. The rules every change of it keeps: within the
// full range, never narrower than the full span divided by MaxZoomFactor, a logarithmic axis in log
// space. And the watch that tells the host a gesture changed a view.
#pragma once

#include <cstddef>
#include <vector>

#include "model/Notifier.h"
#include "model/Records.h"

namespace plotara {

// An axis is zoomed and panned in log space when it is logarithmic and all its limits are positive (one
// that is not is drawn linearly too).
inline bool InLogSpace(const AxisRecord& a) {
  return a.AxisLog && a.AxisValue1 > 0 && a.AxisValue2 > 0 && a.ScaleMin > 0 && a.ScaleMax > 0;
}

// The smallest range a zoom may leave, in the axis's own scale.
double SmallestSpan(const ControlState& state, const AxisRecord& a, bool log);

// Sets the limits in use from lo <= hi, in the order the axis had them.
void SetLimits(AxisRecord& a, double lo, double hi);

// The views of every graph, taken before a gesture. Report then raises ViewChanged once for each graph
// whose view the gesture changed.
class ViewWatch {
 public:
  explicit ViewWatch(const ControlState& s);
  void Report(const ControlState& s, Notifier& n) const;

 private:
  std::vector<double> limits_;      // AxisValue1 and AxisValue2 of every axis, graph after graph
  std::vector<size_t> axesBefore_;  // the number of axes of each graph
};

// Runs a gesture, then tells the host of every view it changed.
template <class Gesture>
void WatchingViews(const ControlState& s, Notifier& n, Gesture&& gesture) {
  const ViewWatch watch(s);
  gesture();
  watch.Report(s, n);
}

}  // namespace plotara
