#include "interact/Mouse.h"

#include "interact/BringToFront.h"
#include "interact/Drag.h"
#include "interact/Pointing.h"
#include "interact/ScrollBars.h"
#include "interact/Zoom.h"
#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "render/Pipeline.h"

namespace plotara {

namespace {
constexpr int16_t kLeft = 1, kRight = 2;
constexpr int16_t kNoShift = 0, kShift = 1, kCtrl = 2;

bool Moved(const MouseSession& m, float x, float y) {
  return x != m.LastMouseX || y != m.LastMouseY;
}

void Remember(MouseSession& m, float x, float y) {
  m.LastMouseX = x;
  m.LastMouseY = y;
}
}  // namespace

void Picture1_MouseDown(Interaction& ui, int16_t button, int16_t shift, float x, float y) {
  MouseSession& m = ui.Mouse;
  ui.Notify.Guard("Picture1_MouseDown", [&] {
    m.PointedGraph = PointingAt(ui, button, x, y, true);
    if (m.PointedGraph < 0) return;
    BringGraphToFront(ui, m.PointedGraph);
    GraphRecord& g = ui.State.Graph(m.PointedGraph);
    AxisRecord& ax = AxisAt(g, g.CurrentXAxis);
    AxisRecord& ay = AxisAt(g, g.CurrentYAxis);
    ax.ZoomAnchor = x;
    ay.ZoomAnchor = y;
    ax.ZoomCorner = ay.ZoomCorner = 0;
    PointingFlags& f = m.Pointing;
    if (button == kLeft && shift == kNoShift) {
      if (f.OverZoomArea) return;  // the anchor of a rubber band is all a press does there
      if (f.OverLegend) {
        m.LegendGrabX = CLng(x - g.LegendRectLeft);
        m.LegendGrabY = CLng(y - g.LegendRectTop);
        DragLegendTable(ui, x, y, true);
      } else if (f.OverGraphPart()) {
        m.GraphGrabX = CLng(x - g.RectLeft);
        m.GraphGrabY = CLng(y - g.RectTop);
        m.LegendGrabX = g.LegendRectLeft - g.RectLeft;
        m.LegendGrabY = g.LegendRectTop - g.RectTop;
        DragGraph(ui, x, y, true);
      }
    } else if (shift == kShift && f.OverZoomArea) {
      if (button == kLeft) ZoomIn(ui, x, y);
      if (button == kRight) ZoomOut(ui);
    } else if (shift == kCtrl && button == kLeft) {
      // The legend jumps with its corner to the pointer.
      m.LegendGrabX = m.LegendGrabY = 0;
      m.Pointing = {};
      m.Pointing.OverLegend = true;
      DragLegendTable(ui, x, y, true);
    } else if (shift == kCtrl && button == kRight) {
      g.LegendShow = !g.LegendShow;
      RefreshGraphs(ui, m.PointedGraph, true);
    }
  });
}

void Picture1_MouseMove(Interaction& ui, int16_t button, int16_t shift, float x, float y) {
  MouseSession& m = ui.Mouse;
  ui.Notify.Guard("Picture1_MouseMove", [&] {
    if (button == 0) {
      if (!Moved(m, x, y)) return;
      ShowGraphCoords(ui, button, x, y);
      Remember(m, x, y);
      return;
    }
    if (button != kLeft || shift != kNoShift || m.PointedGraph < 0 || m.PointedGraph >= ui.State.NumGraphs())
      return;
    const PointingFlags& f = m.Pointing;
    if (f.OverLegend) {
      if (!Moved(m, x, y)) return;
      DragLegendTable(ui, x, y, false);
      Remember(m, x, y);
      ui.State.Label1.Caption.clear();
    } else if (f.OverZoomArea) {
      RubberBand(ui, x, y);
    } else if (f.OverGraphPart() && Moved(m, x, y)) {
      if (DragGraph(ui, x, y, false)) Remember(m, x, y);
    }
  });
}

void Picture1_MouseUp(Interaction& ui, int16_t button, int16_t shift, float x, float y) {
  const MouseSession& m = ui.Mouse;
  ui.Notify.Guard("Picture1_MouseUp", [&] {
    if (m.PointedGraph < 0) return;
    const PointingFlags& f = m.Pointing;
    if (button == kLeft && shift == kNoShift) {
      if (f.OverLegend) {
        RefreshGraphs(ui, m.PointedGraph, true);
        ShowGraphCoords(ui, 0, x, y);
      } else if (f.OverZoomArea) {
        ZoomToRectangle(ui, x, y);
      }
    } else if (button == kRight && shift == kNoShift && f.OverZoomArea) {
      UnZoom(ui.State, ui.Notify, m.PointedGraph);
      ResizeScrollBars(ui.State, ui.Notify);
      ShowGraphCoords(ui, 0, x, y);
      RefreshGraphs(ui, m.PointedGraph, true);
    }
  });
}

}  // namespace plotara
