// Plotting the data sets of a graph: connecting lines, symbols or bars with stacking and error bars,
// function curves and data texts.
#pragma once

#include "model/Control.h"

namespace plotara {

// Draws every data set of the current graph, in order, clipped to its plot area; leaves the surface with
// a solid line style, the graph rectangle as clip and black as foreground colour.
void PlotDataSets(Control& c, Surface& s);
// Draws one point given in data units through the current axes of graph GraphIndex: range test, error
// bar, then the symbol. StackBaseX/StackBaseY are where a stacked bar starts.
void DataPointXY(Control& c, Surface& s, int16_t GraphIndex, int16_t DataIndex, int16_t Symbol, double X,
                 double Y, double E, int16_t Size, double StackBaseX, double StackBaseY);
// Foreground colour from a code: 0 black, 1 blue, 2 red, 3 green, 4 yellow, 5 magenta, 6 cyan, 7 white;
// any other code is itself a colour.
void SetLineColor(Control& c, Surface& s, int32_t Code);
// True when the control's evaluator holds an error for its current expression.
bool CheckError(Control& c);

}  // namespace plotara
