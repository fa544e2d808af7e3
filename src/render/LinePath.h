// The connecting line of a data set, drawn for many points: each point mapped with constants taken once
// per data set, only the points a view can touch visited, and, on a surface that rasterises exactly or
// joins the segments into one path (the smoothed picture, documents), every run of segments that stays
// within one pixel column folded into at most four points.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/BlockIndex.h"
#include "model/PointList.h"
#include "render/ItemView.h"
#include "scale/Mapping.h"
#include "surface/Surface.h"

namespace plotara {

struct LineData {
  const Point* points = nullptr;
  size_t count = 0;
  AxisMapping mapX, mapY;
  // The axis ranges of the inside test: a segment is drawn when at least one end lies within both.
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  // Every point finite and no X smaller than the one before it: the points a view can touch are found by
  // binary search.
  bool xNonDecreasing = false;
  // The summary of exactly these points, or nullptr: with it, a pixel column's extremes come from whole
  // blocks of points.
  const BlockIndex* index = nullptr;
};

// The line of a data set: its points, its mapping and its axes' ranges, and its summary where that
// describes exactly these points.
LineData LineOf(const ItemView& item);

// Surface::PixelX with nearest rounding, inline for per-point loops: the same clamp, and halves to even
// through the 1.5 * 2^52 addition, which rounds as nearbyint does in the default rounding mode.
inline int32_t PixelOfPage(double twips, double twipsPerPixel) {
  constexpr double kLimit = 1.0e9, kRound = 6755399441055744.0;
  double p = twips / twipsPerPixel;
  if (!(p >= -kLimit)) {
    p = -kLimit;  // also NaN
  } else if (p > kLimit) {
    p = kLimit;
  }
  return static_cast<int32_t>((p + kRound) - kRound);
}

enum class LineDrawing {
  EverySegment,  // one surface line per segment
  Folded,        // solid lines (one pixel wide on an exact raster): runs within a pixel column folded
};

// Draws the line through the data's points with the surface's pen (ForeColor, DrawWidth, DrawStyle):
// points that are not finite are left out and the line goes on from the last point drawn. Folded is a
// request: it falls back to every segment where the picture could differ.
void DrawDataLine(Surface& s, const LineData& data, LineDrawing drawing = LineDrawing::Folded);

}  // namespace plotara
