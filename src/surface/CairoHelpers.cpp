#include "surface/CairoHelpers.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>

#include "platform/TextEncoding.h"

namespace plotara {

namespace {

cairo_font_face_t* MatchFontFaceOnce(const std::string& family, bool bold, bool italic) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(match ? match : pattern);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(face);
    return nullptr;
  }
  return face;
}

}  // namespace

cairo_font_face_t* MatchFontFace(const std::string& family, bool bold, bool italic) {
  // fontconfig's matching costs a control made after the first one more than drawing a small chart: the
  // faces matched are kept for the process and shared by every surface (cairo faces are thread-safe).
  static std::mutex lock;
  static std::map<std::string, cairo_font_face_t*> matched;
  const std::string key = family + (bold ? "|b" : "|r") + (italic ? "i" : "n");
  const std::lock_guard<std::mutex> hold(lock);
  cairo_font_face_t*& face = matched[key];
  if (!face) face = MatchFontFaceOnce(family, bold, italic);
  if (!face) {
    matched.erase(key);
    return nullptr;
  }
  return cairo_font_face_reference(face);
}

FontFaces::~FontFaces() {
  for (auto& [key, face] : faces_) cairo_font_face_destroy(face);
}

cairo_font_face_t* FontFaces::Face(const std::string& family, bool bold, bool italic) {
  const std::string key = family + (bold ? "|b" : "|r") + (italic ? "i" : "n");
  cairo_font_face_t*& face = faces_[key];
  if (!face) face = MatchFontFace(family, bold, italic);
  if (!face) faces_.erase(key);
  return face;
}

double FontPixels(float points, double dpi) {
  return std::clamp(std::round(points * dpi / 72.0), 1.0, 4000.0);
}

std::string FontKey(const std::string& family, bool bold, bool italic, double pixels) {
  return family + (bold ? "|b" : "|r") + (italic ? "i|" : "n|") + std::to_string(static_cast<int>(pixels));
}

double TextAdvance(cairo_t* cr, std::string_view text) {
  const std::string utf8 = ToValidUtf8(text);
  cairo_text_extents_t te;
  cairo_text_extents(cr, utf8.c_str(), &te);
  return te.x_advance;
}

double LineHeight(cairo_t* cr) {
  cairo_font_extents_t fe;
  cairo_font_extents(cr, &fe);
  return std::ceil(fe.ascent) + std::ceil(fe.descent);
}

TextMeasure::TextMeasure()
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1)), cr_(cairo_create(surface_)) {}

TextMeasure::~TextMeasure() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

bool TextMeasure::Select(const std::string& family, bool bold, bool italic, double pixels) {
  const std::string key = FontKey(family, bold, italic, pixels);
  if (key == selected_) return true;
  cairo_font_face_t* face = faces_.Face(family, bold, italic);
  if (!face) return false;
  cairo_set_font_face(cr_, face);
  cairo_set_font_size(cr_, pixels);
  selected_ = key;
  return true;
}

double TextMeasure::Ascent() {
  cairo_font_extents_t fe;
  cairo_font_extents(cr_, &fe);
  return std::ceil(fe.ascent);
}

double DashPhase::Next(int x1, int y1, int x2, int y2, int width) {
  const double length =
      width > 1 ? std::hypot(x2 - x1, y2 - y1) : std::max(std::abs(x2 - x1), std::abs(y2 - y1));
  const double phase = x1 == endX_ && y1 == endY_ ? phase_ : 0;
  endX_ = x2;
  endY_ = y2;
  phase_ = std::fmod(phase + length, 6.0 * width);
  return phase;
}

bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin, double xmax,
                 double ymax) {
  const double dx = x2 - x1, dy = y2 - y1;
  double t0 = 0.0, t1 = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const double ox = x1, oy = y1;
  x1 = ox + t0 * dx;
  y1 = oy + t0 * dy;
  x2 = ox + t1 * dx;
  y2 = oy + t1 * dy;
  return true;
}

}  // namespace plotara
