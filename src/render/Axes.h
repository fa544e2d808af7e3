// Axes: the plot area, every X and Y axis of the current graph with ticks, grid lines, labels and titles,
// and the graph title. Axes of one kind on the same side stack outwards, each outside the space its
// predecessors used.
#pragma once

#include <vector>

#include "render/Drawing.h"
#include "render/Pipeline.h"
#include "render/Text.h"

namespace plotara {

// Space already taken by axes on each side of the plot area of the graph being drawn, surface units,
// and the labels of planned ticks drawn so far, which later ones keep clear of.
struct AxisSpace {
  int16_t Below = 0, Above = 0, Left = 0, Right = 0;
  std::vector<TextBox> Labels;
};

// Lays out the axis lengths, paints the border band and plot area, draws every axis and the title.
void GraphAxes(Drawing& d, Surface& s);
// Draws axis `index` of the current graph beyond the space its kind already takes on its side, and adds
// the space it takes; `first` resets the space of that kind of axis.
void DrawXAxis(Drawing& d, Surface& s, AxisSpace& space, int16_t index, bool first);
void DrawYAxis(Drawing& d, Surface& s, AxisSpace& space, int16_t index, bool first);
// A grid line across the plot area p at a page position, in the grid colour of axis a (an X axis draws
// vertical ones), if that axis shows major or minor grid lines.
void GridLine(ErrorReporter& r, Surface& s, const PlotBox& p, const AxisRecord& a, float position,
              bool vertical, bool major);
// The value of major tick j of an axis drawn from x1 to x2: whole decades on a logarithmic axis, equal
// steps on a linear one, where a step that is zero up to the rounding of single-precision limits is 0.
double MajorTickValue(const AxisRecord& a, float x1, float x2, int j);

}  // namespace plotara
