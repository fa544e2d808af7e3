// VectorSurface sections: recording and state; shapes; surface-unit operations; device-pixel operations;
// text; clipping, picture and files. The layers a redraw replaces are in VectorLayers.cpp.
//
// Shapes are placed on the pixel grid as the raster surface places them: a one-pixel line runs through
// pixel centres (+0.5), a box covers [x0, x1) x [y0, y1), so that the smoothed picture and the documents
// keep the raster picture's layout.
#include "surface/VectorSurface.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <vector>

#include "platform/FileReplace.h"
#include "platform/PictureFormat.h"
#include "platform/RuntimeError.h"
#include "platform/TextEncoding.h"
#include "surface/CairoHelpers.h"
#include "surface/ImageFile.h"
#include "surface/RecordingParts.h"
#include "surface/ShapeList.h"
#include "surface/SvgWriter.h"

namespace plotara {

using namespace recording;

namespace {

// The largest page a PDF holds: 14,400 points (200 inches) a side.
constexpr double kMaxPageTwips = 14400.0 * 20;
// How far a glyph's ink may reach beyond the box its font gives, in pixels. Smoothing spreads the ink of
// a shape only over pixels its outline reaches into.
constexpr double kGlyphInk = 1;

void SetRgb(cairo_t* cr, uint32_t rgb) {
  cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

// A copy of a recording as it is now; later drawing on the original leaves the copy as it was.
cairo_surface_t* Snapshot(cairo_surface_t* rec, int w, int h) {
  cairo_surface_t* copy = NewListedRecording(w, h);
  cairo_t* cr = cairo_create(copy);
  const ShapeBox all{0, 0, w, h};
  KeepPicture(cr, rec, 0, 0, 1, {&all, 1}, all);
  cairo_set_source_surface(cr, rec, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  return copy;
}

// An image of the block of pixels [x, x + w) x [y, y + h).
cairo_surface_t* ImageOf(const PictureView& from, int x, int y, int w, int h) {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(w, 1), std::max(h, 1));
  auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(image));
  const int stride = cairo_image_surface_get_stride(image) / 4;
  for (int row = 0; row < h; ++row)
    std::memcpy(data + static_cast<size_t>(row) * stride,
                from.Pixels + static_cast<size_t>(y + row) * from.StridePixels + x,
                static_cast<size_t>(w) * 4);
  cairo_surface_mark_dirty(image);
  return image;
}

}  // namespace

// ---------------------------------------------------------------- recording and state

VectorSurface::VectorSurface(double dpi) : Surface(dpi) {
  measureSurface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  measure_ = cairo_create(measureSurface_);
  Restart(0, 0, false);
}

VectorSurface::~VectorSurface() {
  DropLayers();
  cairo_destroy(cr_);
  cairo_surface_destroy(rec_);
  if (picture_) cairo_surface_destroy(picture_);
  if (raster_) cairo_surface_destroy(raster_);
  for (auto& [key, mark] : marks_) cairo_surface_destroy(mark);
  cairo_destroy(measure_);
  cairo_surface_destroy(measureSurface_);
}

std::unique_ptr<Surface> VectorSurface::MakeCompatible() const {
  return std::make_unique<VectorSurface>(Dpi());
}

void VectorSurface::Move(float left, float top, float width, float height) {
  const int w = std::max(0, PixelX(width));
  const int h = std::max(0, PixelY(height));
  // Capped as the raster surface is, since it is drawn as one (on screen, into PNG); a document's page
  // also as a PDF can hold it.
  if (BeyondCap(width, height) || std::max(width, height) - CapMargin > kMaxPageTwips)
    Raise(err::OutOfMemory);
  if (w != w_ || h != h_) {
    Restart(w, h, true);
    TouchAll();
  }
  SetPlacement(left, top, width, height);
}

void VectorSurface::Restart(int w, int h, bool keep) {
  StrokePending();
  cairo_surface_t* old = nullptr;
  if (keep && rec_) {
    old = NewListedRecording(w_, h_);
    cairo_t* cr = cairo_create(old);
    PaintAll(cr);
    cairo_destroy(cr);
  }
  const Box4 kept{0, 0, std::min(w, w_), std::min(h, h_)};
  DropLayers();
  w_ = w;
  h_ = h;
  OpenRecording(true);
  if (old) {
    // The old drawing stays at the top-left, as a picture box keeps its image when it grows.
    const ShapeBox box{0, 0, kept.x1, kept.y1};
    KeepPicture(cr_, old, 0, 0, 1, {&box, 1}, box);
    cairo_set_source_surface(cr_, old, 0, 0);
    cairo_rectangle(cr_, 0, 0, kept.x1, kept.y1);
    cairo_fill(cr_);
    cairo_surface_destroy(old);
    drawn_ = kept;
  }
  ResetClip();
}

void VectorSurface::OpenRecording(bool base) {
  StrokePending();  // the line being gathered belongs to the recording it began in
  cairo_surface_t* rec = NewListedRecording(w_, h_);
  ListOf(rec)->open = true;
  cairo_t* cr = cairo_create(rec);
  if (base) {
    SetRgb(cr, ResolvedRgb(BackColor));
    cairo_rectangle(cr, 0, 0, w_, h_);
    KeepPath(cr, false, {0, 0, w_, h_});
    cairo_paint(cr);
    startBack_ = ResolvedRgb(BackColor);
  }
  if (cr_) cairo_destroy(cr_);
  if (rec_) {
    ListOf(rec_)->open = false;  // a layer now, or gone
    cairo_surface_destroy(rec_);
  }
  rec_ = rec;
  cr_ = cr;

  if (base) basePicture_ = false;
  drawn_ = {};
  commands_ = 0;
  Changed();
  SetUpContext();
  SyncClip();
}

void VectorSurface::Changed() {
  stale_ = true;
  if (frozen_) cairo_surface_destroy(frozen_);
  frozen_ = nullptr;
  // The picture Image gave is out of date; a large page need not hold it while it draws.
  if (raster_) cairo_surface_destroy(raster_);
  raster_ = nullptr;
}

void VectorSurface::SetUpContext() {
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
  // The measuring context is the raster surface's: hinted metrics, whole-pixel font sizes.
  cairo_font_options_t* fo = cairo_font_options_create();
  cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(measure_, fo);
  cairo_set_font_options(cr_, fo);
  cairo_font_options_destroy(fo);
  appliedFont_.clear();
}

VectorSurface::Box4 VectorSurface::PixelBox(float x1, float y1, float x2, float y2) const {
  Box4 b{PixelX(x1), PixelY(y1), PixelX(x2), PixelY(y2)};
  if (b.x0 > b.x1) std::swap(b.x0, b.x1);
  if (b.y0 > b.y1) std::swap(b.y0, b.y1);
  return b;
}

Pen VectorSurface::CurrentPen() const {
  return pen_ ? *pen_ : Pen{ForeColor, std::max(1, DrawWidth)};
}

bool VectorSurface::Begin(uint32_t rgb, const Box4& extent, bool exact) {
  StrokePending();
  SplitIfCopied();
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    // A failed cairo call leaves its context unusable; go on drawing on the same recording.
    cairo_destroy(cr_);
    cr_ = cairo_create(rec_);
    SetUpContext();
    SyncClip();
  }
  cairo_new_path(cr_);
  cairo_set_dash(cr_, nullptr, 0, 0);
  // Inverting marks what the mouse does; a document shows none of it.
  if (DrawMode == PenMode::Invert) return false;
  cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
  SetRgb(cr_, rgb);
  cairo_set_antialias(cr_, exact ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_DEFAULT);
  Record(extent);
  return true;
}

