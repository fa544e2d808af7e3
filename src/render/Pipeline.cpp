// Pipeline sections: refresh; one graph; layout and clipping; page and plot-area backgrounds.
#include "render/Pipeline.h"

#include <algorithm>

#include "model/Graphs.h"
#include "model/Layout.h"
#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "render/Axes.h"
#include "render/DataPlot.h"
#include "render/Fills.h"
#include "render/Legend.h"
#include "scale/Mapping.h"
#include "scale/NumericHelpers.h"

namespace plotara {

namespace {
constexpr OleColor kWhite = 0x00FFFFFF;

}  // namespace

PlotBox PlotOf(GraphRecord& g) {
  const double left = static_cast<double>(g.RectLeft) + g.BorderLeft;
  const double top = static_cast<double>(g.RectTop) + g.BorderTop;
  const int32_t xl = AxisAt(g, g.CurrentXAxis).AxisLength, yl = AxisAt(g, g.CurrentYAxis).AxisLength;
  return {static_cast<float>(left),     static_cast<float>(top), static_cast<float>(left + xl),
          static_cast<float>(top + yl), static_cast<float>(xl),  static_cast<float>(yl)};
}

// ---------------------------------------------------------------- refresh

void RefreshGraphs(Control& c, int16_t WhichIndex, bool LegndOnPic1) {
  c.Guard("RefreshGraphs", [&] {
    if (c.ScrollUpdating) return;
    Surface& pic1 = *c.Picture1;
    if (c.NumGraphs() < 1) {
      ClipGraphArea(c, pic1, kAreaPage);
      pic1.FilledBox(0, 0, pic1.Width(), pic1.Height(), kWhite);
      pic1.Refresh();
      return;
    }
    ScopedFlag inProgress(c.RefreshInProgress);
    Surface& image = *c.GraphImage;
    Surface& saved = *c.Picture2;
    int16_t w;
    if (WhichIndex < 0) {
      DrawPageBackground(c);
      for (int i = 0; i < c.NumGraphs() - 1; ++i) DrawGraph(c, image, c.GraphOrder[static_cast<size_t>(i)]);
      w = c.GraphOrder[static_cast<size_t>(c.NumGraphs() - 1)];
      // On a one-graph page with a plain fill the page is still unpainted here: the copy takes it over
      // unpainted and copies only the margin beyond it.
      saved.BitBlt(0, 0, saved.PixelX(saved.Width()), saved.PixelY(saved.Height()), image, 0, 0);
    } else {
      w = WhichIndex;
      image.BitBlt(0, 0, saved.PixelX(saved.Width()), saved.PixelY(c.PageHeight), saved, 0, 0);
    }
    GraphRecord& g = c.Graph(w);
    // The front graph's legend table lives on Picture1 only (or, on the other path, is baked into the
    // back buffer); data sets go over it again when it lies behind them.
    Surface& legendSurface = LegndOnPic1 ? pic1 : image;
    if (LegndOnPic1) {
      const bool legend = g.LegendShow;
      g.LegendShow = false;
      DrawGraph(c, image, w);
      g.LegendShow = legend;
      pic1.SetPicture(image);
    } else {
      c.CurrentGraph = w;  // the legend and the data sets below belong to graph w
    }
    if (g.GraphInclude) {
      LegendTable(c, legendSurface, w);
      if (!g.LegendInFront) PlotDataSets(c, legendSurface);
    }
    pic1.Refresh();
  });
}

// ---------------------------------------------------------------- one graph

void DrawGraph(Control& c, Surface& s, int16_t index) {
  c.Guard("DrawGraph", [&] {
    if (index >= c.NumGraphs() || index < 0 || c.ScrollUpdating) return;
    c.CurrentGraph = index;
    if (!c.Current().GraphInclude) return;
    CalcBorders(c);
    GraphAxes(c, s);
    GraphRecord& g = c.Current();
    g.NotYetDrawn = false;
    if (!g.LegendInFront) LegendTable(c, s, index);
    PlotDataSets(c, s);

    // The plot frame, in the colours and widths of the first X and first Y axis.
    const AxisRecord& ax = AxisAt(g, AxisLevelIndex(c, c, 0, 1));
    const AxisRecord& ay = AxisAt(g, AxisLevelIndex(c, c, 1, 1));
    const PlotBox p = PlotOf(g);
    const float L = p.L, T = p.T;
    const float R = static_cast<float>(static_cast<double>(L) + ax.AxisLength);
    const float B = static_cast<float>(static_cast<double>(T) + ay.AxisLength);
    s.DrawWidth = std::max<int>(ax.AxisThickness, 1);
    s.ForeColor = ax.AxisColor;
    if (ax.AxisTicksBothEnds) s.Line(L, T, R, T);
    s.Line(L, B, R, B);
    s.DrawWidth = std::max<int>(ay.AxisThickness, 1);
    s.ForeColor = ay.AxisColor;
    s.Line(L, T, L, B);
    if (ay.AxisTicksBothEnds) s.Line(R, T, R, B);
    if (g.LegendInFront) LegendTable(c, s, index);
    s.Refresh();
  });
}

// ---------------------------------------------------------------- layout and clipping

void CalcBorders(Control& c) {
  c.Guard("CalcBorders", [&] {
    GraphRecord& g = c.Current();
    if (g.GraphWholePage) {
      g.RectLeft = 0;
      g.RectTop = 0;
      g.RectWidth = c.PageWidth;
      g.RectHeight = c.PageHeight;
    } else {
      g.RectLeft = CLng(static_cast<double>(g.PosLeft) * c.PageWidth);
      g.RectWidth = CLng(static_cast<double>(g.PosWidth) * c.PageWidth);
      g.RectTop = CLng(static_cast<double>(g.PosTop) * c.PageHeight);
      g.RectHeight = CLng(static_cast<double>(g.PosHeight) * c.PageHeight);
    }
    g.LegendRectLeft = CLng(g.LegendTableLeft / 100.0 * g.RectWidth + g.RectLeft);
    g.LegendRectTop = CLng(g.LegendTableTop / 100.0 * g.RectHeight + g.RectTop);
    g.LegendRectLeft = MinMax(g.LegendRectLeft, g.RectLeft, g.RectLeft + g.RectWidth);
    g.LegendRectTop = MinMax(g.LegendRectTop, g.RectTop, g.RectTop + g.RectHeight);
  });
}

void ClipGraphArea(Control& c, Surface& s, int16_t code) {
  c.Guard("ClipGraphArea", [&] {
    if (code == kAreaPage) {
      s.SetClipRect(0, 0, static_cast<float>(c.PageWidth), static_cast<float>(c.PageHeight));
      return;
    }
    if (code < kAreaGraph || code > kAreaLegend) return;  // no such area: the clip stays as it is
    GraphRecord& g = c.Current();
    if (code == kAreaGraph) {
      // One pixel more, so that the graph's outline on its right and bottom edge shows.
      const double px = s.TwipsPerPixelX(), py = s.TwipsPerPixelY();
      s.SetClipRect(static_cast<float>(g.RectLeft), static_cast<float>(g.RectTop),
                    static_cast<float>(g.RectLeft + g.RectWidth + px),
                    static_cast<float>(g.RectTop + g.RectHeight + py));
    } else if (code == kAreaPlot) {
      const PlotBox p = PlotOf(g);
      s.SetClipRect(p.L, p.T, p.R, p.B);
    } else {
      s.SetClipRect(static_cast<float>(g.LegendRectLeft), static_cast<float>(g.LegendRectTop),
                    static_cast<float>(g.LegendRectLeft + g.LegendRectWidth),
                    static_cast<float>(g.LegendRectTop + g.LegendRectHeight));
    }
  });
}

// ---------------------------------------------------------------- page and plot-area backgrounds

void DrawPageBackground(Control& c) {
  c.Guard("DrawPageBackground", [&] {
    Surface& s = *c.GraphImage;
    const GradientSpec& fill = c.PageFill;
    if (fill.Color1 == fill.Color2) {
      // The plain fill paints every pixel of the page next: only what lies beyond it needs clearing.
      s.ClsAround(0, 0, s.PixelX(static_cast<float>(c.PageWidth)),
                  s.PixelY(static_cast<float>(c.PageHeight)));
      ClipGraphArea(c, s, kAreaPage);
      s.FilledBox(0, 0, static_cast<float>(c.PageWidth), static_cast<float>(c.PageHeight), fill.Color1);
    } else {
      s.Cls();
      DrawGradient(c, s, kAreaPage, fill);
    }
    if (fill.EdgeThickness == 0) return;
    ClipGraphArea(c, s, kAreaPage);
    s.DrawWidth = fill.EdgeThickness;
    if (fill.EdgeColor != -1) s.ForeColor = fill.EdgeColor;
    s.Box(0, 0, c.PageWidth - kPageOutlineInset, c.PageHeight - kPageOutlineInset);
    s.DrawWidth = 1;
  });
}

void DrawPlotArea(Control& c, Surface& s) {
  c.Guard("DrawPlotArea", [&] {
    GraphRecord& g = c.Current();
    const float L = static_cast<float>(g.RectLeft), T = static_cast<float>(g.RectTop);
    const float W = static_cast<float>(g.RectWidth), H = static_cast<float>(g.RectHeight);
    const float BL = g.BorderLeft, BT = g.BorderTop;
    const float XL = AxisAt(g, g.CurrentXAxis).AxisLength, YL = AxisAt(g, g.CurrentYAxis).AxisLength;
    ClipGraphArea(c, s, kAreaGraph);
    s.ForeColor = 0;
    const GradientSpec& border = g.BorderFill;
    const GradientSpec& plot = g.PlotAreaFill;
    if (border.Color1 != border.Color2) {
      // A gradient band is painted over the whole graph; keep what lies under a see-through plot area.
      // It is taken from the surface being drawn on, which holds the page and the graphs behind.
      Surface& keep = *c.ScratchPic2;
      const int px = s.PixelX(L + BL), py = s.PixelY(T + BT), pw = s.PixelX(XL), ph = s.PixelY(YL);
      if (plot.Transparent) {
        keep.Move(0, 0, XL + c.UnitsPerMmX + kScratchMargin, YL + c.UnitsPerMmY + kScratchMargin);
        keep.BitBlt(0, 0, pw, ph, s, px, py);
      }
      DrawGradient(c, s, kAreaGraph, border);
      if (plot.Transparent) {
        s.BitBlt(px, py, pw, ph, keep, 0, 0);
        s.Refresh();
      }
    } else if (!border.Transparent) {
      s.FilledBox(L, T, L + W, T + BT, border.Color1);
      s.FilledBox(L, T + BT, L + BL, T + BT + YL, border.Color1);
      s.FilledBox(L + BL + XL, T + BT, L + W, T + BT + YL, border.Color1);
      s.FilledBox(L, T + BT + YL, L + W, T + H, border.Color1);
    }
    if (border.EdgeThickness != 0) {
      s.DrawWidth = border.EdgeThickness;
      s.FillStyle = FillKind::Transparent;  // an outline only
      s.Box(L, T, L + W, T + H, border.EdgeColor);
      s.DrawWidth = 1;
    }
    if (plot.Color1 != plot.Color2) {
      if (!plot.Transparent) DrawGradient(c, s, kAreaPlot, plot);
    } else if (!plot.Transparent) {
      s.FilledBox(L + BL, T + BT, L + BL + XL, T + BT + YL, plot.Color1);
    }
    s.ForeColor = 0;
  });
}

}  // namespace plotara
