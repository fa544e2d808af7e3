// The scroll bars of a zoomed view: where their thumbs sit, their layout with the read-out label along
// the bottom and right edges of the control, and panning the view when they are moved.
#pragma once

#include "interact/Interaction.h"

namespace plotara {

// Thumb positions and steps from the current graph's current axes; shows or hides the bars.
void SetScrollBars(ControlState& state, ErrorReporter& r);
// Lays out VScroll1, HScroll1 and Label1 in the client area, then SetScrollBars.
void ResizeScrollBars(ControlState& state, ErrorReporter& r);

// The bar's Value changed: every X (or Y) axis of the graph of the last press shows the part of its full
// range the thumb stands for, keeping the size of its view, and the graph is redrawn. Nothing happens
// without such a graph.
void HScroll1_Change(Interaction& ui);
void VScroll1_Change(Interaction& ui);
// The thumb is being dragged: the view follows it, unless a refresh is running.
void HScroll1_Scroll(Interaction& ui);
void VScroll1_Scroll(Interaction& ui);

}  // namespace plotara
