// The scroll bars of a zoomed view: whether they show, where their thumbs sit, and their layout with the
// read-out label along the bottom and right edges of the control.
#pragma once

#include "model/Control.h"

namespace plotara {

// Thumb positions and steps from the current graph's current axes; shows or hides the bars.
void SetScrollBars(Control& c);
// Lays out VScroll1, HScroll1 and Label1 in the client area, then SetScrollBars.
void ResizeScrollBars(Control& c);

}  // namespace plotara
