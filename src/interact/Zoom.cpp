// Zoom sections: the rubber band; zooming every axis; the read-out.
//
// Where the plain arithmetic of a zoom cannot hold, the sound result is kept instead: a logarithmic axis
// is zoomed in log space, so its limits stay positive; limits given high to low keep that order; and a
// zoom that would leave a range of nothing (below the full span divided by MaxZoomFactor) is not made.
#include "interact/Zoom.h"

#include <algorithm>
#include <cmath>

#include "interact/Pointing.h"
#include "interact/ScrollBars.h"
#include "interact/ViewLimits.h"
#include "model/Graphs.h"
#include "model/Lookup.h"
#include "model/TimeOrigin.h"
#include "platform/Conversions.h"
#include "render/Pipeline.h"
#include "scale/Mapping.h"
#include "scale/NumberFormat.h"
#include "scale/NumericHelpers.h"
#include "scale/TimeTicks.h"

namespace plotara {

namespace {

// Visits every axis of a graph with its index.
template <class Visit>
void ForEveryAxis(GraphRecord& g, Visit&& visit) {
  for (int16_t i = 0; i < g.NumAxes(); ++i) visit(g.Axes[static_cast<size_t>(i)], i);
}

// The rectangle zoom lays out the bars, then redraws; halving and doubling redraw first, and the axes
// drawn then say whether the bars are needed.
void Redraw(Interaction& ui, bool barsFirst) {
  if (barsFirst) ResizeScrollBars(ui.State, ui.Notify);
  RefreshGraphs(ui, ui.Mouse.PointedGraph, true);
  if (!barsFirst) ResizeScrollBars(ui.State, ui.Notify);
}

}  // namespace

// ---------------------------------------------------------------- the rubber band

void RubberBand(Interaction& ui, float x, float y) {
  ui.Notify.Guard("RubberBand", [&] {
    GraphRecord& g = ui.State.Graph(ui.Mouse.PointedGraph);
    AxisRecord& ax = AxisAt(g, g.CurrentXAxis);
    AxisRecord& ay = AxisAt(g, g.CurrentYAxis);
    Surface& s = ui.Picture1;
    s.DrawMode = PenMode::Invert;
    s.DrawWidth = 1;
    s.FillStyle = FillKind::Transparent;
    // Drawn a second time in invert mode, the last band gives back the pixels under it.
    if (ax.ZoomCorner != 0 && ay.ZoomCorner != 0)
      s.Box(ax.ZoomAnchor, ay.ZoomAnchor, ax.ZoomCorner, ay.ZoomCorner);
    ax.ZoomCorner = x;
    ay.ZoomCorner = y;
    s.Box(ax.ZoomAnchor, ay.ZoomAnchor, x, y);
    s.DrawMode = PenMode::Copy;
    s.Refresh();
  });
  ShowGraphCoords(ui, 1, x, y);
}

// ---------------------------------------------------------------- zooming every axis

void ZoomToRectangle(Interaction& ui, float x, float y) {
  ControlState& state = ui.State;
  ErrorReporter& r = ui.Notify;
  const int16_t pointed = ui.Mouse.PointedGraph;
  Guarded(r, "ZoomToRectangle", [&] {
    state.CurrentGraph = pointed;
    GraphRecord& g = state.Current();
    const float anchorX = AxisAt(g, g.CurrentXAxis).ZoomAnchor,
                anchorY = AxisAt(g, g.CurrentYAxis).ZoomAnchor;
    if (x == anchorX || y == anchorY) return;
    ForEveryAxis(g, [&](AxisRecord& a, int16_t i) {
      const bool isX = a.XY == kXAxis;
      double v1 = isX ? GetXCoord(state, r, pointed, i, anchorX) : GetYCoord(state, r, pointed, i, anchorY);
      double v2 = isX ? GetXCoord(state, r, pointed, i, x) : GetYCoord(state, r, pointed, i, y);
      const double low = std::min(a.ScaleMin, a.ScaleMax), high = std::max(a.ScaleMin, a.ScaleMax);
      v1 = static_cast<float>(std::clamp(v1, low, high));
      v2 = static_cast<float>(std::clamp(v2, low, high));
      const double lo = std::min(v1, v2), hi = std::max(v1, v2);
      const bool log = InLogSpace(a) && lo > 0;
      const double span = log ? std::log(hi) - std::log(lo) : hi - lo;
      if (span > 0 && span >= SmallestSpan(state, a, log)) SetLimits(a, lo, hi);
    });
    state.ScrollBarsVisible = true;
    Redraw(ui, true);
  });
}

void ZoomIn(Interaction& ui, float x, float y) {
  ControlState& state = ui.State;
  ErrorReporter& r = ui.Notify;
  const int16_t pointed = ui.Mouse.PointedGraph;
  Guarded(r, "ZoomIn", [&] {
    state.CurrentGraph = pointed;
    GraphRecord& g = state.Current();
    ForEveryAxis(g, [&](AxisRecord& a, int16_t i) {
      const bool log = InLogSpace(a);
      const double v = static_cast<float>(a.XY == kXAxis ? GetXCoord(state, r, pointed, i, x)
                                                         : GetYCoord(state, r, pointed, i, y));
      if (log && v <= 0) return;
      const double lo = std::min(a.AxisValue1, a.AxisValue2), hi = std::max(a.AxisValue1, a.AxisValue2);
      const double quarter = log ? (std::log(hi) - std::log(lo)) / 4 : (hi - lo) / 4;
      if (!(2 * quarter >= SmallestSpan(state, a, log) && quarter > 0)) return;
      if (log) {
        SetLimits(a, v * std::exp(-quarter), v * std::exp(quarter));
      } else {
        SetLimits(a, v - quarter, v + quarter);
      }
    });
    Redraw(ui, false);
  });
}

void ZoomOut(Interaction& ui) {
  ControlState& state = ui.State;
  ui.Notify.Guard("ZoomOut", [&] {
    state.CurrentGraph = ui.Mouse.PointedGraph;
    GraphRecord& g = state.Current();
    for (AxisRecord& a : g.Axes) {
      const bool log = InLogSpace(a);
      const double low = std::min(a.ScaleMin, a.ScaleMax), high = std::max(a.ScaleMin, a.ScaleMax);
      const double lo = std::min(a.AxisValue1, a.AxisValue2), hi = std::max(a.AxisValue1, a.AxisValue2);
      if (log) {
        const double half = (std::log(hi) - std::log(lo)) / 2;
        SetLimits(a, std::clamp(lo * std::exp(-half), low, high), std::clamp(hi * std::exp(half), low, high));
      } else {
        const double half = (hi - lo) / 2;
        SetLimits(a, std::clamp(lo - half, low, high), std::clamp(hi + half, low, high));
      }
    }
    Redraw(ui, false);
  });
}

void UnZoom(ControlState& state, ErrorReporter& r, int16_t graph) {
  Guarded(r, "UnZoom", [&] {
    GraphRecord& g = state.Graph(graph);
    for (AxisRecord& a : g.Axes) {
      a.AxisValue1 = a.ScaleMin;
      a.AxisValue2 = a.ScaleMax;
    }
    state.CurrentGraph = graph;
    SetScrollBarsVisibility(state, r);
  });
}

// ---------------------------------------------------------------- the read-out

namespace {

// A coordinate on an axis as the read-out shows it: a number with the digits the axis's range needs, or
// on a time axis the instant in its zone, to the millisecond when the view spans less than ten minutes.
std::string CoordinateText(ErrorReporter& r, const AxisRecord& a, double v) {
  if (a.AxisTime) {
    const bool millis = std::fabs(a.AxisValue2 - a.AxisValue1) < 600;
    return ReadOutTime(MillisOf(HostValueOf(a, v)), TimeZone(a.AxisTimeZone), millis);
  }
  return EasyFormat(r, v, AxisDPx(r, a.AxisValue1, a.AxisValue2));
}

}  // namespace

void ShowGraphCoords(Interaction& ui, int16_t button, float x, float y) {
  ControlState& state = ui.State;
  ErrorReporter& r = ui.Notify;
  Guarded(r, "ShowGraphCoords", [&] {
    std::string text;
    const int16_t index = button == 0 ? PointingAt(ui, 0, x, y, false) : int16_t{-1};
    if (index >= 0) {
      const GraphRecord& g = state.Graph(index);
      const AxisRecord& ax = AxisAt(g, g.CurrentXAxis);
      const AxisRecord& ay = AxisAt(g, g.CurrentYAxis);
      const double pl = static_cast<double>(g.RectLeft) + g.BorderLeft,
                   pt = static_cast<double>(g.RectTop) + g.BorderTop;
      const bool overPlot = pl <= x && x <= pl + ax.AxisLength && pt <= y && y <= pt + ay.AxisLength;
      if (g.GraphShowXY && overPlot) {
        const double vx = GetXCoord(state, r, index, x), vy = GetYCoord(state, r, index, y);
        text = " " + CoordinateText(r, ax, vx) + ", " + CoordinateText(r, ay, vy);
      }
    }
    state.Label1.Caption = text;
  });
}

void SetShowXYcoords(ControlState& state, ErrorReporter& r, bool show) {
  Guarded(r, "SetShowXYcoords", [&] {
    state.Current().GraphShowXY = show;
    state.Label1.Visible = show;
    ResizeScrollBars(state, r);
  });
}

}  // namespace plotara
