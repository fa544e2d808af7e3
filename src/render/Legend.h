// The legend table: a box inside a graph with one row per listed data set (line and symbol samples and the
// legend text), and a saved copy of its pixels from which a dragged legend is redrawn.
#pragma once

#include "render/Drawing.h"

namespace plotara {

// Measures, places (held inside the graph rectangle), fills and draws the legend table of a graph, then
// keeps its image from Picture1 in ScratchPic1. A table that would not fit is not drawn.
void LegendTable(Drawing& d, Surface& s, int16_t GraphIndex);
// Stores a new legend position in surface units; the next LegendTable holds it inside the graph.
void LegendPosition(ControlState& state, ErrorReporter& r, int16_t GraphIndex, int32_t Left, int32_t Top);

}  // namespace plotara
