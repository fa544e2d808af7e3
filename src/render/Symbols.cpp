#include "render/Symbols.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "platform/Conversions.h"
#include "render/Bars.h"

namespace plotara {

namespace {

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

void Triangle(ErrorReporter& r, Surface& s, bool PointUp, float PageX, float PageY, int16_t Size) {
  Guarded(r, "Triangle", [&] {
    const int16_t dir = PointUp ? 1 : -1;
    const int16_t rise = CInt(3.0 * dir * Size) / 2;  // 16-bit arithmetic, truncating division
    const int16_t drop = CInt(1.0 * Size * dir) / 2;
    const int32_t cx = s.PixelX(PageX), hw = s.PixelX(Size);
    const int32_t apexY = s.PixelY(static_cast<double>(PageY) - rise),
                  baseY = s.PixelY(static_cast<double>(PageY) + drop);
    const std::array<PixelPoint, 3> points{{{cx, apexY}, {cx - hw, baseY}, {cx + hw, baseY}}};
    s.Polygon(points);
  });
}

void Diamond(ErrorReporter& r, Surface& s, float PageX, float PageY, int16_t Size) {
  Guarded(r, "Diamond", [&] {
    const int32_t cx = s.PixelX(PageX), cy = s.PixelY(PageY), hw = s.PixelX(Size), hh = s.PixelY(Size);
    const std::array<PixelPoint, 4> points{{{cx, cy - hh}, {cx - hw, cy}, {cx, cy + hh}, {cx + hw, cy}}};
    s.Polygon(points);
  });
}

void xRectangle(ErrorReporter& r, Surface& s, float PageX, float PageY, int16_t HalfWidth,
                int16_t HalfHeight) {
  Guarded(r, "xRectangle", [&] {
    const int32_t cx = s.PixelX(PageX), cy = s.PixelY(PageY), hw = s.PixelX(HalfWidth),
                  hh = s.PixelY(HalfHeight);
    // One more pixel, so that the right and bottom edges are part of the square.
    s.Rectangle(cx - hw, cy - hh, cx + hw + 1, cy + hh + 1);
  });
}

void SymbolPen(Surface& s, const GradientSpec& fill) {
  s.FillColor = fill.Color1;
  s.ForeColor = fill.EdgeThickness != 0 ? fill.EdgeColor : fill.Color1;
  s.FillStyle = fill.Transparent ? FillKind::Transparent : FillKind::Solid;
  s.DrawWidth = std::max<int>(1, fill.EdgeThickness);
  s.DrawStyle = LineKind::Solid;
}

void DataPoint(ErrorReporter& r, Surface& s, const ItemView& item, int16_t Symbol, float PageX, float PageY,
               int16_t Size, bool LegendSample, double StackBaseX, double StackBaseY) {
  Guarded(r, "DataPoint", [&] {
    const GradientSpec fill = item.Data.DataFill;
    SymbolPen(s, fill);
    // Rectangles with an edge get the edge drawn again over their fill.
    auto rectangle = [&](int16_t hw, int16_t hh) {
      xRectangle(r, s, PageX, PageY, hw, hh);
      if (fill.EdgeThickness > 0) {
        s.FillStyle = FillKind::Transparent;
        xRectangle(r, s, PageX, PageY, hw, hh);
      }
    };
    // The line operation leaves out its last pixel; half a pixel more makes the mark reach it.
    const int32_t half = CLng(s.TwipsPerPixelX()) / 2;
    switch (Symbol) {
      case kSymbolNone:
        break;
      case kSymbolBar:
        Bar(r, s, item, PageX, PageY, Size, LegendSample, StackBaseX, StackBaseY);
        break;
      case kSymbolDot:
        s.PSet(PageX, PageY, s.ForeColor);
        break;
      case kSymbolCircle:
        s.Circle(PageX, PageY, Size);
        break;
      case kSymbolSquare:
        rectangle(Size, Size);
        break;
      case kSymbolDiamond:
        Diamond(r, s, PageX, PageY, Size);
        break;
      case kSymbolTriangleUp:
        Triangle(r, s, true, PageX, PageY, Size);
        break;
      case kSymbolTriangleDown:
        Triangle(r, s, false, PageX, PageY, Size);
        break;
      case kSymbolWideRectangle:
        rectangle(CInt(Size * 1.3), CInt(Size / 1.3));
        break;
      case kSymbolTallRectangle:
        rectangle(CInt(Size / 1.3), CInt(Size * 1.3));
        break;
      case kSymbolPlus:
        s.Line(PageX - Size, PageY, PageX + Size + half, PageY);
        s.Line(PageX, PageY + Size, PageX, PageY - Size - half);
        break;
      case kSymbolCross:
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
