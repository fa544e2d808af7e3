#include "render/Fills.h"

#include "render/Painters.h"
#include "model/Graphs.h"
#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "render/Pipeline.h"
#include "model/Layout.h"

namespace plotara {

int16_t BlendColors(Control& c, OleColor colour1, OleColor colour2, int16_t steps, std::vector<OleColor>& colours) {
  int16_t n = 0;
  c.Guard("BlendColors", [&] {
    n = steps < 2 ? int16_t{2} : steps;
    const int r1 = RedOf(colour1), g1 = GreenOf(colour1), b1 = BlueOf(colour1);
    const float dr = static_cast<float>(RedOf(colour2) - r1), dg = static_cast<float>(GreenOf(colour2) - g1),
                db = static_cast<float>(BlueOf(colour2) - b1);
    colours.assign(static_cast<size_t>(n), 0);
    colours.front() = colour1;
    colours.back() = colour2;
    for (int i = 1; i <= n - 2; ++i) {
      const float t = static_cast<float>(i) / static_cast<float>(n);
      colours[static_cast<size_t>(i)] = Rgb(CInt(t * dr + r1), CInt(t * dg + g1), CInt(t * db + b1));
    }
  });
  return n;
}

void DrawGradient(Control& c, Surface& s, int16_t areaCode, const GradientSpec& fill) {
  c.Guard("DrawGradient", [&] {
    if (c.NumGraphs() < 1 || fill.Transparent) return;
    ClipGraphArea(c, s, areaCode);
    clsGradient& painter = GradientPainter(c);
    painter.Color1(fill.Color1);
    painter.Color2(fill.Color2);
    painter.Angle(fill.Angle);
    painter.Shift(fill.Shift);
    painter.Style(fill.Style);

    GraphRecord& g = c.Current();
    double left = 0, top = 0, width = 0, height = 0;
    switch (areaCode) {
      case kAreaPage:
        width = c.PageWidth;
        height = c.PageHeight;
        break;
      case kAreaGraph:
        left = g.RectLeft;
        top = g.RectTop;
        width = g.RectWidth;
        height = g.RectHeight;
        break;
      case kAreaPlot:
        left = g.RectLeft + g.BorderLeft;
        top = g.RectTop + g.BorderTop;
        width = AxisAt(g, g.CurrentXAxis).AxisLength;
        height = AxisAt(g, g.CurrentYAxis).AxisLength;
        break;
      case kAreaLegend:
        left = g.LegendRectLeft;
        top = g.LegendRectTop;
        width = g.LegendRectWidth;
        height = g.LegendRectHeight;
        break;
      default: break;
    }
    Surface& scratch = *c.ScratchPic1;
    scratch.Move(0, 0, static_cast<float>(width + c.UnitsPerMmX + kScratchMargin),
                static_cast<float>(height + c.UnitsPerMmY + kScratchMargin));
    if (fill.Color1 == fill.Color2) {
      scratch.BackColor = fill.Color1;
      scratch.Cls();
    } else {
      scratch.Discard();  // the gradient covers the scratch surface
      painter.Draw(scratch);
    }
    s.BitBlt(s.PixelX(left), s.PixelY(top), s.PixelX(scratch.Width()), s.PixelY(scratch.Height()) + 2, scratch, 0, 0);
    ClipGraphArea(c, s, kAreaGraph);
  });
}

}  // namespace plotara
