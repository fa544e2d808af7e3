#include "render/ItemView.h"

#include "model/Lookup.h"

namespace plotara {

ItemView::ItemView(const GraphRecord& g, int16_t index, const Point* points, float unitsPerMmX,
                   float unitsPerMmY)
    : Graph(g),
      Data(DataSetAt(g, index)),
      Index(index),
      Points(points),
      XAxis(AxisAt(g, Data.DataXAxis)),
      YAxis(AxisAt(g, Data.DataYAxis)),
      X(g, XAxis, false),
      Y(g, YAxis, true),
      UnitsPerMmX(unitsPerMmX),
      UnitsPerMmY(unitsPerMmY) {}

}  // namespace plotara
