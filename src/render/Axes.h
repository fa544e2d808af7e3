// Axes: the plot area, every X and Y axis of the current graph with ticks, grid lines, labels and titles,
// and the graph title. Axes of one kind on the same side stack outwards, each outside the space its
// predecessors used.
#pragma once

#include "model/Control.h"

namespace plotara {

// Lays out the axis lengths, paints the border band and plot area, draws every axis and the title.
void GraphAxes(Control& c, Surface& s);
// Draws axis `index` of the current graph; `first` resets the stacking of that kind of axis.
void DrawXAxis(Control& c, Surface& s, int16_t index, bool first);
void DrawYAxis(Control& c, Surface& s, int16_t index, bool first);
// A grid line across the plot area at a page position, in the grid colour of the current X axis
// (vertical) or Y axis, if that axis shows major or minor grid lines.
void GridLine(Control& c, Surface& s, float position, bool vertical, bool major);
// The value of major tick j of an axis drawn from x1 to x2: whole decades on a logarithmic axis, equal
// steps on a linear one, where a step that is zero up to the rounding of single-precision limits is 0.
double MajorTickValue(const AxisRecord& a, float x1, float x2, int j);

}  // namespace plotara
