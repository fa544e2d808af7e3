#include "surface/ShapeList.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "surface/RecordingParts.h"

namespace plotara {

namespace {

const cairo_user_data_key_t kListKey{};

using SharedList = std::shared_ptr<ShapeList>;

SharedList* Held(cairo_surface_t* surface) {
  return surface ? static_cast<SharedList*>(cairo_surface_get_user_data(surface, &kListKey)) : nullptr;
}

uint32_t RgbOf(double r, double g, double b) {
  auto byte = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
  return (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

ShapeBox Cut(const ShapeBox& a, const ShapeBox& b) {
  return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

}  // namespace

ShapeList* ListOf(cairo_surface_t* surface) {
  SharedList* held = Held(surface);
  return held ? held->get() : nullptr;
}

cairo_surface_t* NewListedRecording(int w, int h) {
  cairo_surface_t* rec = recording::NewRecording(w, h);
  auto* held = new SharedList(std::make_shared<ShapeList>());
  (*held)->w = std::max(w, 1);
  (*held)->h = std::max(h, 1);
  cairo_surface_set_user_data(rec, &kListKey, held, [](void* p) { delete static_cast<SharedList*>(p); });
  return rec;
}

void KeepPath(cairo_t* cr, bool stroke, const ShapeBox& clip) {
  ShapeList* list = ListOf(cairo_get_target(cr));
  if (!list) return;
  auto s = std::make_shared<KeptShape>();
  s->kind = stroke ? KeptShape::Kind::Stroke : KeptShape::Kind::Fill;
  s->clip = clip;
  cairo_path_t* path = cairo_copy_path(cr);
  if (path->status == CAIRO_STATUS_SUCCESS) s->path.assign(path->data, path->data + path->num_data);
  cairo_path_destroy(path);
  if (s->path.empty()) return;
  s->evenOdd = cairo_get_fill_rule(cr) == CAIRO_FILL_RULE_EVEN_ODD;
  s->exact = cairo_get_antialias(cr) == CAIRO_ANTIALIAS_NONE;
  cairo_pattern_t* source = cairo_get_source(cr);
  double r = 0, g = 0, b = 0, a = 1;
  if (cairo_pattern_get_rgba(source, &r, &g, &b, &a) == CAIRO_STATUS_SUCCESS) {
    s->rgb = RgbOf(r, g, b);
  } else if (cairo_pattern_get_type(source) == CAIRO_PATTERN_TYPE_LINEAR) {
    auto ramp = std::make_shared<RampPaint>();
    cairo_pattern_get_linear_points(source, &ramp->x0, &ramp->y0, &ramp->x1, &ramp->y1);
    int stops = 0;
    cairo_pattern_get_color_stop_count(source, &stops);
    for (int k = 0; k < stops; ++k) {
      double offset = 0;
      cairo_pattern_get_color_stop_rgba(source, k, &offset, &r, &g, &b, &a);
      ramp->stops.emplace_back(offset, RgbOf(r, g, b));
    }
    s->ramp = std::move(ramp);
  } else {
    return;  // the surfaces paint nothing else as a path
  }
  double pad = 1;  // smoothing reaches the pixel beside an edge
  if (stroke) {
    s->width = cairo_get_line_width(cr);
    s->cap = cairo_get_line_cap(cr);
    s->join = cairo_get_line_join(cr);
    if (const int n = cairo_get_dash_count(cr); n > 0) {
      s->dash.resize(static_cast<size_t>(n));
      cairo_get_dash(cr, s->dash.data(), &s->dashOffset);
    }
    // A miter may reach further than half the width; the surfaces draw no sharp miters.
    pad += s->width * (s->join == CAIRO_LINE_JOIN_MITER ? 1.5 : 0.75);
  }
  double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
  for (size_t i = 0; i < s->path.size(); i += static_cast<size_t>(s->path[i].header.length))
    for (int k = 1; k < s->path[i].header.length; ++k) {
      const cairo_path_data_t& p = s->path[i + static_cast<size_t>(k)];
      x0 = std::min(x0, p.point.x);
      y0 = std::min(y0, p.point.y);
      x1 = std::max(x1, p.point.x);
      y1 = std::max(y1, p.point.y);
    }
  s->ink = Cut(recording::Around<ShapeBox>(x0, y0, x1, y1, pad), clip);
  list->shapes.push_back(std::move(s));
}

void KeepPicture(cairo_t* cr, cairo_surface_t* source, double dx, double dy, double scale,
                 std::span<const ShapeBox> shown, const ShapeBox& clip) {
  if (ShapeList* list = ListOf(cairo_get_target(cr))) KeepPicture(*list, source, dx, dy, scale, shown, clip);
}

void KeepPicture(ShapeList& list, cairo_surface_t* source, double dx, double dy, double scale,
                 std::span<const ShapeBox> shown, const ShapeBox& clip) {
  if (shown.empty()) return;
  auto picture = std::make_shared<PicturePaint>();
  if (SharedList* held = Held(source)) {
    if ((*held)->open) {
      // The source may still grow: the picture is of it as it is now.
      auto copy = std::make_shared<ShapeList>(**held);
      copy->open = false;
      picture->shapes = std::move(copy);
    } else {
      picture->shapes = *held;
    }
  } else if (cairo_surface_get_type(source) == CAIRO_SURFACE_TYPE_IMAGE) {
    picture->image = cairo_surface_reference(source);
  } else {
    return;
  }
  picture->dx = dx;
  picture->dy = dy;
  picture->scale = scale;
  auto s = std::make_shared<KeptShape>();
  s->kind = KeptShape::Kind::Picture;
  s->clip = clip;
  ShapeBox ink{0, 0, 0, 0};
  for (const ShapeBox& b : shown) {
    const ShapeBox part = Cut(b, clip);
    if (part.x0 >= part.x1 || part.y0 >= part.y1) continue;
    picture->shown.push_back(part);
    ink = ink.x0 < ink.x1 ? ShapeBox{std::min(ink.x0, part.x0), std::min(ink.y0, part.y0),
                                     std::max(ink.x1, part.x1), std::max(ink.y1, part.y1)}
                          : part;
  }
  if (picture->shown.empty()) return;
  s->ink = ink;
  s->picture = std::move(picture);
  list.shapes.push_back(std::move(s));
}

void KeepText(cairo_t* cr, std::shared_ptr<const GlyphRun> run, uint32_t rgb, const ShapeBox& clip,
              const ShapeBox& ink) {
  ShapeList* list = ListOf(cairo_get_target(cr));
  if (!list) return;
  auto s = std::make_shared<KeptShape>();
  s->kind = KeptShape::Kind::Glyphs;
  s->rgb = rgb;
  s->clip = clip;
  s->ink = Cut(ink, clip);
  s->text = std::move(run);
  list->shapes.push_back(std::move(s));
}

}  // namespace plotara