bool VectorSurface::BeginShape(uint32_t rgb, bool exact, const ShapeBox& extent) {
  return Begin(rgb, {extent.x0, extent.y0, extent.x1, extent.y1}, exact);
}

void VectorSurface::StrokePath(std::span<const PixelPoint> points, uint32_t, int width, bool roundEnds) {
  // BeginShape set the colour; nothing has used the context since.
  ShapePainter::TracePath(cr_, points, width, roundEnds);
  Paint(true);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
}

void VectorSurface::Paint(bool stroke) {
  KeepPath(cr_, stroke, {clip_.x0, clip_.y0, clip_.x1, clip_.y1});
  stroke ? cairo_stroke(cr_) : cairo_fill(cr_);
}

void VectorSurface::ExtendShape(const ShapeBox& extent) {
  Mark({extent.x0, extent.y0, extent.x1, extent.y1});
}

void VectorSurface::Record(const Box4& extent) {
  if (layers_.empty()) basePicture_ = false;
  ++commands_;
  Mark(extent);
}

void VectorSurface::Mark(const Box4& extent) {
  Changed();
  // Every shape stays inside the clip rectangle.
  const Box4 e = Intersection(clip_, extent);
  if (e.Empty()) return;
  Touch(e.x0, e.y0, e.x1, e.y1);
  drawn_ = Union(drawn_, e);
}

