// Bars of bar data sets (symbol 1) and error bars.
#pragma once

#include "platform/ErrorGuard.h"
#include "render/ItemView.h"
#include "surface/Surface.h"

namespace plotara {

// The bar of a data set for the point mapped to (PageX, PageY): from the base value or the edge of the
// graph, shifted by BarOffset, stacked on StackBaseX/StackBaseY, with its shadow, flat or shaded body and
// edge. As a legend sample, a short piece of bar centred on the point. Uses the fill colour, fill style
// and pen that DataPoint set just before.
void Bar(ErrorReporter& r, Surface& s, const ItemView& item, float PageX, float PageY, int16_t Size,
         bool LegendSample, double StackBaseX, double StackBaseY);
// Shades a rectangle with lines from Colour1 at its long sides to Colour2 in the middle.
void Draw3DBar(ErrorReporter& r, Surface& s, bool Horizontal, float X1, float Y1, float X2, float Y2,
               OleColor Colour1, OleColor Colour2);
// A vertical error bar from Y1 to Y2 with caps one millimetre wide each side; PageX comes back snapped to
// the pixel grid, where the point's symbol belongs.
void ErrorBar(ErrorReporter& r, Surface& s, const ItemView& item, float& PageX, float Y1, float Y2);
// A horizontal error bar from X1 to X2 with caps one millimetre high each side.
void HorizErrorBar(ErrorReporter& r, Surface& s, const ItemView& item, float PageY, float X1, float X2);

}  // namespace plotara
