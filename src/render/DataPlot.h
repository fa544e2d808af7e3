// Plotting the data sets of a graph: connecting lines, symbols or bars with stacking and error bars,
// function curves and data texts.
#pragma once

#include "expr/CExpression.h"
#include "render/Drawing.h"
#include "render/ItemView.h"

namespace plotara {

// Draws every data set of the current graph, in order, clipped to its plot area; leaves the surface with
// a solid line style, the graph rectangle as clip and black as foreground colour.
void PlotDataSets(Drawing& d, Surface& s);
// Draws one point of a data set given in data units through the data set's axes: range test, error bar,
// then the symbol. StackBaseX/StackBaseY are where a stacked bar starts.
void DataPointXY(ErrorReporter& r, Surface& s, const ItemView& item, int16_t Symbol, double X, double Y,
                 double E, int16_t Size, double StackBaseX, double StackBaseY);
// Foreground colour from a code: 0 black, 1 blue, 2 red, 3 green, 4 yellow, 5 magenta, 6 cyan, 7 white;
// any other code is itself a colour.
void SetLineColor(ErrorReporter& r, Surface& s, int32_t Code);
// True when the evaluator holds an error for its current expression.
bool CheckError(const CExpression& e);

}  // namespace plotara