// ---------------------------------------------------------------- shapes

void VectorSurface::Fill(double x, double y, double w, double h, uint32_t rgb) {
  if (w <= 0 || h <= 0) return;
  Covering({static_cast<int>(std::ceil(x)), static_cast<int>(std::ceil(y)),
            static_cast<int>(std::floor(x + w)), static_cast<int>(std::floor(y + h))});
  const Box4 extent{static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)),
                    static_cast<int>(std::ceil(x + w)), static_cast<int>(std::ceil(y + h))};
  if (!Begin(rgb, extent)) return;
  cairo_rectangle(cr_, x, y, w, h);
  Paint(false);
}

// The outline of [x0, x1) x [y0, y1) with the pen centred on the edge pixels, as the raster surface
// draws it.
void VectorSurface::Outline(const Box4& b, uint32_t rgb, int width) {
  if (b.x1 <= b.x0 || b.y1 <= b.y0) return;
  const int lo = width / 2, hi = width - lo;
  if (b.x0 + hi >= b.x1 - 1 - lo || b.y0 + hi >= b.y1 - 1 - lo) {
    Fill(b.x0 - lo, b.y0 - lo, b.x1 - 1 + hi - (b.x0 - lo), b.y1 - 1 + hi - (b.y0 - lo), rgb);
    return;
  }
  if (!Begin(rgb, Around<Box4>(b.x0 - lo, b.y0 - lo, b.x1 - 1 + hi, b.y1 - 1 + hi, 0))) return;
  const double d = (hi - lo) / 2.0;
  cairo_rectangle(cr_, b.x0 + d, b.y0 + d, b.x1 - 1 - b.x0, b.y1 - 1 - b.y0);
  cairo_set_line_width(cr_, width);
  Paint(true);
}

void VectorSurface::PixelLine(int x1, int y1, int x2, int y2, uint32_t rgb, int width, bool dotted,
                              bool exact) {
  if (DrawMode == PenMode::Invert) return;  // a document shows no interactive aid
  stale_ = true;
  painter_.Line(x1, y1, x2, y2, rgb, width, dotted, exact);
}

// ---------------------------------------------------------------- operations in surface units

void VectorSurface::Cls() {
  PaintPictureIn();
  TouchAll();
  CurrentX = 0;
  CurrentY = 0;
}

void VectorSurface::DrawLine(float x1, float y1, float x2, float y2, OleColor color) {
  PixelLine(PixelX(x1), PixelY(y1), PixelX(x2), PixelY(y2), ResolvedRgb(color), std::max(1, DrawWidth),
            DrawStyle == LineKind::Dot, false);
  CurrentX = x2;
  CurrentY = y2;
}

void VectorSurface::DrawBox(float x1, float y1, float x2, float y2, OleColor color) {
  const Box4 b = PixelBox(x1, y1, x2, y2);
  if (FillStyle == FillKind::Solid) Fill(b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0, ResolvedRgb(FillColor));
  Outline(b, ResolvedRgb(color), std::max(1, DrawWidth));
  CurrentX = x2;
  CurrentY = y2;
}

void VectorSurface::FilledBox(float x1, float y1, float x2, float y2, OleColor color) {
  const Box4 b = PixelBox(x1, y1, x2, y2);
  Fill(b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0, ResolvedRgb(color));
  CurrentX = x2;
  CurrentY = y2;
}

