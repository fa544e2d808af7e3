// Drag sections: a graph; its legend table.
#include "interact/Drag.h"

#include <algorithm>

#include "platform/Conversions.h"
#include "render/DataPlot.h"
#include "render/Legend.h"
#include "render/Pipeline.h"

namespace plotara {

// ---------------------------------------------------------------- a graph

bool DragGraph(Interaction& ui, float x, float y, bool firstStep) {
  ControlState& state = ui.State;
  MouseSession& m = ui.Mouse;
  bool moved = false;
  ui.Notify.Guard("DragGraph", [&] {
    if (state.RefreshInProgress) return;
    GraphRecord& g = state.Graph(m.PointedGraph);
    if (!g.GraphAllowDragging) return;
    // The pointer counts only within the page: a graph goes no farther than the page's edge, so that
    // its place and size stay within what every later step computes with.
    const double pw = state.PageWidth, ph = state.PageHeight;
    x = static_cast<float>(std::clamp<double>(x, 0, pw));
    y = static_cast<float>(std::clamp<double>(y, 0, ph));
    const int32_t left = CLng(static_cast<double>(x) - m.GraphGrabX);
    const int32_t top = CLng(static_cast<double>(y) - m.GraphGrabY);
    if (left == m.LastGraphLeft && top == m.LastGraphTop) return;
    const PointingFlags& f = m.Pointing;
    // A graph that is dragged leaves the whole-page layout, which would otherwise put it back.
    g.GraphWholePage = false;
    if (f.OverMoveArea) {
      g.RectLeft = std::clamp(left, 0, std::max(0, state.PageWidth));
      g.RectTop = std::clamp(top, 0, std::max(0, state.PageHeight));
      g.PosLeft = static_cast<float>(g.RectLeft / pw);
      g.PosTop = static_cast<float>(g.RectTop / ph);
      if (g.LegendShow) {
        g.LegendRectLeft = g.RectLeft + m.LegendGrabX;
        g.LegendRectTop = g.RectTop + m.LegendGrabY;
      }
    } else if (f.OverGraphLeftEdge) {
      const double right = static_cast<double>(g.PosLeft) + g.PosWidth;
      g.PosLeft = static_cast<float>(std::min(x / pw, right - (g.BorderLeft + g.BorderRight) / pw));
      g.PosWidth = static_cast<float>(right - g.PosLeft);
    } else if (f.OverGraphRightEdge) {
      g.PosWidth = static_cast<float>(std::max(x / pw - g.PosLeft, (g.BorderLeft + g.BorderRight) / pw));
    } else if (f.OverGraphTopEdge) {
      const double bottom = static_cast<double>(g.PosTop) + g.PosHeight;
      g.PosTop = static_cast<float>(std::min(y / ph, bottom - (g.BorderTop + g.BorderBottom) / ph));
      g.PosHeight = static_cast<float>(bottom - g.PosTop);
    } else if (f.OverGraphBottomEdge) {
      g.PosHeight = static_cast<float>(std::max(y / ph - g.PosTop, (g.BorderTop + g.BorderBottom) / ph));
    } else if (f.OverPlotLeftEdge) {
      g.BorderLeft = static_cast<float>(
          std::clamp(x - g.PosLeft * pw, 0.0, std::max(0.0, g.PosWidth * pw - g.BorderRight)));
    } else if (f.OverPlotRightEdge) {
      g.BorderRight =
          static_cast<float>(std::max(0.0, (static_cast<double>(g.PosLeft) + g.PosWidth) * pw - x));
    } else if (f.OverPlotTopEdge) {
      g.BorderTop = static_cast<float>(
          std::clamp(y - g.PosTop * ph, 0.0, std::max(0.0, g.PosHeight * ph - g.BorderBottom)));
    } else if (f.OverPlotBottomEdge) {
      g.BorderBottom =
          static_cast<float>(std::max(0.0, (static_cast<double>(g.PosTop) + g.PosHeight) * ph - y));
    }
    RefreshGraphs(ui, firstStep ? int16_t{-1} : m.PointedGraph, true);
    m.LastGraphLeft = left;
    m.LastGraphTop = top;
    ui.Notify.RaiseGraphPositionChanged();
    moved = true;
  });
  m.LastDragMoved = moved;
  return moved;
}

// ---------------------------------------------------------------- its legend table

void DragLegendTable(Interaction& ui, float x, float y, bool firstStep) {
  ControlState& state = ui.State;
  MouseSession& m = ui.Mouse;
  ui.Notify.Guard("DragLegendTable", [&] {
    if (state.RefreshInProgress) return;
    GraphRecord& g = state.Graph(m.PointedGraph);
    if (!g.LegendShow) return;
    const int32_t px = std::max(CLng(x), g.RectLeft), py = std::max(CLng(y), g.RectTop);
    const int32_t left = std::max(0, px - m.LegendGrabX), top = std::max(0, py - m.LegendGrabY);
    if (left == m.LastLegendLeft && top == m.LastLegendTop) return;
    state.CurrentGraph = m.PointedGraph;  // the legend's fills and texts belong to this graph
    Surface& pic1 = ui.Picture1;
    const int e = g.LegendFill.EdgeThickness;

    // Erase: the same pixels from the back buffer, which holds the page without this legend.
    const int bl = std::max(0, pic1.PixelX(g.LegendRectLeft) - e),
              bt = std::max(0, pic1.PixelY(g.LegendRectTop) - e);
    const int bw = pic1.PixelX(g.LegendRectWidth) + 1 + 2 * e,
              bh = pic1.PixelY(g.LegendRectHeight) + 1 + 2 * e;
    pic1.BitBlt(bl, bt, bw, bh, ui.GraphImage, bl, bt);

    LegendPosition(state, ui.Notify, m.PointedGraph, left, top);
    g.LegendRectLeft = std::clamp(g.LegendRectLeft, g.RectLeft,
                                  std::max(g.RectLeft, g.RectLeft + g.RectWidth - g.LegendRectWidth));
    g.LegendRectTop = std::clamp(g.LegendRectTop, g.RectTop,
                                 std::max(g.RectTop, g.RectTop + g.RectHeight - g.LegendRectHeight));
    if (g.RectWidth != 0)
      g.LegendTableLeft = static_cast<float>((g.LegendRectLeft - g.RectLeft) * 100.0 / g.RectWidth);
    if (g.RectHeight != 0)
      g.LegendTableTop = static_cast<float>((g.LegendRectTop - g.RectTop) * 100.0 / g.RectHeight);

    if (e == 0 || g.LegendFill.Transparent) {
      LegendTable(ui, pic1, m.PointedGraph);
    } else {
      // The table's pixels were kept when it was last drawn.
      Surface& kept = ui.ScratchPic1;
      pic1.BitBlt(pic1.PixelX(g.LegendRectLeft), pic1.PixelY(g.LegendRectTop), kept.PixelWidth() + 1,
                  kept.PixelHeight() + 1, kept, 0, 0);
    }
    if (e != 0) {
      pic1.DrawWidth = e;
      pic1.FillStyle = FillKind::Transparent;
      const float l = static_cast<float>(g.LegendRectLeft), t = static_cast<float>(g.LegendRectTop);
      pic1.Box(l, t, l + g.LegendRectWidth, t + g.LegendRectHeight, g.LegendFill.EdgeColor);
      pic1.DrawWidth = 1;
    }
    m.LastLegendLeft = left;
    m.LastLegendTop = top;
    ui.Notify.RaiseLegendPositionChanged();
    // A table behind the data must not cover it: the data sets go over it again.
    if (firstStep && !g.LegendInFront) PlotDataSets(ui, pic1);
    pic1.Refresh();
  });
}

}  // namespace plotara
