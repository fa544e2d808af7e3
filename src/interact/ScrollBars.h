// The scroll bars of a zoomed view: where their thumbs sit, their layout with the read-out label along
// the bottom and right edges of the control, and panning the view when they are moved.
#pragma once

#include "model/Control.h"

namespace plotara {

// Thumb positions and steps from the current graph's current axes; shows or hides the bars.
void SetScrollBars(Control& c);
// Lays out VScroll1, HScroll1 and Label1 in the client area, then SetScrollBars.
void ResizeScrollBars(Control& c);

// The bar's Value changed: every X (or Y) axis of the graph of the last press shows the part of its full
// range the thumb stands for, keeping the size of its view, and the graph is redrawn. Nothing happens
// without such a graph.
void HScroll1_Change(Control& c);
void VScroll1_Change(Control& c);
// The thumb is being dragged: the view follows it, unless a refresh is running.
void HScroll1_Scroll(Control& c);
void VScroll1_Scroll(Control& c);

}  // namespace plotara
