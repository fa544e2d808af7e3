#include "render/LinePath.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "model/BlockIndex.h"
#include "model/Records.h"
#include "support/Command.h"
#include "support/Pixels.h"
#include "surface/CairoSurface.h"
#include "surface/SmoothSurface.h"
#include "surface/VectorSurface.h"

namespace plotara {
namespace {

constexpr float kTw = 15;  // twips per pixel at 96 dpi
constexpr int kW = 300, kH = 200;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A plot area of 260 x 170 pixels at (20, 15) on a 300 x 200 picture, axes from the table row.
struct Axes {
  double x1 = 0, x2 = 10, y1 = -1, y2 = 1;
  bool logX = false, logY = false, reverseX = false, reverseY = false;
};

LineData Line(const std::vector<Point>& pts, const Axes& a, GraphRecord& g, BlockIndex& index) {
  g.RectLeft = 20 * 15;
  g.RectTop = 15 * 15;
  g.Axes.resize(2);
  AxisRecord& ax = g.Axes[0];
  AxisRecord& ay = g.Axes[1];
  ax.AxisValue1 = a.x1;
  ax.AxisValue2 = a.x2;
  ax.AxisLength = 260 * 15;
  ax.AxisLog = a.logX;
  ax.AxisReverse = a.reverseX;
  ay.AxisValue1 = a.y1;
  ay.AxisValue2 = a.y2;
  ay.AxisLength = 170 * 15;
  ay.AxisLog = a.logY;
  ay.AxisReverse = a.reverseY;
  index.Clear();
  for (const Point& p : pts) index.Add(p.X, p.Y, p.E);
  LineData d;
  d.points = pts.data();
  d.count = pts.size();
  d.mapX = AxisMapping(g, ax, false);
  d.mapY = AxisMapping(g, ay, true);
  d.x1 = a.x1;
  d.x2 = a.x2;
  d.y1 = a.y1;
  d.y2 = a.y2;
  d.xNonDecreasing = index.NonDecreasing();
  if (d.xNonDecreasing) d.index = &index;
  return d;
}

// A picture of one kind of surface, clipped to the plot area as a graph draws, or not at all, so that what
// lies beyond the limits shows.
template <class S>
struct PictureOf {
  S s{96};
  explicit PictureOf(int width = 1, LineKind style = LineKind::Solid, bool clipped = true) {
    s.Move(0, 0, kW * kTw, kH * kTw);
    s.Cls();
    if (clipped) s.SetClipRect(20 * kTw, 15 * kTw, 280 * kTw, 185 * kTw);
    s.ForeColor = 0x00C00000;
    s.DrawWidth = width;
    s.DrawStyle = style;
  }
};
using Picture = PictureOf<CairoSurface>;

// The pixels where the two pictures differ, and how many pixels the first one inked.
struct Comparison {
  int differing = 0, inked = 0;
  std::string first;
};
Comparison Compare(Surface& a, Surface& b) {
  Comparison c;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) {
      const OleColor p = a.Pixel(x, y), q = b.Pixel(x, y);
      c.inked += p != test::kWhite;
      if (p != q && c.differing++ == 0) c.first = std::to_string(x) + "," + std::to_string(y);
    }
  return c;
}

std::vector<Point> Sampled(size_t n, double x0, double x1, const std::function<double(double, size_t)>& f) {
  std::vector<Point> pts;
  for (size_t i = 0; i < n; ++i) {
    const double x = x0 + (x1 - x0) * static_cast<double>(i) / static_cast<double>(n - 1);
    pts.push_back({static_cast<float>(x), static_cast<float>(f(x, i)), 0});
  }
  return pts;
}

struct Shape {
  const char* name;
  std::vector<Point> points;
  Axes axes;
};

std::vector<Shape> Shapes() {
  std::mt19937 rng(13);
  std::uniform_real_distribution<double> u(-1, 1);
  std::vector<Shape> v;
  v.push_back({"noisy sine, many points per column",
               Sampled(50000, 0, 10, [&](double x, size_t) { return std::sin(x) * 0.8 + 0.15 * u(rng); }),
               {}});
  double walk = 0;
  v.push_back(
      {"random walk", Sampled(20000, 0, 10, [&](double, size_t) { return walk += 0.02 * u(rng); }), {}});
  v.push_back({"square wave",
               Sampled(4000, 0, 10, [](double x, size_t) { return std::fmod(x, 1) < 0.5 ? 0.7 : -0.7; }),
               {}});
  v.push_back({"rare spikes",
               Sampled(30000, 0, 10, [&](double, size_t i) { return i % 997 == 0 ? 0.95 : 0.01 * u(rng); }),
               {}});
  v.push_back({"beyond the limits both ways",
               Sampled(20000, -3, 13, [&](double x, size_t) { return 2.5 * std::sin(3 * x) + 0.2 * u(rng); }),
               {}});
  v.push_back({"far off the page",
               Sampled(5000, 0, 10,
                       [&](double, size_t i) {
                         return i % 50 == 0 ? 1e6 * u(rng) : (i % 77 == 0 ? -5e4 : 0.5 * u(rng));
                       }),
               {}});
  std::vector<Point> gaps = Sampled(8000, 0, 10, [&](double x, size_t) { return std::cos(2 * x) * 0.9; });
  for (size_t i = 0; i < gaps.size(); i += 37) gaps[i].Y = kNaN;
  for (size_t i = 5; i < gaps.size(); i += 101) gaps[i].E = std::numeric_limits<float>::infinity();
  v.push_back({"gaps of points that are not finite", gaps, {}});
  std::vector<Point> scribble;
  for (int i = 0; i < 6000; ++i)
    scribble.push_back({static_cast<float>(5 + 4.5 * u(rng)), static_cast<float>(u(rng)), 0});
  v.push_back({"X going back and forth", scribble, {}});
  // Short runs within a couple of pixel columns, so that every order of first, extremes and last occurs.
  std::vector<Point> runs;
  for (int k = 0; k < 3000; ++k) {
    const double base = 0.05 + 9.9 * k / 3000.0;
    const int len = 1 + k % 7;
    for (int j = 0; j < len; ++j)
      runs.push_back(
          {static_cast<float>(base + 0.001 * j), static_cast<float>(std::round(u(rng) * 6) / 60), 0});
  }
  v.push_back({"short runs in one column", runs, {}});
  // The same, each run stepping out of the limits and back, so that the line is broken after every run.
  std::vector<Point> broken;
  for (int k = 0; k < 2000; ++k) {
    const double base = 0.05 + 9.9 * k / 2000.0;
    const int len = 2 + k % 5;
    for (int j = 0; j < len; ++j) {
      const float y = static_cast<float>(std::round(u(rng) * 5) / 50 + (k % 3 == 0 ? 1.02 : 0));
      broken.push_back({static_cast<float>(base + 0.0005 * j), y, 0});
    }
    broken.push_back({static_cast<float>(base + 0.003), 1.5f, 0});
    broken.push_back({static_cast<float>(base + 0.0031), 1.6f, 0});
  }
  v.push_back({"short runs broken by steps out of the limits", broken, Axes{0, 10, -1, 1.08}});
  v.push_back({"constant", Sampled(10000, 0, 10, [](double, size_t) { return 0.25; }), {}});
  Axes logs{0.01, 100, 0.1, 1000, true, true, false, false};
  v.push_back({"logarithmic axes with values that cannot be mapped",
               Sampled(30000, -1, 100,
                       [&](double x, size_t i) {
                         return i % 300 == 0 ? -1.0 : std::exp(std::abs(u(rng)) * 7) / 10 + x;
                       }),
               logs});
  Axes reversed{0, 10, -1, 1, false, false, true, true};
  v.push_back({"reversed axes",
               Sampled(40000, 0, 10, [&](double x, size_t) { return std::sin(5 * x) + 0.3 * u(rng); }),
               reversed});
  v.push_back({"zoomed into a hundredth",
               Sampled(200000, 0, 1000, [&](double x, size_t) { return std::sin(x) + 0.1 * u(rng); }),
               Axes{500, 510, -1.2, 1.2}});
  return v;
}

// The per-point pixel conversion rounds as the surface does, at halves, at the limits and for NaN.
TEST(DataLine, PagePixelsRoundAsTheSurfaceDoes) {
  const CairoSurface s(96);
  const double values[] = {0,
                           7.5,
                           22.5,
                           -7.5,
                           -22.5,
                           37.5,
                           7.4999,
                           1e12,
                           -1e12,
                           1e300,
                           -1e300,
                           kNaN,
                           std::numeric_limits<double>::infinity(),
                           -15 * 2.5,
                           15 * 1e9 + 7.5};
  for (const double v : values) EXPECT_EQ(PixelOfPage(v, s.TwipsPerPixelX()), s.PixelX(v)) << v;
}

TEST(DataLine, FoldedColumnsGiveThePictureOfEverySegment) {
  for (const Shape& shape : Shapes()) {
    SCOPED_TRACE(shape.name);
    for (const bool clipped : {true, false}) {
      GraphRecord g;
      BlockIndex index;
      const LineData d = Line(shape.points, shape.axes, g, index);
      Picture every(1, LineKind::Solid, clipped), folded(1, LineKind::Solid, clipped);
      DrawDataLine(every.s, d, LineDrawing::EverySegment);
      DrawDataLine(folded.s, d, LineDrawing::Folded);
      const Comparison c = Compare(every.s, folded.s);
      EXPECT_GT(c.inked, 50);
      EXPECT_EQ(c.differing, 0) << (clipped ? "clipped" : "unclipped") << ", first at " << c.first;
      // Folded point by point, without the blocks' extremes.
      LineData pointwise = d;
      pointwise.index = nullptr;
      Picture byPoint(1, LineKind::Solid, clipped);
      DrawDataLine(byPoint.s, pointwise, LineDrawing::Folded);
      EXPECT_EQ(Compare(every.s, byPoint.s).differing, 0)
          << (clipped ? "clipped" : "unclipped") << ", point by point";
      EXPECT_EQ(every.s.CurrentX, folded.s.CurrentX);
      EXPECT_EQ(every.s.CurrentY, folded.s.CurrentY);
    }
  }
}

// On the smoothed picture a line is the trace of a round pen, and a path keeps each run within one pixel
// column as its first point, extremes and last point: folding a column's run gives the same path, so the
// same picture, pixel for pixel, whatever the width.
TEST(DataLine, FoldedColumnsGiveTheSmoothedPictureOfEverySegment) {
  for (const Shape& shape : Shapes()) {
    SCOPED_TRACE(shape.name);
    for (const int width : {1, 2, 3})
      for (const bool clipped : {true, false}) {
        GraphRecord g;
        BlockIndex index;
        const LineData d = Line(shape.points, shape.axes, g, index);
        PictureOf<SmoothSurface> every(width, LineKind::Solid, clipped),
            folded(width, LineKind::Solid, clipped);
        DrawDataLine(every.s, d, LineDrawing::EverySegment);
        DrawDataLine(folded.s, d, LineDrawing::Folded);
        const Comparison c = Compare(every.s, folded.s);
        EXPECT_GT(c.inked, 50);
        EXPECT_EQ(c.differing, 0) << "width " << width << (clipped ? ", clipped" : ", unclipped")
                                  << ", first at " << c.first;
      }
  }
}

// A document keeps the folded line as a path over the same points as the full one, folded at its own
// grid (the control's pixels: 1/96 inch at the default resolution). Rasterised at 600 dpi, more than six
// document pixels to a control pixel, the two documents give the same picture.
TEST(DataLine, FoldedDocumentsRasteriseAsTheFullOnesAt600Dpi) {
  const std::vector<Shape> shapes = Shapes();
  for (const size_t k : {size_t{0}, size_t{1}, size_t{4}, size_t{13}}) {
    const Shape& shape = shapes[k];
    SCOPED_TRACE(shape.name);
    GraphRecord g;
    BlockIndex index;
    const LineData d = Line(shape.points, shape.axes, g, index);
    std::string pictures[2];
    for (int folded = 0; folded < 2; ++folded) {
      PictureOf<VectorSurface> doc;
      DrawDataLine(doc.s, d, folded ? LineDrawing::Folded : LineDrawing::EverySegment);
      const std::string base =
          ::testing::TempDir() + "/fold_" + std::to_string(k) + "_" + std::to_string(folded);
      doc.s.SavePicture(base + ".pdf");
      const test::ShellRun r = test::Shell("pdftoppm -r 600 -singlefile -png " + base + ".pdf " + base);
      ASSERT_EQ(r.status, 0) << r.err;
      pictures[folded] = base + ".png";
    }
    cairo_surface_t* a = cairo_image_surface_create_from_png(pictures[0].c_str());
    cairo_surface_t* b = cairo_image_surface_create_from_png(pictures[1].c_str());
    ASSERT_EQ(cairo_image_surface_get_width(a), 1875);  // 300 pixels of 1/96 inch at 600 dpi
    const int w = cairo_image_surface_get_width(a), h = cairo_image_surface_get_height(a),
              stride = cairo_image_surface_get_stride(a) / 4;
    const auto* pa = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(a));
    const auto* pb = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(b));
    int differing = 0, inked = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint32_t p = pa[static_cast<size_t>(y) * stride + x] & 0xFFFFFF;
        inked += p != 0xFFFFFF;
        differing += p != (pb[static_cast<size_t>(y) * stride + x] & 0xFFFFFF);
      }
    EXPECT_GT(inked, 5000);
    EXPECT_EQ(differing, 0);
    cairo_surface_destroy(a);
    cairo_surface_destroy(b);
  }
}

