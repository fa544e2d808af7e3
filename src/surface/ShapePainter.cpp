#include "surface/ShapePainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "surface/CairoHelpers.h"

namespace plotara {

namespace {

// Coordinates farther than this outside the clip rectangle are cut first: a point mapped far off the page
// must not reach a document as a huge number, nor cost the rasteriser anything.
constexpr double kFarOutside = 4096;

}  // namespace

void ShapePainter::Line(int x1, int y1, int x2, int y2, uint32_t rgb, int width, bool dotted, bool exact) {
  const double phase = dotted ? dash_.Next(x1, y1, x2, y2, width) : 0;
  if (x1 == x2 && y1 == y2) return;  // the end pixel is left out, so nothing is left
  double a = x1 + 0.5, b = y1 + 0.5, c = x2 + 0.5, d = y2 + 0.5;
  const ShapeBox clip = canvas_.ClipBox();
  const double m = kFarOutside;
  if (!ClipSegment(a, b, c, d, clip.x0 - m, clip.y0 - m, clip.x1 + m, clip.y1 + m)) return;
  const ShapeBox extent{static_cast<int>(std::floor(std::min(a, c))) - width - 1,
                        static_cast<int>(std::floor(std::min(b, d))) - width - 1,
                        static_cast<int>(std::ceil(std::max(a, c))) + width + 1,
                        static_cast<int>(std::ceil(std::max(b, d))) + width + 1};
  const bool joinable = !dotted && !exact;
  const bool whole = a == x1 + 0.5 && b == y1 + 0.5 && c == x2 + 0.5 && d == y2 + 0.5;
  if (joinable && whole && pending_ && x1 == pendingPoints_.back().x && y1 == pendingPoints_.back().y &&
      rgb == pendingRgb_ && width == pendingWidth_) {
    canvas_.ExtendShape(extent);  // may finish the path
    if (pending_) {
      Join({x2, y2});
      return;
    }
  }
  if (!canvas_.BeginShape(rgb, exact, extent)) return;
  if (joinable && whole) {
    pending_ = true;
    pendingPoints_.assign({{x1, y1}});
    pendingRgb_ = rgb;
    pendingWidth_ = width;
    runStart_ = 0;
    runLow_ = runHigh_ = y1;
    runMove_ = 0;
    Join({x2, y2});
    return;
  }
  cairo_t* cr = canvas_.Cairo();
  cairo_set_line_width(cr, exact && width == 1 ? 1.5 : width);
  cairo_move_to(cr, a, b);
  cairo_line_to(cr, c, d);
  if (dotted) {
    const double dash[2] = {3.0 * width, 3.0 * width};
    cairo_set_dash(cr, dash, 2, phase);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  } else {
    cairo_set_line_cap(cr, x1 == x2 || y1 == y2 ? CAIRO_LINE_CAP_SQUARE : CAIRO_LINE_CAP_ROUND);
  }
  canvas_.Paint(true);
}

void ShapePainter::Join(PixelPoint p) {
  if (p.x != pendingPoints_.back().x) {
    runStart_ = pendingPoints_.size();
    runLow_ = runHigh_ = p.y;
    runMove_ = 0;
    pendingPoints_.push_back(p);
    return;
  }
  // Within one pixel column the pen passes over the span from the lowest to the highest point: the run
  // is kept as its first point, the extreme it moves to first, the other extreme (where it lies beyond
  // the first point) and its last point, so that a path over the same points is kept the same.
  if (runMove_ == 0) runMove_ = p.y < pendingPoints_[runStart_].y ? -1 : 1;
  runLow_ = std::min(runLow_, p.y);
  runHigh_ = std::max(runHigh_, p.y);
  const int first = pendingPoints_[runStart_].y, to = runMove_ < 0 ? runLow_ : runHigh_,
            back = runMove_ < 0 ? runHigh_ : runLow_;
  pendingPoints_.resize(runStart_ + 1);
  auto put = [&](int y) {
    if (pendingPoints_.back().y != y) pendingPoints_.push_back({p.x, y});
  };
  put(to);
  if (back != first) put(back);
  put(p.y);
}

void ShapePainter::FinishLine() {
  if (!pending_) return;
  pending_ = false;
  // Square ends keep a single level or upright line crisp and its corners closed; a polyline or a
  // slanted line gets round ends and joins, which follow a curve smoothly.
  const PixelPoint& a = pendingPoints_.front();
  const PixelPoint& b = pendingPoints_.back();
  const bool straight = pendingPoints_.size() == 2 && (a.x == b.x || a.y == b.y);
  canvas_.StrokePath(pendingPoints_, pendingRgb_, pendingWidth_, !straight);
}

void ShapePainter::TracePath(cairo_t* cr, std::span<const PixelPoint> points, int width, bool roundEnds) {
  cairo_new_path(cr);
  for (const PixelPoint& p : points) cairo_line_to(cr, p.x + 0.5, p.y + 0.5);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, roundEnds ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_SQUARE);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
}

