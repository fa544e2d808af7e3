// Point markers: twelve numbered shapes, bars and character markers, centred on a position already mapped
// to the page.
#pragma once

#include "platform/ErrorGuard.h"
#include "render/ItemView.h"
#include "surface/Surface.h"

namespace plotara {

// Sets pen and brush from the data set's symbol colours and draws marker `Symbol` at (PageX, PageY):
// 0 nothing, 1 a bar, 2 a dot, 3 a circle, 4 a square, 5 a diamond, 6 and 7 triangles up and down,
// 8 and 9 wide and tall rectangles, 10 a plus, 11 a cross, any other value the character with the code
// |Symbol|. Size is the half-extent in surface units. Leaves the fill style hollow.
void DataPoint(ErrorReporter& r, Surface& s, const ItemView& item, int16_t Symbol, float PageX, float PageY,
               int16_t Size, bool LegendSample, double StackBaseX, double StackBaseY);
// Pen and brush of a data set's symbols: fill, edge colour and width from its symbol colours.
void SymbolPen(Surface& s, const GradientSpec& fill);
// The polygon and rectangle markers, drawn in device pixels with the surface's current pen and brush.
void Triangle(ErrorReporter& r, Surface& s, bool PointUp, float PageX, float PageY, int16_t Size);
void Diamond(ErrorReporter& r, Surface& s, float PageX, float PageY, int16_t Size);
void xRectangle(ErrorReporter& r, Surface& s, float PageX, float PageY, int16_t HalfWidth,
                int16_t HalfHeight);

}  // namespace plotara
