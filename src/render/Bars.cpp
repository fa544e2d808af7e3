#include "render/Bars.h"

#include <cmath>
#include <vector>

#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "render/Fills.h"
#include "scale/Mapping.h"

namespace plotara {

void Bar(Control& c, Surface& s, int16_t DataIndex, float PageX, float PageY, int16_t Size, bool LegendSample,
         double StackBaseX, double StackBaseY) {
  c.Guard("Bar", [&] {
    GraphRecord& g = c.Current();
    const DataSetRecord& d = DataSetAt(g, DataIndex);
    const float half = 0.9f * Size;
    const float mmX = c.UnitsPerMmX, mmY = c.UnitsPerMmY;
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
      x1 = d.BarBase ? PosX(c, c, d.BarBaseValue) : g.RectLeft - half;
      x2 = PageX;
      y1 = PageY - half + off;
      y2 = PageY + half + off;
      if (d.BarStacked && DataIndex > 0) x1 = PosX(c, c, StackBaseX);
    } else {
      const float off = static_cast<float>(mmX * d.BarOffset);
      x1 = PageX - half + off;
      x2 = PageX + half + off;
      y1 = d.BarBase ? PosY(c, c, d.BarBaseValue) : g.RectTop + g.RectHeight + half;
      y2 = PageY;
      if (d.BarStacked && DataIndex > 0) y1 = PosY(c, c, StackBaseY);
    }
    if (d.BarShadow) s.FilledBox(x1 + mmX, y1 + mmY, x2 + mmX, y2 + mmY, d.BarShadowColor);
    if (s.FillStyle == FillKind::Transparent) {
      s.Box(x1, y1, x2, y2, s.FillColor);
    } else if (d.Bar3D) {
      Draw3DBar(c, s, d.BarHoriz, x1, y1, x2, y2, d.DataFill.EdgeColor, d.DataFill.Color1);
    } else {
      s.FilledBox(x1, y1, x2, y2, s.FillColor);
    }
    if (d.DataFill.EdgeThickness != 0) {
      s.FillStyle = FillKind::Transparent;
      s.Box(x1, y1, x2, y2, d.DataFill.EdgeColor);
    }
  });
}

void Draw3DBar(Control& c, Surface& s, bool Horizontal, float X1, float Y1, float X2, float Y2,
               OleColor Colour1, OleColor Colour2) {
  c.Guard("Draw3DBar", [&] {
    // One line per surface unit, from both long sides inwards at once.
    const int16_t n = CInt(std::fabs(Horizontal ? Y2 - Y1 : X2 - X1)) / 2;
    std::vector<OleColor> colours;
    BlendColors(c, Colour1, Colour2, n, colours);
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

void ErrorBar(Control& c, Surface& s, int16_t GraphIndex, int16_t DataIndex, float& PageX, float Y1,
              float Y2) {
  c.Guard("ErrorBar", [&] {
    const double tpp = s.TwipsPerPixelX();
    PageX = static_cast<float>(RoundHalfEven(PageX / tpp) * tpp);
    const float cap = static_cast<float>(RoundHalfEven(c.UnitsPerMmX / tpp) * tpp);
    s.ForeColor = DataSetAt(c.Graph(GraphIndex), DataIndex).BarShadowColor;
    s.DrawWidth = 1;
    s.Line(PageX, Y1, PageX, Y2);
    s.Line(PageX - cap, Y1, PageX + cap, Y1);
    s.Line(PageX - cap, Y2, PageX + cap, Y2);
  });
}

void HorizErrorBar(Control& c, Surface& s, int16_t GraphIndex, int16_t DataIndex, float PageY, float X1,
                   float X2) {
  c.Guard("HorizErrorBar", [&] {
    const float mmY = c.UnitsPerMmY;
    s.ForeColor = DataSetAt(c.Graph(GraphIndex), DataIndex).DataFill.EdgeColor;
    s.DrawWidth = 1;
    s.Line(X1, PageY, X2, PageY);
    s.Line(X1, PageY - mmY, X1, PageY + mmY);
    s.Line(X2, PageY - mmY, X2, PageY + mmY);
  });
}

}  // namespace plotara
