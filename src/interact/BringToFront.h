// Bringing a graph to the front of the page.
#pragma once

#include "control/Control.h"

namespace plotara {

// Moves graph g to the end of the drawing order, so that it is drawn last, makes it the current graph
// and raises NewGraphInFront. Nothing happens when g is already in front or does not exist.
void BringGraphToFront(Control& c, int16_t g);

}  // namespace plotara
