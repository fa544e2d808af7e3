// Pipeline sections: refresh; one graph; layout and clipping; page and plot-area backgrounds.
#include "render/Pipeline.h"

#include <algorithm>
#include <cstdint>

#include "model/Layout.h"
#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "platform/ScopedFlag.h"
#include "render/Axes.h"
#include "render/DataPlot.h"
#include "render/Fills.h"
#include "render/Legend.h"
#include "scale/Mapping.h"
#include "scale/NumericHelpers.h"

namespace plotara {

namespace {
constexpr OleColor kWhite = 0x00FFFFFF;

// The box, in surface units, that an area of graph g clips drawing to.
struct AreaBox {
  float L, T, R, B;
};
AreaBox AreaOf(const GraphRecord& g, const Surface& s, int16_t code) {
  if (code == kAreaPlot) {
    const PlotBox p = PlotOf(g);
    return {p.L, p.T, p.R, p.B};
  }
  if (code == kAreaLegend)
    return {static_cast<float>(g.LegendRectLeft), static_cast<float>(g.LegendRectTop),
            static_cast<float>(g.LegendRectLeft + g.LegendRectWidth),
            static_cast<float>(g.LegendRectTop + g.LegendRectHeight)};
  // One pixel more, so that the graph's outline on its right and bottom edge shows.
  const double px = s.TwipsPerPixelX(), py = s.TwipsPerPixelY();
  return {static_cast<float>(g.RectLeft), static_cast<float>(g.RectTop),
          static_cast<float>(g.RectLeft + g.RectWidth + px),
          static_cast<float>(g.RectTop + g.RectHeight + py)};
}

// The pixels DrawGraph may draw in for graph g without its legend table: its graph and plot areas, the
// clips it draws within.
PixelRect DrawnArea(const GraphRecord& g, const Surface& s) {
  int x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
  for (int16_t code : {kAreaGraph, kAreaPlot}) {
    const AreaBox b = AreaOf(g, s, code);
    for (float x : {b.L, b.R}) {
      x0 = std::min(x0, s.PixelX(x));
      x1 = std::max(x1, s.PixelX(x));
    }
    for (float y : {b.T, b.B}) {
      y0 = std::min(y0, s.PixelY(y));
      y1 = std::max(y1, s.PixelY(y));
    }
  }
  return {x0, y0, x1 - x0, y1 - y0};
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  const int x0 = std::min(a.Left, b.Left), y0 = std::min(a.Top, b.Top);
  const int x1 = std::max(a.Left + a.Width, b.Left + b.Width),
            y1 = std::max(a.Top + a.Height, b.Top + b.Height);
  return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace

PlotBox PlotOf(const GraphRecord& g) {
  const double left = static_cast<double>(g.RectLeft) + g.BorderLeft;
  const double top = static_cast<double>(g.RectTop) + g.BorderTop;
  const int32_t xl = AxisAt(g, g.CurrentXAxis).AxisLength, yl = AxisAt(g, g.CurrentYAxis).AxisLength;
  return {static_cast<float>(left),     static_cast<float>(top), static_cast<float>(left + xl),
          static_cast<float>(top + yl), static_cast<float>(xl),  static_cast<float>(yl)};
}

// ---------------------------------------------------------------- refresh

void RefreshGraphs(Drawing& d, int16_t WhichIndex, bool LegndOnPic1) {
  ControlState& state = d.State;
  d.Notify.Guard("RefreshGraphs", [&] {
    if (state.ScrollUpdating) return;
    Surface& pic1 = d.Picture1;
    if (state.NumGraphs() < 1) {
      ClipGraphArea(state, d.Notify, pic1, kAreaPage);
      pic1.FilledBox(0, 0, pic1.Width(), pic1.Height(), kWhite);
      pic1.Refresh();
      return;
    }
    ScopedFlag inProgress(state.RefreshInProgress);
    state.PictureWaits = false;
    Surface& image = d.GraphImage;
    Surface& saved = d.Picture2;
    int16_t w;
    if (WhichIndex < 0) {
      DrawPageBackground(d);
      for (int i = 0; i < state.NumGraphs() - 1; ++i)
        DrawGraph(d, image, state.GraphOrder[static_cast<size_t>(i)]);
      w = state.GraphOrder[static_cast<size_t>(state.NumGraphs() - 1)];
      saved.BitBlt(0, 0, saved.PixelX(saved.Width()), saved.PixelY(saved.Height()), image, 0, 0);
    } else {
      w = WhichIndex;
      image.BitBlt(0, 0, saved.PixelX(saved.Width()), saved.PixelY(state.PageHeight), saved, 0, 0);
    }
    GraphRecord& g = state.Graph(w);
    // The front graph's legend table lives on Picture1 only (or, on the other path, is baked into the
    // back buffer); data sets go over it again when it lies behind them.
    Surface& legendSurface = LegndOnPic1 ? pic1 : image;
    if (LegndOnPic1) {
      DrawGraph(d, image, w, false);
      if (state.PictureWaits) {
        // Rows a data source has yet to give: the picture shown stays until they are there.
        d.Front = {};
        return;
      }
      // Graph w alone drawn again over the same saved page as the picture shown differs from it only
      // where w was and is now drawn.
      const PixelRect drawn = DrawnArea(g, image);
      if (WhichIndex >= 0 && d.Front.Graph == w) {
        pic1.SetPicture(image, Union(d.Front.Area, drawn));
      } else {
        pic1.SetPicture(image);
      }
      d.Front = {w, drawn};
    } else {
      d.Front = {};            // the picture is not what GraphImage holds now
      state.CurrentGraph = w;  // the legend and the data sets below belong to graph w
    }
    if (g.GraphInclude) {
      LegendTable(d, legendSurface, w);
      if (!g.LegendInFront) PlotDataSets(d, legendSurface);
    }
    pic1.Refresh();
  });
}

// ---------------------------------------------------------------- one graph

void DrawGraph(Drawing& d, Surface& s, int16_t index, bool legend) {
  ControlState& state = d.State;
  d.Notify.Guard("DrawGraph", [&] {
    if (index >= state.NumGraphs() || index < 0 || state.ScrollUpdating) return;
    state.CurrentGraph = index;
    if (!state.Current().GraphInclude) return;
    CalcBorders(state, d.Notify);
    GraphAxes(d, s);
    GraphRecord& g = state.Current();
    g.NotYetDrawn = false;
    if (legend && !g.LegendInFront) LegendTable(d, s, index);
    PlotDataSets(d, s);

    // The plot frame, in the colours and widths of the first X and first Y axis.
    const AxisRecord& ax = AxisAt(g, AxisLevelIndex(state, d.Notify, 0, 1));
    const AxisRecord& ay = AxisAt(g, AxisLevelIndex(state, d.Notify, 1, 1));
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
    if (legend && g.LegendInFront) LegendTable(d, s, index);
    s.Refresh();
  });
}

// ---------------------------------------------------------------- layout and clipping

void CalcBorders(ControlState& state, ErrorReporter& r) {
  Guarded(r, "CalcBorders", [&] {
    GraphRecord& g = state.Current();
    if (g.GraphWholePage) {
      g.RectLeft = 0;
      g.RectTop = 0;
      g.RectWidth = state.PageWidth;
      g.RectHeight = state.PageHeight;
    } else {
      g.RectLeft = CLng(static_cast<double>(g.PosLeft) * state.PageWidth);
      g.RectWidth = CLng(static_cast<double>(g.PosWidth) * state.PageWidth);
      g.RectTop = CLng(static_cast<double>(g.PosTop) * state.PageHeight);
      g.RectHeight = CLng(static_cast<double>(g.PosHeight) * state.PageHeight);
    }
    g.LegendRectLeft = CLng(g.LegendTableLeft / 100.0 * g.RectWidth + g.RectLeft);
    g.LegendRectTop = CLng(g.LegendTableTop / 100.0 * g.RectHeight + g.RectTop);
    g.LegendRectLeft = MinMax(g.LegendRectLeft, g.RectLeft, g.RectLeft + g.RectWidth);
    g.LegendRectTop = MinMax(g.LegendRectTop, g.RectTop, g.RectTop + g.RectHeight);
  });
}

void ClipGraphArea(const ControlState& state, ErrorReporter& r, Surface& s, int16_t code) {
  Guarded(r, "ClipGraphArea", [&] {
    if (code == kAreaPage) {
      s.SetClipRect(0, 0, static_cast<float>(state.PageWidth), static_cast<float>(state.PageHeight));
      return;
    }
    if (code < kAreaGraph || code > kAreaLegend) return;  // no such area: the clip stays as it is
    const AreaBox b = AreaOf(state.Current(), s, code);
    s.SetClipRect(b.L, b.T, b.R, b.B);
  });
}

// ---------------------------------------------------------------- page and plot-area backgrounds

void DrawPageBackground(Drawing& d) {
  const ControlState& state = d.State;
  d.Notify.Guard("DrawPageBackground", [&] {
    Surface& s = d.GraphImage;
    const GradientSpec& fill = state.PageFill;
    s.Cls();
    if (fill.Color1 == fill.Color2) {
      ClipGraphArea(state, d.Notify, s, kAreaPage);
      s.FilledBox(0, 0, static_cast<float>(state.PageWidth), static_cast<float>(state.PageHeight),
                  fill.Color1);
    } else {
      DrawGradient(d, s, kAreaPage, fill);
    }
    if (fill.EdgeThickness == 0) return;
    ClipGraphArea(state, d.Notify, s, kAreaPage);
    s.DrawWidth = fill.EdgeThickness;
    if (fill.EdgeColor != -1) s.ForeColor = fill.EdgeColor;
    s.Box(0, 0, state.PageWidth - kPageOutlineInset, state.PageHeight - kPageOutlineInset);
    s.DrawWidth = 1;
  });
}

void DrawPlotArea(Drawing& d, Surface& s) {
  const ControlState& state = d.State;
  d.Notify.Guard("DrawPlotArea", [&] {
    const GraphRecord& g = state.Current();
    const float L = static_cast<float>(g.RectLeft), T = static_cast<float>(g.RectTop);
    const float W = static_cast<float>(g.RectWidth), H = static_cast<float>(g.RectHeight);
    const float BL = g.BorderLeft, BT = g.BorderTop;
    const float XL = AxisAt(g, g.CurrentXAxis).AxisLength, YL = AxisAt(g, g.CurrentYAxis).AxisLength;
    ClipGraphArea(state, d.Notify, s, kAreaGraph);
    s.ForeColor = 0;
    const GradientSpec& border = g.BorderFill;
    const GradientSpec& plot = g.PlotAreaFill;
    if (border.Color1 != border.Color2) {
      // A gradient band is painted over the whole graph; keep what lies under a see-through plot area.
      // It is taken from the surface being drawn on, which holds the page and the graphs behind.
      Surface& keep = d.ScratchPic2;
      const int px = s.PixelX(L + BL), py = s.PixelY(T + BT), pw = s.PixelX(XL), ph = s.PixelY(YL);
      if (plot.Transparent) {
        keep.Move(0, 0, XL + state.UnitsPerMmX + kScratchMargin, YL + state.UnitsPerMmY + kScratchMargin);
        keep.BitBlt(0, 0, pw, ph, s, px, py);
      }
      DrawGradient(d, s, kAreaGraph, border);
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
      if (!plot.Transparent) DrawGradient(d, s, kAreaPlot, plot);
    } else if (!plot.Transparent) {
      s.FilledBox(L + BL, T + BT, L + BL + XL, T + BT + YL, plot.Color1);
    }
    s.ForeColor = 0;
  });
}

}  // namespace plotara