void VectorSurface::DrawCircle(float x, float y, float radius, OleColor color) {
  CurrentX = x;
  CurrentY = y;
  if (DrawMode == PenMode::Invert) return;
  std::optional<uint32_t> fill;
  if (FillStyle == FillKind::Solid) fill = ResolvedRgb(FillColor);
  const int cx = PixelX(x), cy = PixelY(y), r = std::abs(PixelX(radius)), width = std::max(1, DrawWidth);
  if (r <= 0) {
    painter_.Circle(cx, cy, r, width, fill, ResolvedRgb(color));
    return;
  }
  // The symbols of a data set are the same circle again and again: painted from one recording of it, a
  // document holds its shapes once (a PDF form, an SVG <use>) rather than at every point.
  const int reach = r + width + 1;  // as far as the circle's ink goes from its centre pixel
  const Box4 extent{cx - reach, cy - reach, cx + reach + 1, cy + reach + 1};
  if (Intersection(extent, clip_).Empty()) return;
  cairo_surface_t* mark = CircleMark({r, width, fill ? static_cast<int64_t>(*fill) : -1, ResolvedRgb(color)});
  if (!Begin(0, extent)) return;
  const ShapeBox box{extent.x0, extent.y0, extent.x1, extent.y1};
  KeepPicture(cr_, mark, extent.x0, extent.y0, 1, {&box, 1}, {clip_.x0, clip_.y0, clip_.x1, clip_.y1});
  cairo_set_source_surface(cr_, mark, extent.x0, extent.y0);
  cairo_paint(cr_);
}

void VectorSurface::PSet(float x, float y, OleColor color) {
  CurrentX = x;
  CurrentY = y;
  if (DrawMode == PenMode::Invert) return;
  painter_.Dot(PixelX(x), PixelY(y), std::max(1, DrawWidth), ResolvedRgb(color));
}

// ---------------------------------------------------------------- device-pixel operations

void VectorSurface::BitBlt(int xDest, int yDest, int width, int height, Surface& source, int xSource,
                           int ySource) {
  const int sw = source.PixelWidth(), sh = source.PixelHeight();
  auto cut = [](int& s, int& d, int& n, int lo, int hi) {
    if (s < lo) {
      n -= lo - s;
      d += lo - s;
      s = lo;
    }
    if (s + n > hi) n = hi - s;
  };
  cut(xSource, xDest, width, 0, sw);
  cut(ySource, yDest, height, 0, sh);
  cut(xDest, xSource, width, clip_.x0, clip_.x1);
  cut(yDest, ySource, height, clip_.y0, clip_.y1);
  if (width <= 0 || height <= 0) return;

  cairo_surface_t* src = nullptr;
  if (cairo_surface_t* shapes = CopyShapesOf(source)) {
    // The source's drawing as it is now (a copy within one surface too): it does not change.
    src = cairo_surface_reference(shapes);
  } else {
    // A source of pixels comes in as an image of the block.
    src = ImageOf(CopyPixelsOf(source, nullptr), xSource, ySource, width, height);
    xSource = ySource = 0;
  }
  // A copy over all of the drawing replaces it; one over part of it becomes a layer of its own, which
  // drops what it covers whole and is dropped when a later copy covers it.
  const Box4 block = Covering({xDest, yDest, xDest + width, yDest + height});
  const Box4 under = Intersection(block, Everything());
  if (DrawMode != PenMode::Invert && basePicture_ && src == picture_ && xDest == xSource &&
      yDest == ySource) {
    ShowPictureIn(block);
  } else if (DrawMode != PenMode::Invert && !under.Empty()) {
    CopyLayer(src, xDest - xSource, yDest - ySource, block);
  } else if (Begin(0, block)) {
    // The block is filled with the source rather than painted through a clip: document writers may
    // drop a clip they think covers the page, a filled rectangle holds in every format.
    const ShapeBox shown{block.x0, block.y0, block.x1, block.y1};
    KeepPicture(cr_, src, xDest - xSource, yDest - ySource, 1, {&shown, 1}, shown);
    cairo_set_source_surface(cr_, src, xDest - xSource, yDest - ySource);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr_, xDest, yDest, width, height);
    cairo_fill(cr_);
  }
  cairo_surface_destroy(src);
}

std::optional<Pen> VectorSurface::SelectPen(std::optional<Pen> pen) {
  std::optional<Pen> previous = pen_;
  pen_ = pen;
  return previous;
}

void VectorSurface::MoveTo(int x, int y) {
  penPos_ = {x, y};
}

