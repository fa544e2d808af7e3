#include "render/Fills.h"

#include <algorithm>

#include "model/Layout.h"
#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "render/Pipeline.h"

namespace plotara {

int16_t BlendColors(ErrorReporter& r, OleColor colour1, OleColor colour2, int16_t steps,
                    std::vector<OleColor>& colours) {
  int16_t n = 0;
  Guarded(r, "BlendColors", [&] {
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

void DrawGradient(Drawing& d, Surface& s, int16_t areaCode, const GradientSpec& fill) {
  const ControlState& state = d.State;
  d.Notify.Guard("DrawGradient", [&] {
    if (state.NumGraphs() < 1 || fill.Transparent) return;
    ClipGraphArea(state, d.Notify, s, areaCode);
    clsGradient& painter = d.Tools.Gradient();
    painter.Color1(fill.Color1);
    painter.Color2(fill.Color2);
    painter.Angle(fill.Angle);
    painter.Shift(fill.Shift);
    painter.Style(fill.Style);

    const GraphRecord& g = state.Current();
    double left = 0, top = 0, width = 0, height = 0;
    switch (areaCode) {
      case kAreaPage:
        width = state.PageWidth;
        height = state.PageHeight;
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
      default:
        break;
    }
    Surface& scratch = d.ScratchPic1;
    scratch.Move(0, 0, static_cast<float>(width + state.UnitsPerMmX + kScratchMargin),
                 static_cast<float>(height + state.UnitsPerMmY + kScratchMargin));
    const int px = s.PixelX(left), py = s.PixelY(top);
    if (fill.Color1 == fill.Color2) {
      scratch.BackColor = fill.Color1;
      scratch.Cls();
    } else {
      scratch.Discard();  // the gradient covers the scratch surface
      // Only the part of the area that lands on the picture is painted: a graph placed many pages wide
      // would otherwise cost its whole size. (Lines reaching thousands of pixels beyond that part are cut
      // before they are drawn, as on any surface, which may move their pixels by one.)
      const int x0 = std::max(0, -px), y0 = std::max(0, -py);
      const int x1 = std::min(scratch.PixelWidth(), s.PixelWidth() - px);
      const int y1 = std::min(scratch.PixelHeight(), s.PixelHeight() - py);
      const bool part = x0 > 0 || y0 > 0 || x1 < scratch.PixelWidth() || y1 < scratch.PixelHeight();
      if (part) {
        constexpr int kMargin = 2;
        const double tx = scratch.TwipsPerPixelX(), ty = scratch.TwipsPerPixelY();
        scratch.SetClipRect(static_cast<float>((x0 - kMargin) * tx), static_cast<float>((y0 - kMargin) * ty),
                            static_cast<float>((std::max(x1, x0) + kMargin) * tx),
                            static_cast<float>((std::max(y1, y0) + kMargin) * ty));
      }
      painter.Draw(scratch);
      if (part) scratch.ResetClip();
    }
    s.BitBlt(px, py, s.PixelX(scratch.Width()), s.PixelY(scratch.Height()) + 2, scratch, 0, 0);
    ClipGraphArea(state, d.Notify, s, kAreaGraph);
  });
}

}  // namespace plotara
