// Navigation sections: finding the graph; zooming about a point; the wheel, a pinch and a pan; the keys.
#include "interact/Navigation.h"

#include <algorithm>
#include <cmath>

#include "interact/Clipboard.h"
#include "interact/ScrollBars.h"
#include "interact/ViewLimits.h"
#include "interact/Zoom.h"
#include "model/Graphs.h"
#include "model/Lookup.h"
#include "plotara/Navigation.h"
#include "render/Pipeline.h"
#include "scale/Mapping.h"

namespace plotara {

namespace {

constexpr int16_t kShift = 1, kCtrl = 2, kAlt = 4;

// A range in an axis's own scale (log space for a logarithmic one), lo <= hi.
struct Range {
  double lo, hi;
  double Span() const { return hi - lo; }
};

Range Ordered(double a, double b) {
  return {std::min(a, b), std::max(a, b)};
}

// The view and the full range of an axis in its own scale, and the way back to values.
struct AxisScale {
  explicit AxisScale(const AxisRecord& a)
      : log(InLogSpace(a)),
        view(Ordered(To(a.AxisValue1), To(a.AxisValue2))),
        full(Ordered(To(a.ScaleMin), To(a.ScaleMax))) {}
  double To(double v) const { return log ? std::log(v) : v; }
  double From(double s) const { return log ? std::exp(s) : s; }
  // Both ranges span something finite: there is a view to change.
  bool Usable() const {
    return std::isfinite(view.lo) && std::isfinite(view.hi) && std::isfinite(full.lo) &&
           std::isfinite(full.hi) && view.Span() > 0 && full.Span() > 0;
  }
  bool log;
  Range view, full;
};

// Gives the axis the view r (its own scale). A view of the whole full range, give or take the rounding
// of a zoom in and out again, takes the full range's own values, so that the axis counts as unzoomed.
void Show(AxisRecord& a, const AxisScale& s, Range r) {
  const double rounding = s.full.Span() * 1e-9;
  if (r.lo <= s.full.lo + rounding && r.hi >= s.full.hi - rounding) {
    SetLimits(a, std::min(a.ScaleMin, a.ScaleMax), std::max(a.ScaleMin, a.ScaleMax));
  } else {
    SetLimits(a, s.From(r.lo), s.From(r.hi));
  }
}

// The view r moved by whole spans back into the full range (a view as wide as the full range is it).
Range WithinFull(Range r, Range full) {
  const double span = std::min(r.Span(), full.Span());
  const double lo = std::clamp(r.lo, full.lo, full.hi - span);
  return {lo, lo + span};
}

// After a change of a graph's view: it becomes the current graph and the one the bars pan, it is drawn
// again, the bars follow its axes, and the read-out follows the pointer.
void ShowChangedView(Interaction& ui, int16_t graph) {
  ui.State.CurrentGraph = graph;
  ui.Mouse.PointedGraph = graph;
  RefreshGraphs(ui, graph, true);
  ResizeScrollBars(ui.State, ui.Notify);
}

}  // namespace

// ---------------------------------------------------------------- finding the graph

int16_t PlotAreaAt(const ControlState& s, float x, float y) {
  for (auto it = s.GraphOrder.rbegin(); it != s.GraphOrder.rend(); ++it) {
    const GraphRecord& g = s.Graphs.at(static_cast<size_t>(*it));
    if (!g.GraphInclude || g.CurrentXAxis >= g.NumAxes() || g.CurrentYAxis >= g.NumAxes() ||
        g.CurrentXAxis < 0 || g.CurrentYAxis < 0)
      continue;
    const bool inRect = g.RectLeft <= x && x <= static_cast<double>(g.RectLeft) + g.RectWidth &&
                        g.RectTop <= y && y <= static_cast<double>(g.RectTop) + g.RectHeight;
    if (!inRect) continue;
    // The graph in front takes the pointer, whatever lies there.
    const PlotBox p = PlotOf(g);
    const bool inPlot = p.XL > 0 && p.YL > 0 && p.L <= x && x <= p.R && p.T <= y && y <= p.B;
    return inPlot ? *it : int16_t{-1};
  }
  return -1;
}

int16_t ZoomableGraphAt(const ControlState& s, float x, float y) {
  const int16_t graph = PlotAreaAt(s, x, y);
  return graph >= 0 && s.Graphs[static_cast<size_t>(graph)].GraphAllowZoom ? graph : int16_t{-1};
}

// ---------------------------------------------------------------- zooming about a point

void ZoomAbout(Interaction& ui, int16_t graph, float x, float y, double fx, double fy) {
  ControlState& state = ui.State;
  ErrorReporter& r = ui.Notify;
  Guarded(r, "ZoomAbout", [&] {
    GraphRecord& g = state.Graph(graph);
    for (int16_t i = 0; i < g.NumAxes(); ++i) {
      AxisRecord& a = g.Axes[static_cast<size_t>(i)];
      const double factor = a.XY == kXAxis ? fx : fy;
      if (factor == 1 || !(factor > 0) || !std::isfinite(factor)) continue;
      const AxisScale s(a);
      if (!s.Usable()) continue;
      const double v = a.XY == kXAxis ? GetXCoord(state, r, graph, i, x) : GetYCoord(state, r, graph, i, y);
      if (s.log && !(v > 0)) continue;
      const double at = std::clamp(s.To(v), s.view.lo, s.view.hi);
      // Zooming in never widens a view that is already narrower than the limit allows, and zooming out
      // never narrows one.
      const double span = s.view.Span(), smallest = SmallestSpan(state, a, s.log);
      const double wanted = span / factor;
      const double next = factor > 1 ? std::min(span, std::max(wanted, smallest))
                                     : std::max(span, std::min(wanted, s.full.Span()));
      const double lo = at - (at - s.view.lo) / span * next;
      Show(a, s, WithinFull({lo, lo + next}, s.full));
    }
    ShowChangedView(ui, graph);
  });
}

// ---------------------------------------------------------------- the wheel, a pinch and a pan

bool Wheel(Interaction& ui, float x, float y, int32_t delta, int16_t shift) {
  const int16_t graph = ZoomableGraphAt(ui.State, x, y);
  if (graph < 0 || delta == 0) return false;
  const double f = std::pow(kWheelNotchFactor, static_cast<double>(delta) / kWheelNotch);
  const bool xOnly = (shift & (kShift | kCtrl)) == kShift, yOnly = (shift & (kShift | kCtrl)) == kCtrl;
  ZoomAbout(ui, graph, x, y, yOnly ? 1 : f, xOnly ? 1 : f);
  ShowGraphCoords(ui, 0, x, y);
  return true;
}

bool Pinch(Interaction& ui, float x, float y, double factor) {
  const int16_t graph = ZoomableGraphAt(ui.State, x, y);
  if (graph < 0 || !(factor > 0) || !std::isfinite(factor)) return false;
  ZoomAbout(ui, graph, x, y, factor, factor);
  ShowGraphCoords(ui, 0, x, y);
  return true;
}

bool Pan(Interaction& ui, float x, float y, float dx, float dy) {
  const int16_t graph = ZoomableGraphAt(ui.State, x, y);
  if (graph < 0 || !std::isfinite(dx) || !std::isfinite(dy)) return false;
  Guarded(ui.Notify, "Pan", [&] {
    for (AxisRecord& a : ui.State.Graph(graph).Axes) {
      const bool vertical = a.XY != kXAxis;
      const float d = vertical ? dy : dx;
      const AxisScale s(a);
      if (d == 0 || a.AxisLength <= 0 || !s.Usable()) continue;
      // The value under a point moves with it. From AxisValue1 to AxisValue2 the page runs one axis
      // length forwards, or backwards where the axis is drawn mirrored (as AxisMapping draws it).
      const bool mirrored = vertical ? !a.AxisReverse : a.AxisReverse;
      const double perLength = s.To(a.AxisValue2) - s.To(a.AxisValue1);
      const double shift = -d / a.AxisLength * perLength * (mirrored ? -1 : 1);
      Show(a, s, WithinFull({s.view.lo + shift, s.view.hi + shift}, s.full));
    }
    ShowChangedView(ui, graph);
  });
  ShowGraphCoords(ui, 0, x, y);
  return true;
}

// ---------------------------------------------------------------- the keys

namespace {

// Moves a scroll bar's thumb one step back (-1) or forwards (1), by its small or large change, as its
// arrows and page areas do, and pans the current graph with it.
void Step(Interaction& ui, bool horizontal, int direction, bool large) {
  ControlState& state = ui.State;
  // The bars show the current graph's view; they are placed anew, as they may still show another's.
  SetScrollBarsVisibility(state, ui.Notify);
  SetScrollBars(state, ui.Notify);
  if (!state.ScrollBarsVisible) return;  // the full range: nothing to pan
  ScrollBarElement& bar = horizontal ? state.HScroll1 : state.VScroll1;
  const int32_t value =
      std::clamp(bar.Value + direction * (large ? bar.LargeChange : bar.SmallChange), 0, bar.Max);
  if (value == bar.Value) return;
  bar.Value = value;
  ui.Mouse.PointedGraph = state.CurrentGraph;
  horizontal ? HScroll1_Change(ui) : VScroll1_Change(ui);
}

}  // namespace

bool KeyDown(Interaction& ui, ClipboardService* clipboard, int16_t keyCode, int16_t shift) {
  if (keyCode == key::C && (shift & (kShift | kCtrl | kAlt)) == kCtrl) {
    CopyToClipboard(ui.Notify, clipboard, ui.Picture1);
    return true;
  }
  ControlState& state = ui.State;
  const int16_t graph = state.CurrentGraph;
  if ((shift & (kCtrl | kAlt)) != 0 || graph < 0 || graph >= state.NumGraphs()) return false;
  const GraphRecord& g = state.Graph(graph);
  if (!g.GraphInclude || !g.GraphAllowZoom) return false;
  switch (keyCode) {
    case key::Left:
    case key::Right:
      Step(ui, true, keyCode == key::Left ? -1 : 1, false);
      return true;
    case key::Up:
    case key::Down:
      // The top of the vertical bar shows the top of the range.
      Step(ui, false, keyCode == key::Up ? -1 : 1, false);
      return true;
    case key::PageUp:
    case key::PageDown:
      Step(ui, false, keyCode == key::PageUp ? -1 : 1, true);
      return true;
    case key::Add:
    case key::Subtract: {
      const PlotBox p = PlotOf(g);
      const double f = keyCode == key::Add ? 2 : 0.5;
      ZoomAbout(ui, graph, (p.L + p.R) / 2, (p.T + p.B) / 2, f, f);
      return true;
    }
    case key::Home:
    case key::Escape:
      UnZoom(state, ui.Notify, graph);
      ShowChangedView(ui, graph);
      return true;
    default:
      return false;
  }
}

}  // namespace plotara