void VectorSurface::LineTo(int x, int y) {
  const Pen pen = CurrentPen();
  // A selected pen paints gradients, which are made of lines a pixel apart.
  PixelLine(penPos_.x, penPos_.y, x, y, ResolvedRgb(pen.color), pen.width,
            !pen_ && DrawStyle == LineKind::Dot, pen_.has_value());
  penPos_ = {x, y};
}

void VectorSurface::Polygon(std::span<const PixelPoint> points) {
  if (DrawMode == PenMode::Invert) return;
  const Pen pen = CurrentPen();
  std::optional<uint32_t> fill;
  if (FillStyle == FillKind::Solid) fill = ResolvedRgb(FillColor);
  painter_.Polygon(points, fill, ResolvedRgb(pen.color), pen.width, pen_.has_value());
}

void VectorSurface::Rectangle(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const Pen pen = CurrentPen();
  if (FillStyle == FillKind::Solid) Fill(left, top, right - left, bottom - top, ResolvedRgb(FillColor));
  Outline({left, top, right, bottom}, ResolvedRgb(pen.color), pen.width);
}

// ---------------------------------------------------------------- text

bool VectorSurface::ApplyFont() {
  const double px = FontPixels(FontSize, kTwipsPerInch / TwipsPerPixelX());
  const std::string key = FontKey(FontName, FontBold, FontItalic, px);
  if (key == appliedFont_) return true;
  cairo_font_face_t* face = faces_.Face(FontName, FontBold, FontItalic);
  if (!face) return false;
  for (cairo_t* cr : {measure_, cr_}) {
    cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, px);
  }
  appliedFont_ = key;
  return true;
}

float VectorSurface::TextWidth(std::string_view text) {
  if (text.empty() || !ApplyFont()) return 0;
  return static_cast<float>(TextAdvance(measure_, text) * TwipsPerPixelX());
}

float VectorSurface::TextHeight(std::string_view) {
  if (!ApplyFont()) return 0;
  return static_cast<float>(LineHeight(measure_) * TwipsPerPixelY());
}

void VectorSurface::TextOut(int x, int y, std::string_view text, int escapement) {
  if (text.empty() || !ApplyFont()) return;
  const std::string utf8 = ToValidUtf8(text);
  cairo_font_extents_t fe;
  cairo_font_extents(measure_, &fe);
  // The glyphs are placed by the raster surface's font metrics, then drawn with their text attached,
  // so that a document's text can be selected and searched.
  cairo_glyph_t* glyphs = nullptr;
  int numGlyphs = 0;
  cairo_text_cluster_t* clusters = nullptr;
  int numClusters = 0;
  cairo_text_cluster_flags_t flags{};
  const cairo_status_t status = cairo_scaled_font_text_to_glyphs(
      cairo_get_scaled_font(measure_), 0, std::ceil(fe.ascent), utf8.data(), static_cast<int>(utf8.size()),
      &glyphs, &numGlyphs, &clusters, &numClusters, &flags);
  if (status != CAIRO_STATUS_SUCCESS) return;
  // The ink's box, turned with the text about its corner.
  cairo_text_extents_t te;
  cairo_scaled_font_glyph_extents(cairo_get_scaled_font(measure_), glyphs, numGlyphs, &te);
  const double turn = -escapement / 10.0 * std::numbers::pi / 180.0, cosT = std::cos(turn),
               sinT = std::sin(turn);
  double bx0 = 1e300, by0 = 1e300, bx1 = -1e300, by1 = -1e300;
  for (double u : {te.x_bearing, te.x_bearing + te.width})
    for (double v : {te.y_bearing, te.y_bearing + te.height}) {
      const double px = x + u * cosT - v * sinT, py = y + u * sinT + v * cosT;
      bx0 = std::min(bx0, px);
      by0 = std::min(by0, py);
      bx1 = std::max(bx1, px);
      by1 = std::max(by1, py);
    }
  StrokePending();
  SplitIfCopied();
  cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_DEFAULT);
  SetRgb(cr_, ResolvedRgb(ForeColor));
  cairo_save(cr_);
  cairo_translate(cr_, x, y);
  if (escapement != 0) cairo_rotate(cr_, -escapement / 10.0 * std::numbers::pi / 180.0);
  cairo_show_text_glyphs(cr_, utf8.data(), static_cast<int>(utf8.size()), glyphs, numGlyphs, clusters,
                         numClusters, flags);
  cairo_restore(cr_);
  const Box4 ink = Around<Box4>(bx0, by0, bx1, by1, kGlyphInk);
  auto run = std::make_shared<GlyphRun>();
  run->font = cairo_scaled_font_reference(cairo_get_scaled_font(measure_));
  run->glyphs.assign(glyphs, glyphs + numGlyphs);
  run->clusters.assign(clusters, clusters + numClusters);
  run->backward = (flags & CAIRO_TEXT_CLUSTER_FLAG_BACKWARD) != 0;
  run->text = utf8;
  run->family = FontName;
  run->bold = FontBold;
  run->italic = FontItalic;
  run->size = FontPixels(FontSize, kTwipsPerInch / TwipsPerPixelX());
  run->x = x;
  run->y = y;
  run->angle = escapement / 10.0;
  KeepText(cr_, std::move(run), ResolvedRgb(ForeColor), {clip_.x0, clip_.y0, clip_.x1, clip_.y1},
           {ink.x0, ink.y0, ink.x1, ink.y1});
  cairo_glyph_free(glyphs);
  cairo_text_cluster_free(clusters);
  Record(ink);
}

