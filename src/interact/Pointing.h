// The hit test: which graph, and which part of it, lies under the pointer.
#pragma once

#include "interact/Interaction.h"

namespace plotara {

// Visits the included graphs front to back and returns the first one under (x, y) (surface units), or
// -1. Sets the mouse session's pointing flags of the part found (cleared first when reset) and the pointer
// shape Picture1 asks for: the legend table (when it can be dragged), then the plot area with its edges, then
// the graph rectangle with its edges and border band. Bounds are inclusive.
int16_t PointingAt(Interaction& ui, int16_t button, float x, float y, bool reset);

}  // namespace plotara
