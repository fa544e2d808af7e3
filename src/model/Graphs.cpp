// Graphs sections: internal operations; creating graphs and axes; selection; name lists.
#include "model/Graphs.h"

#include "control/Plotara.h"
#include "interact/BringToFront.h"
#include "platform/Conversions.h"
#include "scale/Mapping.h"

namespace plotara {

// ---------------------------------------------------------------- internal operations

AxisRecord& AxisAt(GraphRecord& g, int i) {
  if (i < 0 || i >= g.NumAxes) Raise(err::SubscriptOutOfRange);
  return g.Axes[static_cast<size_t>(i)];
}

void ClearGraphData(Control& c) {
  c.Guard("ClearGraphData", [&] {
    if (c.NumGraphs < 1) return;
    GraphRecord& g = c.Current();
    g.NumDataSets = 0;
    g.SelectedDataSet = 0;
    g.NumPoints = 0;
    g.NumAxes = 0;
    g.SelectedAxis = 0;
    g.DataSets.clear();
    g.Axes.clear();
    g.Points.Clear();
  });
}

void ResetAxis(Control& c, AxisRecord& axis, const std::string& name, int16_t xy, double a1, double a2) {
  c.Guard("ResetAxis", [&] {
    SetAxisDefaults(axis, name, xy, a1, a2, c.UnitsPerMmX);
    c.RaiseGraphScaleChanged();
  });
}

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
    if (a.AxisScale == 0) {
      a.ScaleMin = a.DataMin;
      a.ScaleMax = a.DataMax;
    } else if (a.AxisScale == 1 || a.AxisScale == 2) {
      a.ScaleMin = a.AxisValue1;
      a.ScaleMax = a.AxisValue2;
    }
  });
}

void AddAxis(Control& c, const char* routine, int16_t xy, const std::string& name, double a1, double a2) {
  c.Guard(routine, [&] {
    GraphRecord& g = c.Current();
    const int16_t k = g.NumAxes;
    const int16_t count = AddInt16(k, 1);
    g.Axes.resize(static_cast<size_t>(count));
    g.NumAxes = count;
    (xy == 0 ? g.CurrentXAxis : g.CurrentYAxis) = k;
    ResetAxis(c, g.Axes[static_cast<size_t>(k)], name, xy, a1, a2);
  });
}

// ---------------------------------------------------------------- creating graphs and axes

void Plotara::NewGraph(const std::string& GraphName, double x1, double x2, double y1, double y2) {
  Control& c = *c_;
  c.Guard("NewGraph", [&] {
    const int16_t count = AddInt16(c.NumGraphs, 1);
    const int16_t g = static_cast<int16_t>(count - 1);
    c.Graphs.emplace_back();
    c.GraphOrder.push_back(g);  // drawn last, in front of all others
    c.GraphNames.push_back(GraphName);
    c.NumGraphs = count;
    c.CurrentGraph = g;
    SetNewGraphDefaults(c.Graphs.back(), c.UnitsPerMmX, c.UnitsPerMmY);
    ClearGraphData(c);
    NewXAxis("x-axis", x1, x2);
    NewYAxis("y-axis", y1, y2);
  });
}

void Plotara::NewXAxis(const std::string& AxisName, double a1, double a2) { AddAxis(*c_, "NewXAxis", 0, AxisName, a1, a2); }

void Plotara::NewYAxis(const std::string& AxisName, double y1, double y2) { AddAxis(*c_, "NewYAxis", 1, AxisName, y1, y2); }

// ---------------------------------------------------------------- selection

void Plotara::SetSelectedGraph(int16_t GraphIndex) {
  Control& c = *c_;
  c.Guard("SetSelectedGraph", [&] {
    if (GraphIndex >= 0 && GraphIndex < c.NumGraphs) BringGraphToFront(c, GraphIndex);
  });
}

int16_t Plotara::GetSelectedGraph() { return c_->CurrentGraph; }

