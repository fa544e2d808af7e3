#include "model/Records.h"

#include "platform/Conversions.h"

namespace plotara {

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
