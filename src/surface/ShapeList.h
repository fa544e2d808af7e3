// The drawing of a document surface's recordings as lists of shapes in device pixels, so that a writer can
// put each shape into a document in that format's own terms (SvgWriter). A list hangs on the cairo
// recording it mirrors (ListOf), so that wherever a recording goes (a layer, a copied block, another
// surface's picture) its shapes go with it. A shape that paints another recording refers to that one's
// list; a list that may still grow is copied when painted, so that lists refer only to finished ones and
// never to each other in a ring.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "surface/ShapePainter.h"

namespace plotara {

struct ShapeList;

// A linear ramp: its axis and its stops (offset, 0x00RRGGBB).
struct RampPaint {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::vector<std::pair<double, uint32_t>> stops;
};

// A line of text: the glyphs of a font placed from (x, y), turned by angle (degrees, counter-clockwise),
// with the text they show and which characters make which glyphs.
struct GlyphRun {
  GlyphRun() = default;
  GlyphRun(const GlyphRun&) = delete;
  GlyphRun& operator=(const GlyphRun&) = delete;
  ~GlyphRun() {
    if (font) cairo_scaled_font_destroy(font);
  }
  cairo_scaled_font_t* font = nullptr;  // referenced
  std::vector<cairo_glyph_t> glyphs;    // relative to (x, y)
  std::vector<cairo_text_cluster_t> clusters;
  bool backward = false;  // clusters run from the last glyph
  std::string text;       // UTF-8
  std::string family;     // as asked for
  bool bold = false, italic = false;
  double size = 0;  // pixels
  int x = 0, y = 0;
  double angle = 0;
};

// Another drawing painted within some boxes: a list or a block of pixels, its origin at (dx, dy) and
// `scale` of its units to a pixel.
struct PicturePaint {
  PicturePaint() = default;
  PicturePaint(const PicturePaint&) = delete;
  PicturePaint& operator=(const PicturePaint&) = delete;
  ~PicturePaint() {
    if (image) cairo_surface_destroy(image);
  }
  std::shared_ptr<const ShapeList> shapes;
  cairo_surface_t* image = nullptr;  // referenced
  double dx = 0, dy = 0, scale = 1;
  std::vector<ShapeBox> shown;  // where it shows, in the pixels it is painted on
};

struct KeptShape {
  enum class Kind : uint8_t { Fill, Stroke, Glyphs, Picture };
  Kind kind = Kind::Fill;
  bool evenOdd = true;  // fill rule
  bool exact = false;   // not smoothed
  cairo_line_cap_t cap = CAIRO_LINE_CAP_BUTT;
  cairo_line_join_t join = CAIRO_LINE_JOIN_MITER;
  uint32_t rgb = 0;
  double width = 1;
  ShapeBox clip;  // the clip rectangle in force
  ShapeBox ink;   // holds every pixel the shape may change
  std::vector<double> dash;
  double dashOffset = 0;
  std::vector<cairo_path_data_t> path;    // Fill and Stroke, as cairo gives it
  std::shared_ptr<const RampPaint> ramp;  // a Fill of a ramp rather than rgb
  std::shared_ptr<const GlyphRun> text;
  std::shared_ptr<const PicturePaint> picture;
};

struct ShapeList {
  int w = 0, h = 0;
  bool open = false;  // its recording may still be drawn on (a surface's recording in progress)
  std::vector<std::shared_ptr<const KeptShape>> shapes;
};

// The list a recording made by NewListedRecording carries; null for any other surface.
ShapeList* ListOf(cairo_surface_t* surface);
// A recording of w x h pixels (at least 1 x 1) that carries an empty list.
cairo_surface_t* NewListedRecording(int w, int h);

// What the writers keep of the drawing on cr, when cr draws on a listed recording; each does nothing
// otherwise. Call them just before cairo fills, strokes or paints.
// The path on cr with cr's paint and pen, as a fill or a stroke.
void KeepPath(cairo_t* cr, bool stroke, const ShapeBox& clip);
// Source painted with its origin at (dx, dy), `scale` of its units to a pixel, within the boxes and clip.
void KeepPicture(cairo_t* cr, cairo_surface_t* source, double dx, double dy, double scale,
                 std::span<const ShapeBox> shown, const ShapeBox& clip);
// The same into a list of the caller's.
void KeepPicture(ShapeList& list, cairo_surface_t* source, double dx, double dy, double scale,
                 std::span<const ShapeBox> shown, const ShapeBox& clip);
void KeepText(cairo_t* cr, std::shared_ptr<const GlyphRun> run, uint32_t rgb, const ShapeBox& clip,
              const ShapeBox& ink);

}  // namespace plotara