int16_t Plotara::SetSelectedAxis(int16_t AxisIndex) {
  Control& c = *c_;
  int16_t result = -1;
  c.Guard("SetSelectedAxis", [&] {
    GraphRecord& g = c.Current();
    if (AxisIndex < 0 || AxisIndex >= g.NumAxes) return;
    g.SelectedAxis = AxisIndex;
    if (g.Axes[static_cast<size_t>(AxisIndex)].XY == 0) {
      g.CurrentXAxis = AxisIndex;
      result = 0;
    } else {
      g.CurrentYAxis = AxisIndex;
      result = 1;
    }
  });
  return result;
}

namespace {
// The Index-th axis of a kind (counted from 1), or axis 0 when there is none, made the selected axis.
int16_t SelectAxisOfKind(Plotara& p, Control& c, const char* routine, int16_t kind, int16_t index) {
  int16_t result = 0;
  c.Guard(routine, [&] {
    c.Current();
    result = AxisLevelIndex(c, kind, index);
    p.SetSelectedAxis(result);
  });
  return result;
}
}  // namespace

int16_t Plotara::SelectXaxis(int16_t Index) { return SelectAxisOfKind(*this, *c_, "SelectXaxis", 0, Index); }
int16_t Plotara::SelectYaxis(int16_t Index) { return SelectAxisOfKind(*this, *c_, "SelectYaxis", 1, Index); }

int16_t Plotara::GetSelectedAxisIndex(int16_t XY) {
  Control& c = *c_;
  int16_t result = -1;
  c.Guard("GetSelectedAxisIndex", [&] {
    const GraphRecord& g = c.Current();
    result = XY == 0 ? g.CurrentXAxis : XY == 1 ? g.CurrentYAxis : -1;
  });
  return result;
}

void Plotara::SetSelectedData(int16_t DataIndex) {
  Control& c = *c_;
  c.Guard("SetSelectedData", [&] {
    GraphRecord& g = c.Current();
    if (DataIndex >= 0 && DataIndex < g.NumDataSets) g.SelectedDataSet = DataIndex;
  });
}

void Plotara::GetSelectedData(int16_t& DataIndex) {
  Control& c = *c_;
  c.Guard("GetSelectedData", [&] { DataIndex = c.Current().SelectedDataSet; });
}

// ---------------------------------------------------------------- name lists

void Plotara::GetAxisNames(std::vector<std::string>& AxisNames, int16_t& NumAxes) {
  Control& c = *c_;
  c.Guard("GetAxisNames", [&] {
    const GraphRecord& g = c.Current();
    std::vector<std::string> names(static_cast<size_t>(g.NumAxes) + 1);
    for (int i = 0; i < g.NumAxes; ++i) names[static_cast<size_t>(i)] = g.Axes[static_cast<size_t>(i)].AxisTitle;
    AxisNames = std::move(names);
    NumAxes = g.NumAxes;
  });
}

void Plotara::GetDataSetNames(std::vector<std::string>& DataSetNames, int16_t& NumDataSets) {
  Control& c = *c_;
  c.Guard("GetDataSetNames", [&] {
    const GraphRecord& g = c.Current();
    std::vector<std::string> names(static_cast<size_t>(g.NumDataSets) + 1);
    for (int i = 0; i < g.NumDataSets; ++i)
      names[static_cast<size_t>(i)] = g.DataSets[static_cast<size_t>(i)].DataLegend;
    DataSetNames = std::move(names);
    NumDataSets = g.NumDataSets;
  });
}

void Plotara::GetGraphNames(std::vector<std::string>& GraphTitles, int16_t& NumGraphs) {
  Control& c = *c_;
  c.Guard("GetGraphNames", [&] {
    // Entry 0 stays empty; graph i is entry i + 1. With no graph the list is just that empty entry.
    std::vector<std::string> names(static_cast<size_t>(c.NumGraphs) + 1);
    for (int i = 0; i < c.NumGraphs; ++i) names[static_cast<size_t>(i) + 1] = c.GraphNames[static_cast<size_t>(i)];
    GraphTitles = std::move(names);
    NumGraphs = c.NumGraphs;
  });
}

}  // namespace plotara
