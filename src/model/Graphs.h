// Operations on graphs and axes inside the control (the host's methods are members of Plotara).
#pragma once

#include <string>

#include "control/Control.h"

namespace plotara {

// Empties the current graph's axes, data sets and points; keeps its appearance.
void ClearGraphData(Control& c);
// Appends an X (xy 0) or Y (xy 1) axis to the current graph and makes it the current axis of its kind.
void AddAxis(Control& c, const char* routine, int16_t xy, const std::string& name, double a1, double a2);
// Writes every default into an axis and raises GraphScaleChanged.
void ResetAxis(Control& c, AxisRecord& axis, const std::string& name, int16_t xy, double a1, double a2);
// The first point on an automatic axis: all six limits become the value.
void InitAxisLimits(Control& c, AxisRecord& axis, double value);
// Sets the full range of the selected axis of the current graph from its scale mode.
void SetAxisScale(Control& c);
// The axis with index i of a graph, or error 9.
AxisRecord& AxisAt(GraphRecord& g, int i);

}  // namespace plotara
