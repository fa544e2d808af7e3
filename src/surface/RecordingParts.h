// What VectorSurface's two files share: recordings of a size, and boxes of pixels. Box is any type with
// int x0, y0, x1, y1 (the box [x0, x1) x [y0, y1)) and Empty().
#pragma once

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace plotara::recording {

// A recording of w x h pixels (at least 1 x 1).
inline cairo_surface_t* NewRecording(int w, int h) {
  const cairo_rectangle_t extents{0, 0, static_cast<double>(std::max(w, 1)),
                                  static_cast<double>(std::max(h, 1))};
  return cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
}

// The box [floor(x0 - pad), ceil(x1 + pad)) x ... around a shape spanning x0..x1, y0..y1 (either order),
// held far inside int: a shape's box only meets the surface's and the clip's.
template <class Box>
Box Around(double x0, double y0, double x1, double y1, double pad) {
  auto cut = [](double v) { return static_cast<int>(std::clamp(v, -1e9, 1e9)); };
  return {cut(std::floor(std::min(x0, x1) - pad)), cut(std::floor(std::min(y0, y1) - pad)),
          cut(std::ceil(std::max(x0, x1) + pad)), cut(std::ceil(std::max(y0, y1) + pad))};
}

template <class Box>
Box Intersection(const Box& a, const Box& b) {
  return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

template <class Box>
Box Union(const Box& a, const Box& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

// Whether a covers b; an empty b is covered by anything.
template <class Box>
bool Covers(const Box& a, const Box& b) {
  return b.Empty() || (a.x0 <= b.x0 && a.y0 <= b.y0 && a.x1 >= b.x1 && a.y1 >= b.y1);
}

template <class Box>
cairo_rectangle_int_t RectOf(const Box& b) {
  return {b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0};
}

}  // namespace plotara::recording
