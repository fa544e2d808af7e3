// Zooming with the mouse and the coordinate read-out. Every zoom changes only the limits in use of the
// axes of the graph of the last press, within their full range; UnZoom restores the full range.
#pragma once

#include "interact/Interaction.h"

namespace plotara {

// Draws the rubber band from the press to (x, y) in invert mode, first removing the one drawn last.
void RubberBand(Interaction& ui, float x, float y);
// Gives every axis of the graph the range between the press and the release at (x, y), each through
// its own mapping, within its full range; an axis whose range would shrink below the full span divided
// by MaxZoomFactor keeps its limits. A release level with the press in x or y does nothing.
void ZoomToRectangle(Interaction& ui, float x, float y);
// Halves every axis's range about the value under the pointer.
void ZoomIn(Interaction& ui, float x, float y);
// Doubles every axis's range about its middle, within the full range.
void ZoomOut(Interaction& ui);
// Every axis of graph `graph` (the graph of the last press) shows its full range again, and it becomes the
// current graph.
void UnZoom(ControlState& state, ErrorReporter& r, int16_t graph);
// The read-out: " X, Y" of the pointer in Label1 when no button is held and the pointer is over the plot
// area of a graph that shows it; otherwise empty.
void ShowGraphCoords(Interaction& ui, int16_t button, float x, float y);
// Shows or hides the read-out of the current graph and lays out the scroll bars again.
void SetShowXYcoords(ControlState& state, ErrorReporter& r, bool show);

}  // namespace plotara