void VectorSurface::Print(std::string_view text) {
  const float height = TextHeight(text);
  TextOut(PixelX(CurrentX), PixelY(CurrentY), text, 0);
  CurrentX = 0;
  CurrentY += height;
}

// ---------------------------------------------------------------- clipping, picture and files

void VectorSurface::SetClipRect(float left, float top, float right, float bottom) {
  int x0 = PixelX(left), y0 = PixelY(top), x1 = PixelX(right), y1 = PixelY(bottom);
  if (x0 > x1) std::swap(x0, x1);
  if (y0 > y1) std::swap(y0, y1);
  clip_ = {std::clamp(x0, 0, w_), std::clamp(y0, 0, h_), std::clamp(x1, 0, w_), std::clamp(y1, 0, h_)};
  SyncClip();
}

void VectorSurface::ResetClip() {
  clip_ = {0, 0, w_, h_};
  SyncClip();
}

void VectorSurface::Forget() {
  const Box4 clip = clip_;
  Restart(w_, h_, false);
  clip_ = clip;
  SyncClip();
}

void VectorSurface::Flush() {
  StrokePending();
}

void VectorSurface::Discard() {
  Forget();
  TouchAll();
}

bool VectorSurface::FillRamp(double x0, double y0, double x1, double y1, std::span<const OleColor> colours) {
  if (colours.size() < 2 || DrawMode == PenMode::Invert) return false;
  const Box4 all{0, 0, w_, h_};
  Covering(all);
  std::vector<uint32_t> rgb(colours.size());
  std::transform(colours.begin(), colours.end(), rgb.begin(), [&](OleColor c) { return ResolvedRgb(c); });
  painter_.Ramp(x0, y0, x1, y1, rgb, {0, 0, w_, h_});
  return true;
}

void VectorSurface::SyncClip() {
  StrokePending();
  cairo_reset_clip(cr_);
  cairo_new_path(cr_);
  cairo_rectangle(cr_, clip_.x0, clip_.y0, clip_.x1 - clip_.x0, clip_.y1 - clip_.y0);
  cairo_clip(cr_);
}

void VectorSurface::PaintPictureIn() {
  // Everything drawn before is covered: start afresh with the back colour and the picture.
  const Box4 clip = clip_;
  Restart(w_, h_, false);
  if (picture_) {
    const ShapeBox box{0, 0, std::min(picW_, w_), std::min(picH_, h_)};
    KeepPicture(cr_, picture_, 0, 0, 1, {&box, 1}, {clip_.x0, clip_.y0, clip_.x1, clip_.y1});
    cairo_set_source_surface(cr_, picture_, 0, 0);
    cairo_rectangle(cr_, 0, 0, std::min(picW_, w_), std::min(picH_, h_));
    cairo_fill(cr_);
    ++commands_;
    drawn_ = {0, 0, std::min(picW_, w_), std::min(picH_, h_)};
    // The first layer keeps nothing but the picture, so that copying the picture back (a legend
    // dragged about) shows it again rather than piling up copies.
    basePicture_ = true;
    splitNext_ = true;
  }
  clip_ = clip;
  SyncClip();
}

