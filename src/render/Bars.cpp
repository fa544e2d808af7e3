#include "render/Bars.h"

#include <cmath>
#include <vector>

#include "model/TimeOrigin.h"
#include "platform/Conversions.h"
#include "render/Fills.h"

namespace plotara {

void Bar(ErrorReporter& r, Surface& s, const ItemView& item, float PageX, float PageY, int16_t Size,
         bool LegendSample, double StackBaseX, double StackBaseY) {
  Guarded(r, "Bar", [&] {
    const GraphRecord& g = item.Graph;
    const DataSetRecord& d = item.Data;
    const float half = 0.9f * Size;
    const float mmX = item.UnitsPerMmX, mmY = item.UnitsPerMmY;
    float x1, y1, x2, y2;
    if (LegendSample) {
      if (d.BarHoriz) {
        x1 = PageX - 1.5f * mmX;
        x2 = PageX + 1.5f * mmX;
        y1 = PageY - half;
        y2 = PageY + half;
      } else {
        x1 = PageX - half;
        x2 = PageX + half;
        y1 = PageY - 1.5f * mmY;
        y2 = PageY + 1.5f * mmY;
      }
    } else if (d.BarHoriz) {
      const float off = static_cast<float>(mmY * d.BarOffset);
      // Without a base value the bar starts left of the plot area; the clipping cuts it at its edge.
      x1 = d.BarBase ? item.PosX(AxisValueOf(item.XAxis, d.BarBaseValue)) : g.RectLeft - half;
      x2 = PageX;
      y1 = PageY - half + off;
      y2 = PageY + half + off;
      if (d.BarStacked && item.Index > 0) x1 = item.PosX(StackBaseX);
    } else {
      const float off = static_cast<float>(mmX * d.BarOffset);
      x1 = PageX - half + off;
      x2 = PageX + half + off;
      y1 = d.BarBase ? item.PosY(AxisValueOf(item.YAxis, d.BarBaseValue)) : g.RectTop + g.RectHeight + half;
      y2 = PageY;
      if (d.BarStacked && item.Index > 0) y1 = item.PosY(StackBaseY);
    }
    if (d.BarShadow) s.FilledBox(x1 + mmX, y1 + mmY, x2 + mmX, y2 + mmY, d.BarShadowColor);
    if (s.FillStyle == FillKind::Transparent) {
      s.Box(x1, y1, x2, y2, s.FillColor);
    } else if (d.Bar3D) {
      Draw3DBar(r, s, d.BarHoriz, x1, y1, x2, y2, d.DataFill.EdgeColor, d.DataFill.Color1);
    } else {
      s.FilledBox(x1, y1, x2, y2, s.FillColor);
    }
    if (d.DataFill.EdgeThickness != 0) {
      s.FillStyle = FillKind::Transparent;
      s.Box(x1, y1, x2, y2, d.DataFill.EdgeColor);
    }
  });
}

void Draw3DBar(ErrorReporter& r, Surface& s, bool Horizontal, float X1, float Y1, float X2, float Y2,
               OleColor Colour1, OleColor Colour2) {
  Guarded(r, "Draw3DBar", [&] {
    // One line per surface unit, from both long sides inwards at once.
    const int16_t n = CInt(std::fabs(Horizontal ? Y2 - Y1 : X2 - X1)) / 2;
    std::vector<OleColor> colours;
    BlendColors(r, Colour1, Colour2, n, colours);
    for (int k = 0; k < n; ++k) {
      s.ForeColor = colours[static_cast<size_t>(k)];
      if (Horizontal) {
        s.Line(X1, Y1 + k, X2, Y1 + k);
        s.Line(X1, Y2 - k, X2, Y2 - k);
      } else {
        s.Line(X1 + k, Y1, X1 + k, Y2);
        s.Line(X2 - k, Y1, X2 - k, Y2);
      }
    }
  });
}

void ErrorBar(ErrorReporter& r, Surface& s, const ItemView& item, float& PageX, float Y1, float Y2) {
  Guarded(r, "ErrorBar", [&] {
    const double tpp = s.TwipsPerPixelX();
    PageX = static_cast<float>(RoundHalfEven(PageX / tpp) * tpp);
    const float cap = static_cast<float>(RoundHalfEven(item.UnitsPerMmX / tpp) * tpp);
    s.ForeColor = item.Data.BarShadowColor;
    s.DrawWidth = 1;
    s.Line(PageX, Y1, PageX, Y2);
    s.Line(PageX - cap, Y1, PageX + cap, Y1);
    s.Line(PageX - cap, Y2, PageX + cap, Y2);
  });
}

void HorizErrorBar(ErrorReporter& r, Surface& s, const ItemView& item, float PageY, float X1, float X2) {
  Guarded(r, "HorizErrorBar", [&] {
    const float mmY = item.UnitsPerMmY;
    s.ForeColor = item.Data.DataFill.EdgeColor;
    s.DrawWidth = 1;
    s.Line(X1, PageY, X2, PageY);
    s.Line(X1, PageY - mmY, X1, PageY + mmY);
    s.Line(X2, PageY - mmY, X2, PageY + mmY);
  });
}

}  // namespace plotara
