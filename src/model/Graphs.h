// Operations on graphs and axes: creating, clearing, selecting and listing them. The host's methods
// (control/GraphMethods.cpp) run these under their own names.
#pragma once

#include <string>
#include <vector>

#include "model/Notifier.h"
#include "model/Records.h"

namespace plotara {

// Appends a graph with an automatic (or, given limits, fixed) "x-axis" and "y-axis" and makes it the
// current graph, in front of all others.
void AddGraph(ControlState& s, Notifier& n, const std::string& name, double x1, double x2, double y1,
              double y2);
// Empties the current graph's axes, data sets and points; keeps its appearance.
void ClearGraphData(ControlState& s, ErrorReporter& r);
// Appends an X (xy 0) or Y (xy 1) axis to the current graph and makes it the current axis of its kind;
// failures are reported under routine.
void AddAxis(ControlState& s, Notifier& n, const char* routine, int16_t xy, const std::string& name,
             double a1, double a2);
// Writes every default into an axis and raises GraphScaleChanged.
void ResetAxis(const ControlState& s, Notifier& n, AxisRecord& axis, const std::string& name, int16_t xy,
               double a1, double a2);
// The first point on an automatic axis: all six limits become the value.
void InitAxisLimits(ErrorReporter& r, AxisRecord& axis, double value);
// Sets the full range of the selected axis of the current graph from its scale mode.
void SetAxisScale(ControlState& s, ErrorReporter& r);
// ScrollBarsVisible: the current graph's current X or Y axis shows less than its full range.
void SetScrollBarsVisibility(ControlState& s, ErrorReporter& r);
// The same for the current graph's X axis xAxis and Y axis yAxis.
void SetScrollBarsVisibility(ControlState& s, ErrorReporter& r, int16_t xAxis, int16_t yAxis);

// Makes axis `index` of the current graph the selected axis and the current one of its kind; returns
// its kind (0 X, 1 Y), or -1, changing nothing, when there is no such axis. Raises 9 without a graph.
int16_t SelectAxis(ControlState& s, int16_t index);
// Makes data set `index` of the current graph the selected one; an index out of range changes nothing.
void SelectDataSet(ControlState& s, int16_t index);

// The names as the host's list methods return them: one entry per item and one empty entry, which
// comes last for axes and data sets and first for graphs (graph i is entry i + 1).
std::vector<std::string> AxisNames(const ControlState& s);
std::vector<std::string> DataSetNames(const ControlState& s);
std::vector<std::string> GraphNameList(const ControlState& s);

}  // namespace plotara