void ShapePainter::Circle(int cx, int cy, int r, int width, std::optional<uint32_t> fill, uint32_t rgb) {
  const ShapeBox clip = canvas_.ClipBox();
  if (cx + r + width < clip.x0 || cx - r - width >= clip.x1 || cy + r + width < clip.y0 ||
      cy - r - width >= clip.y1)
    return;
  if (r <= 0) {
    canvas_.FillBox({cx, cy, cx + 1, cy + 1}, rgb);
    return;
  }
  const ShapeBox extent{cx - r - width - 1, cy - r - width - 1, cx + r + width + 2, cy + r + width + 2};
  // The raster circle fills the pixels within r + 1/2 of the centre pixel and outlines those at r.
  if (fill && canvas_.BeginShape(*fill, false, extent)) {
    cairo_t* cr = canvas_.Cairo();
    cairo_arc(cr, cx + 0.5, cy + 0.5, width == 1 ? r + 0.5 : r, 0, 2 * std::numbers::pi);
    canvas_.Paint(false);
  }
  if (!canvas_.BeginShape(rgb, false, extent)) return;
  cairo_t* cr = canvas_.Cairo();
  cairo_arc(cr, cx + 0.5, cy + 0.5, r, 0, 2 * std::numbers::pi);
  cairo_set_line_width(cr, width);
  canvas_.Paint(true);
}

void ShapePainter::Dot(int x, int y, int width, uint32_t rgb) {
  if (width == 1) {
    canvas_.FillBox({x, y, x + 1, y + 1}, rgb);
    return;
  }
  if (!canvas_.BeginShape(rgb, false, {x - width, y - width, x + width + 2, y + width + 2})) return;
  cairo_t* cr = canvas_.Cairo();
  cairo_arc(cr, x + 0.5, y + 0.5, width / 2.0, 0, 2 * std::numbers::pi);
  canvas_.Paint(false);
}

void ShapePainter::Polygon(std::span<const PixelPoint> points, std::optional<uint32_t> fill, uint32_t rgb,
                           int width, bool exact) {
  if (points.size() < 2) return;
  ShapeBox extent{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (const PixelPoint& p : points) {
    extent.x0 = std::min(extent.x0, p.x - width - 1);
    extent.y0 = std::min(extent.y0, p.y - width - 1);
    extent.x1 = std::max(extent.x1, p.x + width + 2);
    extent.y1 = std::max(extent.y1, p.y + width + 2);
  }
  auto path = [&](cairo_t* cr) {
    for (const PixelPoint& p : points) cairo_line_to(cr, p.x + 0.5, p.y + 0.5);
    cairo_close_path(cr);
  };
  if (fill && canvas_.BeginShape(*fill, exact, extent)) {
    cairo_t* cr = canvas_.Cairo();
    path(cr);
    canvas_.Paint(false);
  }
  if (!canvas_.BeginShape(rgb, exact, extent)) return;
  cairo_t* cr = canvas_.Cairo();
  path(cr);
  cairo_set_line_width(cr, exact && width == 1 ? 1.5 : width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  canvas_.Paint(true);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
}

void ShapePainter::Ramp(double x0, double y0, double x1, double y1, std::span<const uint32_t> colours,
                        const ShapeBox& box) {
  if (colours.size() < 2 || !canvas_.BeginShape(0, false, box)) return;
  cairo_pattern_t* ramp = cairo_pattern_create_linear(x0, y0, x1, y1);
  const double last = static_cast<double>(colours.size() - 1);
  auto stop = [&](size_t k) {
    const uint32_t rgb = colours[k];
    cairo_pattern_add_color_stop_rgb(ramp, static_cast<double>(k) / last, ((rgb >> 16) & 0xFF) / 255.0,
                                     ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
  };
  // A stop is kept only where the colours leave the straight blend between the stops around it by more
  // than a level: a plain ramp of a thousand lines needs two stops, a bent one a few dozen.
  auto channel = [&](size_t k, int shift) { return static_cast<double>((colours[k] >> shift) & 0xFF); };
  auto straight = [&](size_t from, size_t to) {
    for (size_t m = from + 1; m < to; ++m)
      for (int shift : {0, 8, 16}) {
        const double t = static_cast<double>(m - from) / static_cast<double>(to - from);
        if (std::abs(channel(m, shift) - (channel(from, shift) * (1 - t) + channel(to, shift) * t)) > 1.0)
          return false;
      }
    return true;
  };
  size_t kept = 0;
  stop(0);
  for (size_t k = 2; k < colours.size(); ++k) {
    if (straight(kept, k)) continue;
    kept = k - 1;
    stop(kept);
  }
  stop(colours.size() - 1);
  cairo_pattern_set_extend(ramp, CAIRO_EXTEND_PAD);
  cairo_t* cr = canvas_.Cairo();
  cairo_set_source(cr, ramp);
  cairo_rectangle(cr, box.x0, box.y0, box.x1 - box.x0, box.y1 - box.y0);
  canvas_.Paint(false);
  cairo_pattern_destroy(ramp);
}

}  // namespace plotara
