#include "model/Records.h"

#include "model/Lookup.h"
#include "platform/Conversions.h"

namespace plotara {

GraphRecord& ControlState::Graph(int index) {
  return At(Graphs, index);
}

const GraphRecord& ControlState::Graph(int index) const {
  return At(Graphs, index);
}

void ResetControl(ControlState& s) {
  ++s.Structure;
  s.CurrentGraph = 0;
  s.Graphs.clear();
  s.GraphNames.clear();
  s.GraphOrder.clear();
  s.MaxZoomFactor = 1000000;
  s.PageFill = kDefaultPageFill;
  s.ScrollBarsVisible = false;
}

void SetNewGraphDefaults(GraphRecord& g, float unitsPerMmX, float unitsPerMmY) {
  g = GraphRecord{};
  g.BorderLeft = 14 * unitsPerMmX;
  g.BorderTop = 7 * unitsPerMmY;
  g.BorderRight = 7 * unitsPerMmX;
  g.BorderBottom = 10 * unitsPerMmY;
}

void SetAxisDefaults(AxisRecord& a, const std::string& name, int16_t xy, double a1, double a2,
                     float unitsPerMmX) {
  a = AxisRecord{};
  a.XY = xy;
  a.AxisValue1 = a.ScaleMin = a.DataMin = a1;
  a.AxisValue2 = a.ScaleMax = a.DataMax = a2;
  a.AxisScale = a1 != a2 ? kScaleFixed : kScaleAutomatic;
  a.AxisTitle = name;
  a.AxisTickLength = CInt(2 * unitsPerMmX);
  a.AxisLabelsHoriz = xy == kYAxis ? 90 : 0;  // Y-axis labels read upwards
}

}  // namespace plotara
