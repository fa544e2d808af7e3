// Text output: font descriptions ("Font=Times New Roman|12|Bold|Italic") and PrintText, the one routine
// through which every text of the control reaches a surface: several lines, nine alignments around an
// anchor, a colour, any angle.
#pragma once

#include <string>
#include <string_view>

#include "platform/ErrorGuard.h"
#include "surface/Surface.h"

namespace plotara {

// Where PrintText's anchor lies on the text: horizontally at its start, centre or end; vertically at its
// top, middle or bottom.
enum TextAlign : int16_t {
  kAlignStart = 0,
  kAlignCentre = 1,
  kAlignEnd = 2,
  kAlignTop = 0,
  kAlignMiddle = 1,
  kAlignBottom = 2,
};

struct FontDetails {
  std::string Face = "Arial";
  int16_t Size = 9;
  bool Bold = false;
  bool Italic = false;
};

// Parses a font description; fields that match nothing are ignored, later fields win. Never fails.
FontDetails GetFontDetails(std::string_view spec);

// Applies a font description to the surface. A description whose "Font=" field is empty leaves the
// surface's font as it is.
void SetGraphFont(ErrorReporter& r, Surface& s, std::string_view spec);

// Prints text (lines separated by "\r\n") anchored at (x, y) in surface units, aligned as TextAlign says
// (any other alignment keeps the offset of the previous line, 0 for the first).
// colour -1 keeps the surface's text colour; angle in degrees, counter-clockwise. The surface's text
// colour is restored afterwards; its font stays as the description set it.
void PrintText(ErrorReporter& r, Surface& s, std::string_view text, float x, float y, int16_t hAlign,
               int16_t vAlign, OleColor colour, std::string_view spec, int16_t angle);

// The page rectangle a one-line text takes when PrintText prints it at (x, y) with these alignments and
// angle, in the surface's current font: the bounds of the turned text.
struct TextBox {
  float Left, Top, Right, Bottom;
  bool Overlaps(const TextBox& o, float gap) const {
    return Left < o.Right + gap && o.Left < Right + gap && Top < o.Bottom + gap && o.Top < Bottom + gap;
  }
};
TextBox PrintedBox(Surface& s, std::string_view text, float x, float y, int16_t hAlign, int16_t vAlign,
                   int16_t angle);

}  // namespace plotara
