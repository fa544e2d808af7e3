#include "model/TimeOrigin.h"

#include <algorithm>
#include <cmath>

namespace plotara {

void MoveTimeOrigin(GraphRecord& g, int16_t index, double origin) {
  AxisRecord& a = AxisAt(g, index);
  const double shift = a.TimeOrigin - origin;
  if (shift == 0) {
    a.TimeOrigin = origin;
    return;
  }
  for (double* v : {&a.AxisValue1, &a.AxisValue2, &a.ScaleMin, &a.ScaleMax, &a.DataMin, &a.DataMax})
    *v += shift;
  a.TimeOrigin = origin;
  size_t first = 0;
  for (DataSetRecord& d : g.DataSets) {
    const size_t end = first + static_cast<size_t>(d.PointCount);
    const bool x = d.DataXAxis == index, y = d.DataYAxis == index;
    if (x || y) {
      d.Index.Clear();
      for (size_t i = first; i < end && i < g.Points.Count(); ++i) {
        Point& p = g.Points[i];
        if (x) p.X = static_cast<float>(p.X + shift);
        if (y) p.Y = static_cast<float>(p.Y + shift);
        d.Index.Add(p.X, p.Y, p.E);
      }
    }
    first = end;
  }
}

void SetAxisTime(GraphRecord& g, int16_t index, bool on) {
  AxisRecord& a = AxisAt(g, index);
  if (on == a.AxisTime) return;
  a.AxisTime = on;
  a.TimeOriginPending = false;
  if (!on) {
    MoveTimeOrigin(g, index, 0);
    return;
  }
  if (a.AxisScale == kScaleAutomatic && a.LimitsPending) {
    a.TimeOriginPending = true;
    return;
  }
  const double low = HostValueOf(a, std::min(a.ScaleMin, a.ScaleMax));
  if (std::isfinite(low)) MoveTimeOrigin(g, index, std::floor(low));
}

void TakeTimeOrigin(GraphRecord& g, int16_t index, double hostValue) {
  AxisRecord& a = AxisAt(g, index);
  if (!(a.TimeOriginPending && std::isfinite(hostValue))) return;
  a.TimeOriginPending = false;
  MoveTimeOrigin(g, index, std::floor(hostValue));
}

}  // namespace plotara
