// The shapes of the surfaces that draw with cairo's smoothing (the smoothed raster and the documents),
// on a cairo context measured in device pixels. They are placed on the pixel grid as the raster surface
// places them: a one-pixel line runs through pixel centres (+0.5), a box covers [x0, x1) x [y0, y1), so
// that a smoothed picture and a document keep the raster picture's layout.
//
// Solid lines that go on where the previous one ended, in the same colour and width, are gathered into
// one path with round joins and ends: the pen's trace, whatever the number of segments. Where a
// surface draws a path that matters: nothing is blended twice within it, and a run of segments may be
// replaced by fewer segments over the same points with the same picture. The path keeps each run within
// one pixel column as at most four points (see Join), and LinePath folds columns the same way.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "surface/CairoHelpers.h"
#include "surface/Surface.h"

namespace plotara {

struct ShapeBox {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // [x0, x1) x [y0, y1)
};

// What a surface gives the painter.
class ShapeCanvas {
 public:
  virtual ~ShapeCanvas() = default;
  virtual cairo_t* Cairo() = 0;
  virtual ShapeBox ClipBox() const = 0;
  // Sets the context up for one shape in rgb (operator, colour, smoothing: none when exact) that draws
  // within extent, with no path and no dashes; false when nothing is to be drawn.
  virtual bool BeginShape(uint32_t rgb, bool exact, const ShapeBox& extent) = 0;
  // A segment within extent is about to join the line path begun last. This may finish that path (see
  // ShapePainter::LinePending).
  virtual void ExtendShape(const ShapeBox& extent) = 0;
  // A box of whole pixels in one colour, where smoothing changes nothing.
  virtual void FillBox(const ShapeBox& b, uint32_t rgb) = 0;
  // Strokes the line through the centres of the points, begun with BeginShape: the trace of a round pen
  // when roundEnds, else a single level or upright segment with square ends.
  virtual void StrokePath(std::span<const PixelPoint> points, uint32_t rgb, int width, bool roundEnds) = 0;
  // Fills or strokes the path built on the context; a surface that keeps its shapes takes them here.
  virtual void Paint(bool stroke) { stroke ? cairo_stroke(Cairo()) : cairo_fill(Cairo()); }
};

class ShapePainter {
 public:
  explicit ShapePainter(ShapeCanvas& canvas) : canvas_(canvas) {}

  // A line between pixel centres, leaving out nothing (smoothed ends are round or square). Solid lines
  // that are not exact join the path being gathered when they go on from its end in its colour and
  // width. Exact lines (those of a selected pen, which paints gradients a pixel apart) are unsmoothed
  // and a little wider, so that no seam shows between them in smoothed viewers.
  void Line(int x1, int y1, int x2, int y2, uint32_t rgb, int width, bool dotted, bool exact);
  // Strokes the line path being gathered. The surface does this before anything else draws, clips or
  // reads its drawing.
  void FinishLine();
  bool LinePending() const { return pending_; }

  // The raster circle: filled within r + 1/2 of the centre pixel when fill is given, outlined at r.
  void Circle(int cx, int cy, int r, int width, std::optional<uint32_t> fill, uint32_t rgb);
  // A point as wide as the pen.
  void Dot(int x, int y, int width, uint32_t rgb);
  // A closed polygon through pixel centres, filled when fill is given, outlined with the pen.
  void Polygon(std::span<const PixelPoint> points, std::optional<uint32_t> fill, uint32_t rgb, int width,
               bool exact);
  // Builds the path StrokePath strokes on cr: through the centres of the points, width wide, with round
  // ends and joins when roundEnds, else square ends.
  static void TracePath(cairo_t* cr, std::span<const PixelPoint> points, int width, bool roundEnds);
  // A smooth linear ramp through the colours (0x00RRGGBB) from (x0, y0) to (x1, y1) over the box,
  // the ends held beyond them; only the stops where the colours bend are kept.
  void Ramp(double x0, double y0, double x1, double y1, std::span<const uint32_t> colours,
            const ShapeBox& box);

 private:
  ShapeCanvas& canvas_;
  DashPhase dash_;
  // Takes the next point into the line path being gathered.
  void Join(PixelPoint p);

  // The line path being gathered.
  bool pending_ = false;
  std::vector<PixelPoint> pendingPoints_;
  uint32_t pendingRgb_ = 0;
  int pendingWidth_ = 0;
  // Its last run of points in one pixel column: where it starts among the points, its lowest and highest
  // row, and the way it first moves (-1 up, 1 down, 0 not yet).
  size_t runStart_ = 0;
  int runLow_ = 0, runHigh_ = 0, runMove_ = 0;
};

}  // namespace plotara
