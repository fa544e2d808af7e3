#include "interact/Pointing.h"

#include "model/Lookup.h"

namespace plotara {

namespace {

bool Within(double v, double lo, double hi) {
  return lo <= v && v <= hi;
}

// The edges of a rectangle the pointer is near: within a millimetre of the left or top side, closer than
// half a millimetre to the right or bottom side, tested in that order.
enum class Edge { None, Left, Right, Top, Bottom };

Edge NearEdge(const ControlState& state, float x, float y, double left, double top, double right,
              double bottom) {
  if (x - left <= state.UnitsPerMmX) return Edge::Left;
  if (right - x < state.UnitsPerMmX / 2) return Edge::Right;
  if (y - top <= state.UnitsPerMmY) return Edge::Top;
  if (bottom - y < state.UnitsPerMmY / 2) return Edge::Bottom;
  return Edge::None;
}

// Sets the flag of an edge (or of the inner area) and the shape its drag shows; a graph that cannot be
// dragged keeps the default pointer.
int16_t Mark(const GraphRecord& g, Edge edge, bool& left, bool& right, bool& top, bool& bottom, bool& inner,
             int16_t innerShape) {
  int16_t shape = pointer::Default;
  switch (edge) {
    case Edge::Left:
      left = true, shape = pointer::WestEast;
      break;
    case Edge::Right:
      right = true, shape = pointer::WestEast;
      break;
    case Edge::Top:
      top = true, shape = pointer::NorthSouth;
      break;
    case Edge::Bottom:
      bottom = true, shape = pointer::NorthSouth;
      break;
    case Edge::None:
      inner = true, shape = innerShape;
      break;
  }
  const bool zooming = edge == Edge::None && innerShape == pointer::CrossHair;
  return g.GraphAllowDragging || zooming ? shape : pointer::Default;
}

}  // namespace

int16_t PointingAt(Interaction& ui, int16_t, float x, float y, bool reset) {
  const ControlState& state = ui.State;
  int16_t result = -1;
  ui.Notify.Guard("PointingAt", [&] {
    if (reset) ui.Mouse.Pointing = {};
    PointingFlags& f = ui.Mouse.Pointing;
    int& shape = ui.Picture1.MousePointer;
    shape = pointer::Default;
    for (auto it = state.GraphOrder.rbegin(); it != state.GraphOrder.rend(); ++it) {
      const int16_t index = *it;
      const GraphRecord& g = state.Graph(index);
      shape = pointer::Default;
      // A graph that is not drawn cannot be pointed at.
      if (!g.GraphInclude) continue;
      if (g.LegendShow && g.LegendDragging &&
          Within(x, g.LegendRectLeft, static_cast<double>(g.LegendRectLeft) + g.LegendRectWidth) &&
          Within(y, g.LegendRectTop, static_cast<double>(g.LegendRectTop) + g.LegendRectHeight)) {
        f.OverLegend = true;
        shape = pointer::UpArrow;
        result = index;
        return;
      }
      const double pl = static_cast<double>(g.RectLeft) + g.BorderLeft,
                   pt = static_cast<double>(g.RectTop) + g.BorderTop;
      const double pr = pl + AxisAt(g, g.CurrentXAxis).AxisLength,
                   pb = pt + AxisAt(g, g.CurrentYAxis).AxisLength;
      if (Within(x, pl, pr) && Within(y, pt, pb)) {
        bool& inner = g.GraphAllowZoom ? f.OverZoomArea : f.OverMoveArea;
        shape = Mark(g, NearEdge(state, x, y, pl, pt, pr, pb), f.OverPlotLeftEdge, f.OverPlotRightEdge,
                     f.OverPlotTopEdge, f.OverPlotBottomEdge, inner,
                     g.GraphAllowZoom ? pointer::CrossHair : pointer::FourArrows);
        result = index;
        return;
      }
      const double gl = g.RectLeft, gt = g.RectTop, gr = gl + g.RectWidth, gb = gt + g.RectHeight;
      if (Within(x, gl, gr) && Within(y, gt, gb)) {
        shape = Mark(g, NearEdge(state, x, y, gl, gt, gr, gb), f.OverGraphLeftEdge, f.OverGraphRightEdge,
                     f.OverGraphTopEdge, f.OverGraphBottomEdge, f.OverMoveArea, pointer::FourArrows);
        result = index;
        return;
      }
    }
  });
  return result;
}

}  // namespace plotara
