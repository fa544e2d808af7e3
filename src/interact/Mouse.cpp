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

bool Moved(const Control& c, float x, float y) {
  return x != c.LastMouseX || y != c.LastMouseY;
}

void Remember(Control& c, float x, float y) {
  c.LastMouseX = x;
  c.LastMouseY = y;
}
}  // namespace

void Picture1_MouseDown(Control& c, int16_t button, int16_t shift, float x, float y) {
  c.Guard("Picture1_MouseDown", [&] {
    c.PointedGraph = PointingAt(c, button, x, y, true);
    if (c.PointedGraph < 0) return;
    BringGraphToFront(c, c.PointedGraph);
    GraphRecord& g = c.Graph(c.PointedGraph);
    AxisRecord& ax = AxisAt(g, g.CurrentXAxis);
    AxisRecord& ay = AxisAt(g, g.CurrentYAxis);
    ax.ZoomAnchor = x;
    ay.ZoomAnchor = y;
    ax.ZoomCorner = ay.ZoomCorner = 0;
    PointingFlags& f = c.Pointing;
    if (button == kLeft && shift == kNoShift) {
      if (f.OverZoomArea) return;  // the anchor of a rubber band is all a press does there
      if (f.OverLegend) {
        c.LegendGrabX = CLng(x - g.LegendRectLeft);
        c.LegendGrabY = CLng(y - g.LegendRectTop);
        DragLegendTable(c, x, y, true);
      } else if (f.OverGraphPart()) {
        c.GraphGrabX = CLng(x - g.RectLeft);
        c.GraphGrabY = CLng(y - g.RectTop);
        c.LegendGrabX = g.LegendRectLeft - g.RectLeft;
        c.LegendGrabY = g.LegendRectTop - g.RectTop;
        DragGraph(c, x, y, true);
      }
    } else if (shift == kShift && f.OverZoomArea) {
      if (button == kLeft) ZoomIn(c, x, y);
      if (button == kRight) ZoomOut(c);
    } else if (shift == kCtrl && button == kLeft) {
      // The legend jumps with its corner to the pointer.
      c.LegendGrabX = c.LegendGrabY = 0;
      c.Pointing = {};
      c.Pointing.OverLegend = true;
      DragLegendTable(c, x, y, true);
    } else if (shift == kCtrl && button == kRight) {
      g.LegendShow = !g.LegendShow;
      RefreshGraphs(DrawingOf(c), c.PointedGraph, true);
    }
  });
}

void Picture1_MouseMove(Control& c, int16_t button, int16_t shift, float x, float y) {
  c.Guard("Picture1_MouseMove", [&] {
    if (button == 0) {
      if (!Moved(c, x, y)) return;
      ShowGraphCoords(c, button, x, y);
      Remember(c, x, y);
      return;
    }
    if (button != kLeft || shift != kNoShift || c.PointedGraph < 0 || c.PointedGraph >= c.NumGraphs()) return;
    const PointingFlags& f = c.Pointing;
    if (f.OverLegend) {
      if (!Moved(c, x, y)) return;
      DragLegendTable(c, x, y, false);
      Remember(c, x, y);
      c.Label1.Caption.clear();
    } else if (f.OverZoomArea) {
      RubberBand(c, x, y);
    } else if (f.OverGraphPart() && Moved(c, x, y)) {
      if (DragGraph(c, x, y, false)) Remember(c, x, y);
    }
  });
}

void Picture1_MouseUp(Control& c, int16_t button, int16_t shift, float x, float y) {
  c.Guard("Picture1_MouseUp", [&] {
    if (c.PointedGraph < 0) return;
    const PointingFlags& f = c.Pointing;
    if (button == kLeft && shift == kNoShift) {
      if (f.OverLegend) {
        RefreshGraphs(DrawingOf(c), c.PointedGraph, true);
        ShowGraphCoords(c, 0, x, y);
      } else if (f.OverZoomArea) {
        ZoomToRectangle(c, x, y);
      }
    } else if (button == kRight && shift == kNoShift && f.OverZoomArea) {
      UnZoom(c);
      ResizeScrollBars(c);
      ShowGraphCoords(c, 0, x, y);
      RefreshGraphs(DrawingOf(c), c.PointedGraph, true);
    }
  });
}

}  // namespace plotara
