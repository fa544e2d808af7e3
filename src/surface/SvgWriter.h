// SVG documents written from a document surface's list of shapes: compact numbers (hundredths of a
// pixel, relative steps), one style per run of shapes alike, a marker drawn again and again (a symbol of
// a data set) defined once and used at each place, glyphs defined once. Text is glyph outlines, which
// look the same in every viewer, or <text> elements that can be selected and searched, in the font the
// picture was laid out with and at the same glyph positions.
#pragma once

#include <string>

#include "surface/ShapeList.h"

namespace plotara {

struct SvgPage {
  double widthPt = 0, heightPt = 0;  // the page
  double viewW = 0, viewH = 0;       // the pixels the page shows
  bool text = false;                 // <text> rather than glyph outlines
};

std::string SvgDocument(const ShapeList& list, const SvgPage& page);

}  // namespace plotara
