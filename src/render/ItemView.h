// One data set as its renderers see it: its record, its points, and the mapping of its own X and Y axes
// built once, so that every point maps with a few arithmetic operations. ItemView::PosX and PosY give
// what PosX and PosY give with the data set's axes made the current ones.
#pragma once

#include <cstdint>

#include "model/Records.h"
#include "scale/Mapping.h"

namespace plotara {

struct ItemView {
  // Data set `index` of graph g, whose points start at `points` (nullptr where no point is drawn); error 9
  // when the data set or one of its axes does not exist.
  ItemView(const GraphRecord& g, int16_t index, const Point* points, float unitsPerMmX, float unitsPerMmY);

  float PosX(double value) const noexcept { return X.Map(value); }
  float PosY(double value) const noexcept { return Y.Map(value); }

  const GraphRecord& Graph;  // its graph: bars without a base value start at its rectangle's edge
  const DataSetRecord& Data;
  int16_t Index;        // its place among the graph's data sets
  const Point* Points;  // Data.PointCount of them
  const AxisRecord& XAxis;
  const AxisRecord& YAxis;
  AxisMapping X, Y;
  float UnitsPerMmX, UnitsPerMmY;  // a millimetre on the page: bar offsets and shadows, error-bar caps
};

}  // namespace plotara
