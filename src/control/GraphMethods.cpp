// The host's methods for graphs and axes: creating, selecting and listing them.
#include "control/Control.h"
#include "interact/BringToFront.h"
#include "model/Graphs.h"
#include "plotara/Plotara.h"
#include "scale/Mapping.h"

namespace plotara {

void Plotara::NewGraph(const std::string& GraphName, double x1, double x2, double y1, double y2) {
  c_->Notify.Guard("NewGraph", [&] { AddGraph(c_->State, c_->Notify, GraphName, x1, x2, y1, y2); });
}

void Plotara::NewXAxis(const std::string& AxisName, double a1, double a2) {
  AddAxis(c_->State, c_->Notify, "NewXAxis", kXAxis, AxisName, a1, a2);
}

void Plotara::NewYAxis(const std::string& AxisName, double y1, double y2) {
  AddAxis(c_->State, c_->Notify, "NewYAxis", kYAxis, AxisName, y1, y2);
}

void Plotara::SetSelectedGraph(int16_t GraphIndex) {
  Control& c = *c_;
  c.Notify.Guard("SetSelectedGraph", [&] {
    if (GraphIndex >= 0 && GraphIndex < c.State.NumGraphs()) BringGraphToFront(c.View, GraphIndex);
  });
}

int16_t Plotara::GetSelectedGraph() {
  return c_->State.CurrentGraph;
}

int16_t Plotara::SetSelectedAxis(int16_t AxisIndex) {
  int16_t result = -1;
  c_->Notify.Guard("SetSelectedAxis", [&] { result = SelectAxis(c_->State, AxisIndex); });
  return result;
}

namespace {
// The Index-th axis of a kind (counted from 1), or axis 0 when there is none, made the selected axis.
int16_t SelectAxisOfKind(Plotara& p, Control& c, const char* routine, int16_t kind, int16_t index) {
  int16_t result = 0;
  c.Notify.Guard(routine, [&] {
    c.State.Current();
    result = AxisLevelIndex(c.State, c.Notify, kind, index);
    p.SetSelectedAxis(result);
  });
  return result;
}
}  // namespace

int16_t Plotara::SelectXaxis(int16_t Index) {
  return SelectAxisOfKind(*this, *c_, "SelectXaxis", kXAxis, Index);
}
int16_t Plotara::SelectYaxis(int16_t Index) {
  return SelectAxisOfKind(*this, *c_, "SelectYaxis", kYAxis, Index);
}

int16_t Plotara::GetSelectedAxisIndex(int16_t XY) {
  Control& c = *c_;
  int16_t result = -1;
  c.Notify.Guard("GetSelectedAxisIndex", [&] {
    const GraphRecord& g = c.State.Current();
    result = XY == kXAxis ? g.CurrentXAxis : XY == kYAxis ? g.CurrentYAxis : -1;
  });
  return result;
}

void Plotara::SetSelectedData(int16_t DataIndex) {
  c_->Notify.Guard("SetSelectedData", [&] { SelectDataSet(c_->State, DataIndex); });
}

void Plotara::GetSelectedData(int16_t& DataIndex) {
  c_->Notify.Guard("GetSelectedData", [&] { DataIndex = c_->State.Current().SelectedDataSet; });
}

void Plotara::GetAxisNames(std::vector<std::string>& AxisNames, int16_t& NumAxes) {
  c_->Notify.Guard("GetAxisNames", [&] {
    AxisNames = plotara::AxisNames(c_->State);
    NumAxes = c_->State.Current().NumAxes();
  });
}

void Plotara::GetDataSetNames(std::vector<std::string>& DataSetNames, int16_t& NumDataSets) {
  c_->Notify.Guard("GetDataSetNames", [&] {
    DataSetNames = plotara::DataSetNames(c_->State);
    NumDataSets = c_->State.Current().NumDataSets();
  });
}

void Plotara::GetGraphNames(std::vector<std::string>& GraphTitles, int16_t& NumGraphs) {
  c_->Notify.Guard("GetGraphNames", [&] {
    // With no graph the list is just the empty entry 0, and the count 0.
    GraphTitles = GraphNameList(c_->State);
    NumGraphs = c_->State.NumGraphs();
  });
}

}  // namespace plotara
