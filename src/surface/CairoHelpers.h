// Helpers both cairo surfaces share: font faces and text measures, and cutting a segment to a box.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace plotara {

// The best font fontconfig has for the family, bold and italic, as a cairo face the caller owns; null
// when none can be had.
cairo_font_face_t* MatchFontFace(const std::string& family, bool bold, bool italic);

// The faces a surface has used, each made once and kept for the surface's life.
class FontFaces {
 public:
  FontFaces() = default;
  ~FontFaces();
  FontFaces(const FontFaces&) = delete;
  FontFaces& operator=(const FontFaces&) = delete;
  // The face of a family and style; null when none can be had.
  cairo_font_face_t* Face(const std::string& family, bool bold, bool italic);

 private:
  std::map<std::string, cairo_font_face_t*> faces_;
};

// The size in device pixels of a font of `points` at dpi: whole pixels, as the device interface gives
// them, which keeps hinted text crisp.
double FontPixels(float points, double dpi);
// A font's family, style and pixel size in one text: a surface selects a font again only when it changes.
std::string FontKey(const std::string& family, bool bold, bool italic, double pixels);
// Measures in the font selected into cr, in pixels: the advance of a text, and the height of a line
// (ascent and descent, each rounded up).
double TextAdvance(cairo_t* cr, std::string_view text);
double LineHeight(cairo_t* cr);

// Text measured as the raster surface measures it, on a context of its own: how a surface that draws no
// pixels of its own lays text out as the raster surface does.
class TextMeasure {
 public:
  TextMeasure();
  ~TextMeasure();
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;
  // Selects a font of `pixels` (FontPixels); false, selecting nothing, when none can be had.
  bool Select(const std::string& family, bool bold, bool italic, double pixels);
  // In the font selected, in pixels: the advance of a text, the height of a line, the ascent rounded up
  // (from the top of a line to its baseline).
  double Advance(std::string_view text) { return TextAdvance(cr_, text); }
  double Height() { return LineHeight(cr_); }
  double Ascent();

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
  FontFaces faces_;
  std::string selected_;
};

// A dotted line that starts where the previous one ended goes on with its pattern, so that a curve of
// short segments still looks dotted. Thin lines count the pattern in pixel steps, wide ones along their
// length; a period is six pen widths.
class DashPhase {
 public:
  // The phase at the start of the line from (x1, y1) to (x2, y2); the next line goes on from its end.
  double Next(int x1, int y1, int x2, int y2, int width);

 private:
  int endX_ = INT32_MIN, endY_ = INT32_MIN;
  double phase_ = 0;
};

// Liang-Barsky: cuts the segment to the box; false when none of it lies inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin, double xmax,
                 double ymax);

}  // namespace plotara
