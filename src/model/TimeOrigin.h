// The origin of a time axis. Points are stored as single-precision floats, which hold an instant such as
// 1.77e9 seconds only to about two minutes; a time axis therefore counts every value it holds (its limits
// in use, its full range, its data range, and the coordinates of the points drawn on it) from an origin
// kept in double precision, and the host's values are converted where they enter and leave. An axis that
// is not a time axis has the origin 0, so its values are the host's, exactly.
#pragma once

#include <cstdint>

#include "model/Lookup.h"
#include "model/Records.h"

namespace plotara {

// The value an axis holds for a value the host gives, and the host's value of a value the axis holds.
inline double AxisValueOf(const AxisRecord& a, double hostValue) {
  return hostValue - a.TimeOrigin;
}
inline double HostValueOf(const AxisRecord& a, double axisValue) {
  return axisValue + a.TimeOrigin;
}

// Counts everything axis `index` of g holds from a new origin: its limits and ranges, and the X (or Y)
// coordinates of the points of every data set drawn on it, whose summaries are rebuilt.
void MoveTimeOrigin(GraphRecord& g, int16_t index, double origin);

// Makes axis `index` a time axis or a plain one. A new time axis that already has limits (fixed ones, or
// those of its points) takes the whole second at or below its lower full limit as its origin; one still
// waiting for its first point takes the origin from the first value that arrives. A plain axis goes back
// to the origin 0.
void SetAxisTime(GraphRecord& g, int16_t index, bool on);

// The first finite value on a time axis whose origin is pending makes its whole second the origin.
void TakeTimeOrigin(GraphRecord& g, int16_t index, double hostValue);

// A value the host gives for axis `index` (a point's coordinate, a limit), as the axis holds it. Inline:
// every point added passes here.
inline double TakeHostValue(GraphRecord& g, int16_t index, double hostValue) {
  AxisRecord& a = AxisAt(g, index);
  if (a.TimeOriginPending) [[unlikely]]
    TakeTimeOrigin(g, index, hostValue);
  return AxisValueOf(a, hostValue);
}

}  // namespace plotara
