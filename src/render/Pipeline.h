// The refresh pipeline: the page and every included graph drawn back to front into the back buffer
// GraphImage, the page without the front graph kept in Picture2, and the result shown on Picture1; and
// the layout of one graph on the page.
#pragma once

#include "render/Drawing.h"

namespace plotara {

// Area codes of ClipGraphArea and DrawGradient.
enum AreaCode : int16_t { kAreaPage = 0, kAreaGraph = 1, kAreaPlot = 2, kAreaLegend = 3 };

// The plot area of a graph in surface units, its edges placed exactly where PosX and PosY put the limits
// of the current axes.
struct PlotBox {
  float L, T, R, B;  // left, top, right, bottom
  float XL, YL;      // the lengths of the current X and Y axes
};
PlotBox PlotOf(const GraphRecord& g);

// Redraws everything (WhichIndex negative) or graph WhichIndex alone over the saved background. With
// LegndOnPic1 the graph's legend table is drawn on Picture1 only, so that it can be moved cheaply.
void RefreshGraphs(Drawing& d, int16_t WhichIndex, bool LegndOnPic1);
// Draws one graph and makes it the current graph; without its legend table when legend is false.
void DrawGraph(Drawing& d, Surface& s, int16_t index, bool legend = true);
// The current graph's rectangle from its position on the page, and its legend position.
void CalcBorders(ControlState& state, ErrorReporter& r);
// Restricts drawing on the surface to an area of the current graph (or the page).
void ClipGraphArea(const ControlState& state, ErrorReporter& r, Surface& s, int16_t code);
// Paints the page on GraphImage.
void DrawPageBackground(Drawing& d);
// Paints the current graph's border band and plot area.
void DrawPlotArea(Drawing& d, Surface& s);

}  // namespace plotara
