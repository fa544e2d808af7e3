#include "render/Symbols.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "platform/Conversions.h"
#include "render/Bars.h"

namespace plotara {

namespace {

// A surface coordinate as a device pixel, to the nearest pixel.
int32_t Px(const Surface& s, double twips) { return CLng(twips / s.TwipsPerPixelX()); }
int32_t Py(const Surface& s, double twips) { return CLng(twips / s.TwipsPerPixelY()); }

// The UTF-8 text of one character code.
std::string CharacterOf(int code) {
  std::string t;
  const auto u = static_cast<uint32_t>(code);
  if (u < 0x80) {
    t += static_cast<char>(u);
  } else if (u < 0x800) {
    t += static_cast<char>(0xC0 | (u >> 6));
    t += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    t += static_cast<char>(0xE0 | (u >> 12));
    t += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    t += static_cast<char>(0x80 | (u & 0x3F));
  }
  return t;
}

}  // namespace

void Triangle(Control& c, Surface& s, bool PointUp, float PageX, float PageY, int16_t Size) {
  c.Guard("Triangle", [&] {
    const int16_t dir = PointUp ? 1 : -1;
    const int16_t rise = CInt(3.0 * dir * Size) / 2;  // 16-bit arithmetic, truncating division
    const int16_t drop = CInt(1.0 * Size * dir) / 2;
    const int32_t cx = Px(s, PageX), hw = Px(s, Size);
    const int32_t apexY = Py(s, static_cast<double>(PageY) - rise), baseY = Py(s, static_cast<double>(PageY) + drop);
    const std::array<PixelPoint, 3> points{{{cx, apexY}, {cx - hw, baseY}, {cx + hw, baseY}}};
    s.Polygon(points);
  });
}

void Diamond(Control& c, Surface& s, float PageX, float PageY, int16_t Size) {
  c.Guard("Diamond", [&] {
    const int32_t cx = Px(s, PageX), cy = Py(s, PageY), hw = Px(s, Size), hh = Py(s, Size);
    const std::array<PixelPoint, 4> points{{{cx, cy - hh}, {cx - hw, cy}, {cx, cy + hh}, {cx + hw, cy}}};
    s.Polygon(points);
  });
}

void xRectangle(Control& c, Surface& s, float PageX, float PageY, int16_t HalfWidth, int16_t HalfHeight) {
  c.Guard("xRectangle", [&] {
    const int32_t cx = Px(s, PageX), cy = Py(s, PageY), hw = Px(s, HalfWidth), hh = Py(s, HalfHeight);
    // One more pixel, so that the right and bottom edges are part of the square.
    s.Rectangle(cx - hw, cy - hh, cx + hw + 1, cy + hh + 1);
  });
}

void DataPoint(Control& c, Surface& s, int16_t GraphIndex, int16_t DataIndex, int16_t Symbol, float PageX, float PageY,
               int16_t Size, bool LegendSample, double StackBaseX, double StackBaseY) {
  c.Guard("DataPoint", [&] {
    GraphRecord& g = c.Graph(GraphIndex);
    if (DataIndex < 0 || DataIndex >= g.NumDataSets) Raise(err::SubscriptOutOfRange);
    const GradientSpec fill = g.DataSets[static_cast<size_t>(DataIndex)].DataFill;
    s.FillColor = fill.Color1;
    s.ForeColor = fill.EdgeThickness != 0 ? fill.EdgeColor : fill.Color1;
    s.FillStyle = fill.Transparent ? FillKind::Transparent : FillKind::Solid;
    s.DrawWidth = std::max<int>(1, fill.EdgeThickness);
    s.DrawStyle = LineKind::Solid;
    // Rectangles with an edge get the edge drawn again over their fill.
    auto rectangle = [&](int16_t hw, int16_t hh) {
      xRectangle(c, s, PageX, PageY, hw, hh);
      if (fill.EdgeThickness > 0) {
        s.FillStyle = FillKind::Transparent;
        xRectangle(c, s, PageX, PageY, hw, hh);
      }
    };
    // The line operation leaves out its last pixel; half a pixel more makes the mark reach it.
    const int32_t half = CLng(s.TwipsPerPixelX()) / 2;
    switch (Symbol) {
      case 0: break;
      case 1: Bar(c, s, DataIndex, PageX, PageY, Size, LegendSample, StackBaseX, StackBaseY); break;
      case 2: s.PSet(PageX, PageY, s.ForeColor); break;
      case 3: s.Circle(PageX, PageY, Size); break;
      case 4: rectangle(Size, Size); break;
      case 5: Diamond(c, s, PageX, PageY, Size); break;
      case 6: Triangle(c, s, true, PageX, PageY, Size); break;
      case 7: Triangle(c, s, false, PageX, PageY, Size); break;
      case 8: rectangle(CInt(Size * 1.3), CInt(Size / 1.3)); break;
      case 9: rectangle(CInt(Size / 1.3), CInt(Size * 1.3)); break;
      case 10:
        s.Line(PageX - Size, PageY, PageX + Size + half, PageY);
        s.Line(PageX, PageY + Size, PageX, PageY - Size - half);
        break;
      case 11:
        s.Line(PageX - Size, PageY - Size, PageX + Size + half, PageY + Size + half);
        s.Line(PageX - Size, PageY + Size, PageX + Size + half, PageY - Size - half);
        break;
      default: {
        if (Symbol == INT16_MIN) Raise(err::Overflow);  // its magnitude has no 16-bit value
        const std::string ch = CharacterOf(std::abs(Symbol));
        const int32_t w = CLng(s.TextWidth(ch)), h = CLng(s.TextHeight(ch));
        s.CurrentX = PageX - w / 2;
        s.CurrentY = PageY - h / 2;
        s.Print(ch);
        break;
      }
    }
    s.FillStyle = FillKind::Transparent;
  });
}

}  // namespace plotara
