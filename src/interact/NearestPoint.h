// The data point nearest a position on the page, measured on the page (so on the screen): what a host
// shows when the pointer rests over a chart.
#pragma once

#include "model/Records.h"
#include "platform/ErrorGuard.h"
#include "plotara/Navigation.h"

namespace plotara {

// Among the points of graph `graph` that are drawn (of data sets that are not hidden and draw a symbol,
// a line or an error bar; finite; inside the plot area), the one nearest (x, y) within maxDistance
// (surface units), the earlier on a tie; Found is false when there is none. A point is where its X and
// Y lie, also in a stacked bar. The blocks of each data set's index are searched first: a block whose
// points all lie farther away is passed over whole, so ten million points sorted by X take a few
// thousand reads. Failures (error 9 for a graph that does not exist) are reported as "NearestPoint".
PointHit NearestPoint(const ControlState& s, ErrorReporter& r, int16_t graph, float x, float y,
                      float maxDistance);

}  // namespace plotara
