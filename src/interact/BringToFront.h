// Bringing a graph to the front of the page.
#pragma once

#include "render/Drawing.h"

namespace plotara {

// Moves graph g to the end of the drawing order and redraws the page, which leaves it the current graph
// with its legend table on Picture1; the legend of the graph that was in front is kept in the back
// buffer. Raises NewGraphInFront. Nothing happens when g is already in front or does not exist.
void BringGraphToFront(Drawing& d, int16_t g);

}  // namespace plotara
