// Graphs sections: creating graphs and axes; axis limits; selection; name lists.
#include "model/Graphs.h"

#include "model/Lookup.h"
#include "platform/Conversions.h"

namespace plotara {

// ---------------------------------------------------------------- creating graphs and axes

void AddGraph(ControlState& s, Notifier& n, const std::string& name, double x1, double x2, double y1,
              double y2) {
  const int16_t count = AddInt16(s.NumGraphs(), 1);
  const int16_t g = static_cast<int16_t>(count - 1);
  ++s.Structure;
  s.Graphs.emplace_back();
  s.GraphOrder.push_back(g);  // drawn last, in front of all others
  s.GraphNames.push_back(name);
  s.CurrentGraph = g;
  SetNewGraphDefaults(s.Graphs.back(), s.UnitsPerMmX, s.UnitsPerMmY);
  ClearGraphData(s, n);
  AddAxis(s, n, "NewXAxis", 0, "x-axis", x1, x2);
  AddAxis(s, n, "NewYAxis", 1, "y-axis", y1, y2);
}

void ClearGraphData(ControlState& s, ErrorReporter& r) {
  Guarded(r, "ClearGraphData", [&] {
    if (s.NumGraphs() < 1) return;
    GraphRecord& g = s.Current();
    ++s.Structure;
    g.SelectedDataSet = 0;
    g.SelectedAxis = 0;
    g.DataSets.clear();
    g.Axes.clear();
    g.Points.Clear();
  });
}

void AddAxis(ControlState& s, Notifier& n, const char* routine, int16_t xy, const std::string& name,
             double a1, double a2) {
  n.Guard(routine, [&] {
    GraphRecord& g = s.Current();
    const int16_t k = g.NumAxes();
    const int16_t count = AddInt16(k, 1);
    ++s.Structure;
    g.Axes.resize(static_cast<size_t>(count));
    (xy == kXAxis ? g.CurrentXAxis : g.CurrentYAxis) = k;
    ResetAxis(s, n, g.Axes[static_cast<size_t>(k)], name, xy, a1, a2);
  });
}

void ResetAxis(const ControlState& s, Notifier& n, AxisRecord& axis, const std::string& name, int16_t xy,
               double a1, double a2) {
  n.Guard("ResetAxis", [&] {
    SetAxisDefaults(axis, name, xy, a1, a2, s.UnitsPerMmX);
    n.RaiseGraphScaleChanged();
  });
}

// ---------------------------------------------------------------- axis limits

void InitAxisLimits(ErrorReporter& r, AxisRecord& axis, double value) {
  Guarded(r, "InitAxisLimits", [&] {
    axis.AxisValue1 = axis.AxisValue2 = value;
    axis.ScaleMin = axis.ScaleMax = value;
    axis.DataMin = axis.DataMax = value;
    axis.RescalePending = true;
    axis.LimitsPending = false;
  });
}

void SetAxisScale(ControlState& s, ErrorReporter& r) {
  Guarded(r, "SetAxisScale", [&] {
    GraphRecord& g = s.Current();
    AxisRecord& a = AxisAt(g, g.SelectedAxis);
    if (a.AxisScale == kScaleAutomatic) {
      a.ScaleMin = a.DataMin;
      a.ScaleMax = a.DataMax;
    } else if (a.AxisScale == kScaleFixed || a.AxisScale == kScaleTextLabels) {
      a.ScaleMin = a.AxisValue1;
      a.ScaleMax = a.AxisValue2;
    }
  });
}

void SetScrollBarsVisibility(ControlState& s, ErrorReporter& r) {
  Guarded(r, "SetScrollBarsVisibility", [&] {
    const GraphRecord& g = s.Current();
    SetScrollBarsVisibility(s, r, g.CurrentXAxis, g.CurrentYAxis);
  });
}

void SetScrollBarsVisibility(ControlState& s, ErrorReporter& r, int16_t xAxis, int16_t yAxis) {
  Guarded(r, "SetScrollBarsVisibility", [&] {
    const GraphRecord& g = s.Current();
    const AxisRecord& x = AxisAt(g, xAxis);
    const AxisRecord& y = AxisAt(g, yAxis);
    s.ScrollBarsVisible = x.AxisValue1 != x.ScaleMin || x.AxisValue2 != x.ScaleMax ||
                          y.AxisValue1 != y.ScaleMin || y.AxisValue2 != y.ScaleMax;
  });
}

// ---------------------------------------------------------------- selection

int16_t SelectAxis(ControlState& s, int16_t index) {
  GraphRecord& g = s.Current();
  if (index < 0 || index >= g.NumAxes()) return -1;
  g.SelectedAxis = index;
  const AxisRecord& a = g.Axes[static_cast<size_t>(index)];
  (a.XY == kXAxis ? g.CurrentXAxis : g.CurrentYAxis) = index;
  return a.XY == kXAxis ? kXAxis : kYAxis;
}

void SelectDataSet(ControlState& s, int16_t index) {
  GraphRecord& g = s.Current();
  if (index >= 0 && index < g.NumDataSets()) g.SelectedDataSet = index;
}

// ---------------------------------------------------------------- name lists

std::vector<std::string> AxisNames(const ControlState& s) {
  const GraphRecord& g = s.Current();
  std::vector<std::string> names(static_cast<size_t>(g.NumAxes()) + 1);
  for (int i = 0; i < g.NumAxes(); ++i)
    names[static_cast<size_t>(i)] = g.Axes[static_cast<size_t>(i)].AxisTitle;
  return names;
}

std::vector<std::string> DataSetNames(const ControlState& s) {
  const GraphRecord& g = s.Current();
  std::vector<std::string> names(static_cast<size_t>(g.NumDataSets()) + 1);
  for (int i = 0; i < g.NumDataSets(); ++i)
    names[static_cast<size_t>(i)] = g.DataSets[static_cast<size_t>(i)].DataLegend;
  return names;
}

std::vector<std::string> GraphNameList(const ControlState& s) {
  std::vector<std::string> names(static_cast<size_t>(s.NumGraphs()) + 1);
  for (int i = 0; i < s.NumGraphs(); ++i)
    names[static_cast<size_t>(i) + 1] = s.GraphNames[static_cast<size_t>(i)];
  return names;
}

}  // namespace plotara
