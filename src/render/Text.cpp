#include "render/Text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/AsciiCase.h"
#include "platform/Conversions.h"
#include "platform/NumberScan.h"

namespace plotara {

namespace {

// The number at the start of a text, as a leading-number conversion reads it ("12pt" is 12, "x" is 0).
double LeadingNumber(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  const std::string number(s.substr(0, ScanDecimal(s).Length));
  return number.empty() ? 0 : std::strtod(number.c_str(), nullptr);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t from = 0;
  for (size_t at; (at = text.find("\r\n", from)) != std::string_view::npos; from = at + 2)
    lines.push_back(text.substr(from, at - from));
  lines.push_back(text.substr(from));
  return lines;
}

}  // namespace

FontDetails GetFontDetails(std::string_view spec) {
  FontDetails f;
  size_t from = 0;
  while (from <= spec.size()) {
    size_t bar = spec.find('|', from);
    if (bar == std::string_view::npos) bar = spec.size();
    const std::string_view field = spec.substr(from, bar - from);
    if (StartsWithNoCase(field, "Font=")) {
      f.Face = std::string(field.substr(5));
    } else if (StartsWithNoCase(field, "Bold")) {
      f.Bold = true;
    } else if (StartsWithNoCase(field, "Italic")) {
      f.Italic = true;
    } else {
      const double size = LeadingNumber(field);
      // A size that does not fit or rounds to nothing is a malformed field: ignored.
      if (size > 0 && size < 32767.5 && RoundHalfEven(size) >= 1)
        f.Size = static_cast<int16_t>(RoundHalfEven(size));
    }
    from = bar + 1;
  }
  return f;
}

void SetGraphFont(ErrorReporter& r, Surface& s, std::string_view spec) {
  Guarded(r, "SetGraphFont", [&] {
    const FontDetails f = GetFontDetails(spec);
    if (f.Face.empty()) return;
    s.FontName = f.Face;
    s.FontSize = f.Size;
    s.FontBold = f.Bold;
    s.FontItalic = f.Italic;
  });
}

TextBox PrintedBox(Surface& s, std::string_view text, float x, float y, int16_t hAlign, int16_t vAlign,
                   int16_t angle) {
  const double w = s.TextWidth(text), h = s.TextHeight(text);
  const double dx = hAlign == kAlignCentre ? w / 2 : hAlign == kAlignEnd ? w : 0;
  const double dy = vAlign == kAlignMiddle ? CInt(h / 2) : vAlign == kAlignBottom ? CInt(h) : 0;
  // As PrintText places it: the start point, then the text runs along (cos a, -sin a) and down across
  // (sin a, cos a).
  const double a = angle * 0.01745, c = angle == 0 ? 1 : std::cos(a), n = angle == 0 ? 0 : std::sin(a);
  const double sx = x - dx * c - dy * n, sy = y + dx * n - dy * c;
  const double xs[4] = {sx, sx + w * c, sx + h * n, sx + w * c + h * n};
  const double ys[4] = {sy, sy - w * n, sy + h * c, sy - w * n + h * c};
  TextBox box{static_cast<float>(xs[0]), static_cast<float>(ys[0]), static_cast<float>(xs[0]),
              static_cast<float>(ys[0])};
  for (int i = 1; i < 4; ++i) {
    box.Left = std::min(box.Left, static_cast<float>(xs[i]));
    box.Right = std::max(box.Right, static_cast<float>(xs[i]));
    box.Top = std::min(box.Top, static_cast<float>(ys[i]));
    box.Bottom = std::max(box.Bottom, static_cast<float>(ys[i]));
  }
  return box;
}

void PrintText(ErrorReporter& r, Surface& s, std::string_view text, float x, float y, int16_t hAlign,
               int16_t vAlign, OleColor colour, std::string_view spec, int16_t angle) {
  const OleColor saved = s.ForeColor;
  Guarded(r, "PrintText", [&] {
    // The lines are read from a copy: a handler of an error reported on the way may change the text.
    const std::string own(text);
    const std::vector<std::string_view> lines = SplitLines(own);
    SetGraphFont(r, s, spec);
    const double a = angle * 0.01745;
    if (colour != -1) s.ForeColor = colour;
    const int16_t escapement = CInt(static_cast<double>(angle) * 10);  // tenths of a degree, 16 bits
    float dx = 0;
    int16_t dy = 0;
    float lineHeight = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::string_view line = lines[i];
      if (hAlign == kAlignStart)
        dx = 0;
      else if (hAlign == kAlignCentre)
        dx = s.TextWidth(line) / 2;
      else if (hAlign == kAlignEnd)
        dx = s.TextWidth(line);
      if (vAlign == kAlignTop)
        dy = 0;
      else if (vAlign == kAlignMiddle)
        dy = CInt(s.TextHeight(line) / 2);
      else if (vAlign == kAlignBottom)
        dy = CInt(s.TextHeight(line));
      if (angle == 0) {
        s.CurrentX = x - dx;
        s.CurrentY = y - dy;
        s.Print(line);
      } else {
        const double sx = x - dx * std::cos(a) - dy * std::sin(a);
        const double sy = y + dx * std::sin(a) - dy * std::cos(a);
        s.CurrentX = static_cast<float>(sx);
        s.CurrentY = static_cast<float>(sy);
        // Rotated text goes to the pixel its start point lies in.
        s.TextOut(s.PixelX(sx, Surface::Rounding::TowardZero), s.PixelY(sy, Surface::Rounding::TowardZero),
                  line, escapement);
      }
      if (i == 0) lineHeight = s.TextHeight(lines[0]);
      x += static_cast<float>(lineHeight * std::sin(a));
      y += static_cast<float>(lineHeight * std::cos(a));
    }
  });
  s.ForeColor = saved;
}

}  // namespace plotara
