// Graphs sections: creating graphs and axes; axis limits; selection; name lists.
#include "model/Graphs.h"

#include "model/Lookup.h"
#include "platform/Conversions.h"

namespace plotara {

// ---------------------------------------------------------------- creating graphs and axes

void AddGraph(Control& c, const std::string& name, double x1, double x2, double y1, double y2) {
  const int16_t count = AddInt16(c.NumGraphs(), 1);
  const int16_t g = static_cast<int16_t>(count - 1);
  c.Graphs.emplace_back();
  c.GraphOrder.push_back(g);  // drawn last, in front of all others
  c.GraphNames.push_back(name);
  c.CurrentGraph = g;
  SetNewGraphDefaults(c.Graphs.back(), c.UnitsPerMmX, c.UnitsPerMmY);
  ClearGraphData(c);
  AddAxis(c, "NewXAxis", 0, "x-axis", x1, x2);
  AddAxis(c, "NewYAxis", 1, "y-axis", y1, y2);
}

void ClearGraphData(Control& c) {
  c.Guard("ClearGraphData", [&] {
    if (c.NumGraphs() < 1) return;
    GraphRecord& g = c.Current();
    g.SelectedDataSet = 0;
    g.SelectedAxis = 0;
    g.DataSets.clear();
    g.Axes.clear();
    g.Points.Clear();
  });
}

void AddAxis(Control& c, const char* routine, int16_t xy, const std::string& name, double a1, double a2) {
  c.Guard(routine, [&] {
    GraphRecord& g = c.Current();
    const int16_t k = g.NumAxes();
    const int16_t count = AddInt16(k, 1);
    g.Axes.resize(static_cast<size_t>(count));
    (xy == kXAxis ? g.CurrentXAxis : g.CurrentYAxis) = k;
    ResetAxis(c, g.Axes[static_cast<size_t>(k)], name, xy, a1, a2);
  });
}

void ResetAxis(Control& c, AxisRecord& axis, const std::string& name, int16_t xy, double a1, double a2) {
  c.Guard("ResetAxis", [&] {
    SetAxisDefaults(axis, name, xy, a1, a2, c.UnitsPerMmX);
    c.RaiseGraphScaleChanged();
  });
}

// ---------------------------------------------------------------- axis limits

void InitAxisLimits(Control& c, AxisRecord& axis, double value) {
  c.Guard("InitAxisLimits", [&] {
    axis.AxisValue1 = axis.AxisValue2 = value;
    axis.ScaleMin = axis.ScaleMax = value;
    axis.DataMin = axis.DataMax = value;
    axis.RescalePending = true;
    axis.LimitsPending = false;
  });
}

void SetAxisScale(Control& c) {
  c.Guard("SetAxisScale", [&] {
    GraphRecord& g = c.Current();
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

void SetScrollBarsVisibility(Control& c) {
  c.Guard("SetScrollBarsVisibility", [&] {
    GraphRecord& g = c.Current();
    const AxisRecord& x = AxisAt(g, g.CurrentXAxis);
    const AxisRecord& y = AxisAt(g, g.CurrentYAxis);
    c.ScrollBarsVisible = x.AxisValue1 != x.ScaleMin || x.AxisValue2 != x.ScaleMax ||
                          y.AxisValue1 != y.ScaleMin || y.AxisValue2 != y.ScaleMax;
  });
}

// ---------------------------------------------------------------- selection

int16_t SelectAxis(Control& c, int16_t index) {
  GraphRecord& g = c.Current();
  if (index < 0 || index >= g.NumAxes()) return -1;
  g.SelectedAxis = index;
  const AxisRecord& a = g.Axes[static_cast<size_t>(index)];
  (a.XY == kXAxis ? g.CurrentXAxis : g.CurrentYAxis) = index;
  return a.XY == kXAxis ? kXAxis : kYAxis;
}

void SelectDataSet(Control& c, int16_t index) {
  GraphRecord& g = c.Current();
  if (index >= 0 && index < g.NumDataSets()) g.SelectedDataSet = index;
}

// ---------------------------------------------------------------- name lists

std::vector<std::string> AxisNames(Control& c) {
  const GraphRecord& g = c.Current();
  std::vector<std::string> names(static_cast<size_t>(g.NumAxes()) + 1);
  for (int i = 0; i < g.NumAxes(); ++i)
    names[static_cast<size_t>(i)] = g.Axes[static_cast<size_t>(i)].AxisTitle;
  return names;
}

std::vector<std::string> DataSetNames(Control& c) {
  const GraphRecord& g = c.Current();
  std::vector<std::string> names(static_cast<size_t>(g.NumDataSets()) + 1);
  for (int i = 0; i < g.NumDataSets(); ++i)
    names[static_cast<size_t>(i)] = g.DataSets[static_cast<size_t>(i)].DataLegend;
  return names;
}

std::vector<std::string> GraphNameList(const Control& c) {
  std::vector<std::string> names(static_cast<size_t>(c.NumGraphs()) + 1);
  for (int i = 0; i < c.NumGraphs(); ++i)
    names[static_cast<size_t>(i) + 1] = c.GraphNames[static_cast<size_t>(i)];
  return names;
}

}  // namespace plotara
