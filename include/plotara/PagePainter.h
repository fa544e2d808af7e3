// A painter of the host's own for Plotara::PaintPage: the chart handed over as shapes and text rather
// than pixels, so that a toolkit's printing (a printer, a print preview, a document writer) gets text it
// sets itself and lines sharp at any resolution. The library has no toolkit inside; the host turns these
// calls into its own (PlotaraWidget prints through QPainter).
//
// Coordinates are pixels of the page at the resolution PaintPage draws at, (0, 0) at the top-left of the
// chart, y downwards; a pixel (x, y) covers [x, x + 1) x [y, y + 1), so a line one pixel wide through the
// middle of a row of pixels runs at y + 0.5. Colours are 0x00RRGGBB. Everything painted is opaque and
// painted over what lies under it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace plotara {

struct PagePoint {
  double X = 0, Y = 0;
};

struct PageFont {
  std::string Name;   // the family, such as "Arial"
  double Pixels = 0;  // the height of an em in page pixels
  bool Bold = false, Italic = false;
};

// A line of text, anchored at the top-left corner of its line box.
struct PageText {
  std::string_view Utf8;
  PageFont Font;
  double X = 0, Y = 0;  // the anchor
  double Ascent = 0;    // from the anchor down to the baseline, before turning
  double Advance = 0;   // the width the chart laid the text out with, pixels
  double Angle = 0;     // degrees, counter-clockwise about the anchor
  uint32_t Color = 0;
};

class PagePainter {
 public:
  virtual ~PagePainter() = default;

  // The painting state (the clip and the translation) is kept and given back in pairs.
  virtual void Save() = 0;
  virtual void Restore() = 0;
  // Moves the origin by (dx, dy) until the matching Restore.
  virtual void Translate(double dx, double dy) = 0;
  // Cuts what follows, until the matching Restore, to the box [x0, x1) x [y0, y1) within the clip so far.
  virtual void Clip(double x0, double y0, double x1, double y1) = 0;

  // A box [x0, x1) x [y0, y1) of one colour.
  virtual void FillBox(double x0, double y0, double x1, double y1, uint32_t color) = 0;
  // A line of `width` pixels through the points (closed back to the first when closed): round ends and
  // joins, or, when dotted, a dotted line of square dots with a period of six widths.
  virtual void StrokeLine(std::span<const PagePoint> points, bool closed, double width, bool dotted,
                          uint32_t color) = 0;
  // The inside of the polygon through the points.
  virtual void FillPolygon(std::span<const PagePoint> points, uint32_t color) = 0;
  // The inside of the circle.
  virtual void FillCircle(double cx, double cy, double radius, uint32_t color) = 0;
  // The outline of the circle, `width` pixels wide.
  virtual void StrokeCircle(double cx, double cy, double radius, double width, uint32_t color) = 0;
  // Fills the box [x0, x1) x [y0, y1) with the colours spread evenly along the line from (fromX, fromY)
  // to (toX, toY), the first and last held beyond its ends: a smooth gradient.
  virtual void FillGradient(double x0, double y0, double x1, double y1, double fromX, double fromY,
                            double toX, double toY, std::span<const uint32_t> colors) = 0;
  // A line of text in its font (the host's nearest match to the family), as text.
  virtual void Text(const PageText& text) = 0;
};

}  // namespace plotara
