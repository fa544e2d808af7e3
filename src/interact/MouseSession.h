// What the mouse leaves behind from one event to the next: the graph of the last press, what lay under the
// pointer, and the positions a drag keeps from step to step.
#pragma once

#include <cstdint>

namespace plotara {

// What lies under the pointer, found by the hit test; cleared together at every press.
struct PointingFlags {
  bool OverLegend = false;
  bool OverMoveArea = false;
  bool OverZoomArea = false;
  bool OverGraphLeftEdge = false, OverGraphTopEdge = false, OverGraphRightEdge = false,
       OverGraphBottomEdge = false;
  bool OverPlotLeftEdge = false, OverPlotTopEdge = false, OverPlotRightEdge = false,
       OverPlotBottomEdge = false;
  // The graph can be dragged by its border band, an outer edge or a plot-area edge.
  bool OverGraphPart() const {
    return OverMoveArea || OverGraphLeftEdge || OverGraphTopEdge || OverGraphRightEdge ||
           OverGraphBottomEdge || OverPlotLeftEdge || OverPlotTopEdge || OverPlotRightEdge ||
           OverPlotBottomEdge;
  }
};

// The mouse: the graph found under the last press (-1 none), what lay under the pointer, and the values
// kept from one drag step to the next (surface units).
struct MouseSession {
  int16_t PointedGraph = -1;
  PointingFlags Pointing;
  int32_t LegendGrabX = 0, LegendGrabY = 0;
  int32_t GraphGrabX = 0, GraphGrabY = 0;
  float LastMouseX = 0, LastMouseY = 0;
  bool LastDragMoved = false;
  int32_t LastLegendLeft = 0, LastLegendTop = 0;
  int32_t LastGraphLeft = 0, LastGraphTop = 0;
};

}  // namespace plotara
