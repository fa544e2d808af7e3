// Dragging a graph (moving it, resizing it by an outer edge, changing a margin by a plot-area edge) and
// dragging its legend table, one mouse step at a time. Both act on the graph of the last press.
#pragma once

#include "interact/Interaction.h"

namespace plotara {

// One step of a graph drag to the pointer (x, y): changes what the pointing flags name, redraws (the
// whole page on the first step, the front graph alone later) and raises GraphPositionChanged. Returns
// whether anything moved; nothing does while a refresh runs, for a graph that may not be dragged, or
// when the graph's corner stays where it was.
bool DragGraph(Interaction& ui, float x, float y, bool firstStep);

// One step of a legend drag: erases the table at its old place from the back buffer, places it at the
// pointer less the grab offset, held inside the graph, and redraws it on Picture1 alone; raises
// LegendPositionChanged.
void DragLegendTable(Interaction& ui, float x, float y, bool firstStep);

}  // namespace plotara