void VectorSurface::ShowPicture(Surface& source, const PixelRect* changed) {
  cairo_surface_t* picture = nullptr;
  int w = source.PixelWidth(), h = source.PixelHeight();
  if (cairo_surface_t* shapes = CopyShapesOf(source)) {
    picture = cairo_surface_reference(shapes);
  } else {
    const PictureView from = CopyPixelsOf(source, nullptr);
    w = from.Width;
    h = from.Height;
    cairo_surface_t* image = ImageOf(from, 0, 0, w, h);
    picture = Snapshot(image, w, h);
    cairo_surface_destroy(image);
  }
  if (picture_) cairo_surface_destroy(picture_);
  picture_ = picture;
  picW_ = w;
  picH_ = h;
  PaintPictureIn();
  if (picW_ == w_ && picH_ == h_) {
    // Outside the part to show, the new recording paints what the old one did.
    const Area part = PartToShow(changed);
    Touch(part.x0, part.y0, part.x1, part.y1);
    PictureShown();
  } else {
    TouchAll();
  }
}

cairo_surface_t* VectorSurface::CopyShapes() {
  StrokePending();
  splitNext_ = true;
  if (!frozen_) {
    frozen_ = NewListedRecording(w_, h_);
    cairo_t* cr = cairo_create(frozen_);
    PaintAll(cr);
    cairo_destroy(cr);
  }
  return frozen_;
}

PictureView VectorSurface::Image() {
  StrokePending();
  if (stale_ || !raster_) {
    if (raster_) cairo_surface_destroy(raster_);
    raster_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(w_, 1), std::max(h_, 1));
    cairo_t* cr = cairo_create(raster_);
    PaintAll(cr);
    cairo_destroy(cr);
    cairo_surface_flush(raster_);
    stale_ = false;
  }
  return {reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(raster_)), w_, h_,
          cairo_image_surface_get_stride(raster_) / 4};
}

void VectorSurface::SavePicture(const std::string& path) {
  StrokePending();
  const PictureFormat format = PictureFormatOf(path);
  cairo_status_t status = CAIRO_STATUS_SUCCESS;
  const std::string temp = SiblingTempPath(path);  // replaces path once written whole
  if (IsDocument(format)) {
    // One pixel is 1/dpi inch. The page is the surface's size in twips (20 to the point), which the
    // pixels only approach at a resolution that does not divide it.
    const double pt = 72.0 * TwipsPerPixelX() / kTwipsPerInch;
    const double pageW = Width() > 0 ? Width() / 20.0 : w_ * pt,
                 pageH = Height() > 0 ? Height() / 20.0 : h_ * pt;
    if (format == PictureFormat::Svg) {
      // Written from the shapes kept beside the recordings: cairo's SVG writer is large and slow.
      ShapeList all;
      all.w = w_;
      all.h = h_;
      KeepAll(all);
      const std::string doc = SvgDocument(all, {pageW, pageH, pageW / pt, pageH / pt, SvgText});
      FILE* f = std::fopen(temp.c_str(), "wb");
      const bool written = f && std::fwrite(doc.data(), 1, doc.size(), f) == doc.size();
      if ((f && std::fclose(f) != 0) || !written) status = CAIRO_STATUS_WRITE_ERROR;
    } else {
      cairo_surface_t* doc = cairo_pdf_surface_create(temp.c_str(), pageW, pageH);
      cairo_pdf_surface_set_metadata(doc, CAIRO_PDF_METADATA_CREATOR, "Plotara");
      cairo_t* cr = cairo_create(doc);
      cairo_scale(cr, pt, pt);
      PaintAll(cr);
      cairo_destroy(cr);
      cairo_surface_finish(doc);
      status = cairo_surface_status(doc);
      cairo_surface_destroy(doc);
    }
  } else if (format == PictureFormat::Png) {
    if (!WritePng(Image(), temp, PngLevel)) status = CAIRO_STATUS_WRITE_ERROR;
  } else {
    Raise(err::InvalidProcedureCall);
  }
  if (status != CAIRO_STATUS_SUCCESS) {
    DiscardTemp(temp);
    Raise(err::PathFileAccess);
  }
  if (!ReplaceWithTemp(temp, path)) Raise(err::PathFileAccess);
}

}  // namespace plotara