// A line that ends within a pixel column has no segment leaving the column to draw its last point: the
// end of many short lines, each a few points within one column, every order of first, extremes and last.
TEST(DataLine, LinesEndingWithinAColumnKeepTheirLastPixel) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> column(0, 259), row(0, 9), length(2, 7);
  Picture every(1, LineKind::Solid, false), folded(1, LineKind::Solid, false);
  for (int k = 0; k < 3000; ++k) {
    const double x = (column(rng) + 0.5) / 26.0;
    std::vector<Point> pts;
    for (int j = length(rng); j > 0; --j)
      pts.push_back({static_cast<float>(x), static_cast<float>(row(rng) / 40.0), 0});
    GraphRecord g;
    BlockIndex index;
    const LineData d = Line(pts, Axes{}, g, index);
    DrawDataLine(every.s, d, LineDrawing::EverySegment);
    DrawDataLine(folded.s, d, LineDrawing::Folded);
  }
  const Comparison c = Compare(every.s, folded.s);
  EXPECT_GT(c.inked, 500);
  EXPECT_EQ(c.differing, 0) << "first at " << c.first;
}

// Without the ordering found by binary search every point is visited: the same picture.
TEST(DataLine, ThePointsFoundByBinarySearchDrawTheWholeLine) {
  for (const Shape& shape : Shapes()) {
    SCOPED_TRACE(shape.name);
    GraphRecord g;
    BlockIndex index;
    LineData d = Line(shape.points, shape.axes, g, index);
    Picture found, all;
    DrawDataLine(found.s, d, LineDrawing::EverySegment);
    d.xNonDecreasing = false;
    DrawDataLine(all.s, d, LineDrawing::EverySegment);
    EXPECT_EQ(Compare(found.s, all.s).differing, 0);
  }
}

// Dotted and wide pens are drawn segment by segment: a dotted pattern continues along the segments.
TEST(DataLine, DottedAndWidePensDrawEverySegment) {
  const struct {
    int width;
    LineKind style;
  } pens[] = {{1, LineKind::Dot}, {3, LineKind::Solid}, {2, LineKind::Dot}};
  const Shape shape = Shapes()[1];
  for (const auto& pen : pens) {
    GraphRecord g;
    BlockIndex index;
    const LineData d = Line(shape.points, shape.axes, g, index);
    Picture every(pen.width, pen.style), folded(pen.width, pen.style);
    DrawDataLine(every.s, d, LineDrawing::EverySegment);
    DrawDataLine(folded.s, d, LineDrawing::Folded);
    const Comparison c = Compare(every.s, folded.s);
    EXPECT_GT(c.inked, 50);
    EXPECT_EQ(c.differing, 0);
  }
}

}  // namespace
}  // namespace plotara
