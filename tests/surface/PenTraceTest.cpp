// The trace of a round pen: as cairo strokes the same polyline with round joins and ends, within what two
// measurements of coverage differ by; every part of a line counted once however often the path passes
// over it; nothing drawn outside the clip rectangle.
#include "surface/PenTrace.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace plotara {
namespace {

constexpr int kW = 160, kH = 120;
constexpr uint32_t kInk = 0x00C02060, kPaper = 0x00FFFFF0;

struct Canvas {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kW, kH);
  Canvas() {
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) Pixels()[y * Stride() + x] = kPaper;
    cairo_surface_mark_dirty(image);
  }
  ~Canvas() { cairo_surface_destroy(image); }
  uint32_t* Pixels() { return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(image)); }
  int Stride() { return cairo_image_surface_get_stride(image) / 4; }
  uint32_t At(int x, int y) { return Pixels()[y * Stride() + x] & 0xFFFFFF; }

  void Trace(const std::vector<PixelPoint>& points, int width,
             PenTrace::Target clip = {nullptr, 0, 0, 0, kW, kH}) {
    PenTrace trace;
    clip.pixels = Pixels();
    clip.stride = Stride();
    trace.Draw(points, width, kInk, clip);
  }
  // cairo's stroke of the same line through pixel centres.
  void Stroke(const std::vector<PixelPoint>& points, int width) {
    cairo_t* cr = cairo_create(image);
    cairo_set_source_rgb(cr, ((kInk >> 16) & 0xFF) / 255.0, ((kInk >> 8) & 0xFF) / 255.0,
                         (kInk & 0xFF) / 255.0);
    for (const PixelPoint& p : points) cairo_line_to(cr, p.x + 0.5, p.y + 0.5);
    if (points.size() == 1) cairo_line_to(cr, points[0].x + 0.5, points[0].y + 0.5);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_destroy(cr);
    cairo_surface_flush(image);
  }
};

// The ink of a pixel: how far its green channel moved from the paper's toward the ink's, 0 to 1.
double Ink(uint32_t p) {
  return (static_cast<double>((kPaper >> 8) & 0xFF) - ((p >> 8) & 0xFF)) /
         (((kPaper >> 8) & 0xFF) - ((kInk >> 8) & 0xFF));
}

struct Difference {
  int worst = 0;  // largest channel difference
  double ink = 0, otherInk = 0;
};
Difference Compare(Canvas& a, Canvas& b) {
  Difference d;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const uint32_t p = a.At(x, y), q = b.At(x, y);
      int most = 0;
      for (int shift = 0; shift < 24; shift += 8)
        most = std::max(
            most, std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)));
      d.worst = std::max(d.worst, most);
      d.ink += Ink(p);
      d.otherInk += Ink(q);
    }
  return d;
}

struct Case {
  const char* name;
  std::vector<PixelPoint> points;
  int width;
};

// Where the two differ: cairo places the corners of its outline polygon on rows of a fifteenth of a
// pixel and draws round ends as polygons, the trace measures the pen's own circle. A pixel may differ by
// 16 levels of 255 at a shallow edge or a round end, the ink of a line by one percent (a lone point
// more: cairo's polygon of a circle a pixel wide is 5 % smaller than the circle).
TEST(PenTrace, CoversWhatCairosStrokeOfTheLineCovers) {
  const Case cases[] = {
      {"level", {{10, 20}, {150, 20}}, 1},
      {"upright", {{30, 5}, {30, 110}}, 1},
      {"slanted", {{10, 10}, {150, 100}}, 1},
      {"shallow", {{5, 50}, {155, 61}}, 1},
      {"steep", {{70, 2}, {79, 117}}, 1},
      {"zigzag", {{10, 100}, {30, 20}, {50, 100}, {70, 20}, {90, 100}, {110, 20}}, 1},
      {"sharp turn", {{10, 60}, {150, 64}, {12, 70}}, 1},
      {"a point", {{80, 60}}, 1},
      {"a wide point", {{80, 60}}, 7},
      {"two wide", {{10, 10}, {150, 100}, {20, 110}}, 2},
      {"three wide", {{10, 100}, {60, 15}, {150, 90}}, 3},
      {"six wide", {{20, 20}, {140, 30}, {100, 100}, {20, 20}}, 6},
      {"a folded column", {{40, 50}, {41, 60}, {41, 20}, {41, 90}, {41, 70}, {42, 65}}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas trace, cairo;
    trace.Trace(c.points, c.width);
    cairo.Stroke(c.points, c.width);
    const Difference d = Compare(trace, cairo);
    EXPECT_LE(d.worst, 16);
    EXPECT_NEAR(d.ink, d.otherInk, 0.01 * d.otherInk + 0.05);
    EXPECT_GT(d.ink, 0.7);
  }
}

// The trace is the set of points the pen passes over: a line drawn over itself, back and forth or in
// pieces of one path, is the line drawn once. (A pixel under one piece alone takes its exact share, under
// several the share of their union on 15 rows of samples: the two measures differ by at most a level.)
TEST(PenTrace, CountsEveryPartOfTheLineOnce) {
  const struct {
    const char* name;
    std::vector<PixelPoint> once, again;
    int width;
  } cases[] = {
      {"back and forth", {{10, 10}, {150, 100}}, {{10, 10}, {150, 100}, {10, 10}, {150, 100}}, 1},
      {"in pieces", {{10, 60}, {150, 60}}, {{10, 60}, {80, 60}, {150, 60}, {40, 60}}, 3},
      {"a column run", {{50, 10}, {50, 90}}, {{50, 40}, {50, 10}, {50, 90}, {50, 30}, {50, 60}}, 1},
      {"wide steps", {{10, 10}, {60, 80}, {150, 20}}, {{10, 10}, {60, 80}, {35, 45}, {60, 80}, {150, 20}}, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas once, again;
    once.Trace(c.once, c.width);
    again.Trace(c.again, c.width);
    const Difference d = Compare(once, again);
    EXPECT_LE(d.worst, 1);
    EXPECT_GT(d.ink, 10);
  }
}

TEST(PenTrace, DrawsOnlyInsideTheClipRectangle) {
  Canvas clipped, whole;
  const std::vector<PixelPoint> line{{-20, -30}, {80, 60}, {200, 20}, {90, 150}};
  clipped.Trace(line, 5, {nullptr, 0, 40, 30, 120, 90});
  whole.Trace(line, 5);
  int inside = 0;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const bool in = x >= 40 && x < 120 && y >= 30 && y < 90;
      if (in) {
        inside += clipped.At(x, y) != kPaper;
        EXPECT_EQ(clipped.At(x, y), whole.At(x, y)) << x << "," << y;
      } else {
        EXPECT_EQ(clipped.At(x, y), kPaper) << x << "," << y;
      }
    }
  EXPECT_GT(inside, 100);
}

}  // namespace
}  // namespace plotara
