// VectorSurface: the layers a redraw replaces. A block that covers all of the drawing starts it afresh;
// one that covers part of it drops the layers it covers whole, and a copy over part of the drawing
// becomes a layer of its own. See VectorSurface.h.
#include <cairo.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "surface/RecordingParts.h"
#include "surface/ShapeList.h"
#include "surface/VectorSurface.h"

namespace plotara {

using namespace recording;

VectorSurface::Box4 VectorSurface::Covering(Box4 block) {
  StrokePending();
  block = Intersection(block, clip_);
  if (DrawMode == PenMode::Invert || block.Empty()) return block;
  if (ResolvedRgb(BackColor) == startBack_ && Covers(block, Everything())) {
    Forget();
    return block;
  }
  // What lies wholly under the block is dropped; the first layer, with the back colour, stays.
  const cairo_rectangle_int_t r = RectOf(block);
  for (size_t i = layers_.size(); i-- > 0;) {
    if (cairo_region_contains_rectangle(layers_[i].shown, &r) == CAIRO_REGION_OVERLAP_OUT) continue;
    layers_[i].hidden = true;
    cairo_region_subtract_rectangle(layers_[i].shown, &r);
    Changed();
    if (i > 0 && cairo_region_is_empty(layers_[i].shown)) {
      cairo_surface_destroy(layers_[i].shapes);
      cairo_region_destroy(layers_[i].shown);
      layers_.erase(layers_.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  if (!layers_.empty() && commands_ > 0 && Covers(block, drawn_)) OpenRecording(false);
  return block;
}

VectorSurface::Box4 VectorSurface::Everything() const {
  Box4 all = drawn_;
  for (const Layer& l : layers_) {
    cairo_rectangle_int_t r;
    cairo_region_get_extents(l.shown, &r);
    all = Union(all, Intersection(l.drawn, Box4{r.x, r.y, r.x + r.width, r.y + r.height}));
  }
  return all;
}

void VectorSurface::CloseRecording(const Box4& block) {
  StrokePending();
  // An empty recording over other layers is simply reused.
  if (commands_ == 0 && !layers_.empty()) return;
  Layer l;
  l.commands = commands_;
  l.drawn = drawn_;
  // The first layer shows the back colour everywhere the block leaves.
  const cairo_rectangle_int_t all = RectOf(layers_.empty() ? Box4{0, 0, w_, h_} : drawn_);
  const cairo_rectangle_int_t r = RectOf(block);
  l.shown = cairo_region_create_rectangle(&all);
  l.hidden = cairo_region_contains_rectangle(l.shown, &r) != CAIRO_REGION_OVERLAP_OUT;
  cairo_region_subtract_rectangle(l.shown, &r);
  if (!layers_.empty() && cairo_region_is_empty(l.shown)) {
    cairo_region_destroy(l.shown);
  } else {
    l.shapes = cairo_surface_reference(rec_);
    layers_.push_back(l);
  }
  OpenRecording(false);
}

void VectorSurface::ShowPictureIn(const Box4& block) {
  if (!layers_.empty()) {
    CloseRecording(block);
    const cairo_rectangle_int_t r = RectOf(block);
    cairo_region_union_rectangle(layers_[0].shown, &r);
    Changed();
  }
  Touch(block.x0, block.y0, block.x1, block.y1);
}

void VectorSurface::SplitIfCopied() {
  if (!splitNext_) return;
  splitNext_ = false;
  if (commands_ > 0) CloseRecording({});
}

void VectorSurface::CopyLayer(cairo_surface_t* source, int dx, int dy, const Box4& block) {
  StrokePending();
  // A copy of the same source to the same place as the layer under an empty recording joins it: a
  // legend dragged about restores the page from one source.
  const bool join = commands_ == 0 && !layers_.empty() && layers_.back().copy &&
                    layers_.back().shapes == source && layers_.back().dx == dx && layers_.back().dy == dy &&
                    layers_.back().scale == 1;
  CloseRecording(block);
  const cairo_rectangle_int_t r = RectOf(block);
  if (join) {
    cairo_region_union_rectangle(layers_.back().shown, &r);
    layers_.back().drawn = Union(layers_.back().drawn, block);
  } else {
    Layer l;
    l.shapes = cairo_surface_reference(source);
    l.copy = true;
    l.dx = dx;
    l.dy = dy;
    l.shown = cairo_region_create_rectangle(&r);
    l.commands = 1;
    l.drawn = block;
    layers_.push_back(l);
  }
  Touch(block.x0, block.y0, block.x1, block.y1);
  Changed();
  BoundLayers();
}

void VectorSurface::BoundLayers() {
  while (layers_.size() > kMaxLayers) {
    // Two layers that nothing covers become one recording: nothing hidden piles up that way. Else two
    // neighbours become a picture of what shows where they show. The first layer, with the back
    // colour, stays.
    size_t lo = 0;
    for (size_t i = 1; i + 1 < layers_.size() && lo == 0; ++i)
      if (!layers_[i].hidden && !layers_[i + 1].hidden) lo = i;
    if (lo != 0) {
      MergeLayers(lo, false);
      continue;
    }
    // The two neighbours that show in the smallest box: the picture stays small.
    size_t best = 1;
    double least = 0;
    for (size_t i = 1; i + 1 < layers_.size(); ++i) {
      cairo_rectangle_int_t a, b;
      cairo_region_get_extents(layers_[i].shown, &a);
      cairo_region_get_extents(layers_[i + 1].shown, &b);
      const double area = (std::max(a.x + a.width, b.x + b.width) - std::min(a.x, b.x)) *
                          static_cast<double>(std::max(a.y + a.height, b.y + b.height) - std::min(a.y, b.y));
      if (i == 1 || area < least) {
        least = area;
        best = i;
      }
    }
    MergeLayers(best, true);
  }
}

void VectorSurface::MergeLayers(size_t lo, bool picture) {
  const size_t hi = lo + 1;
  cairo_region_t* shown = cairo_region_copy(layers_[lo].shown);
  cairo_region_union(shown, layers_[hi].shown);
  cairo_rectangle_int_t b;
  cairo_region_get_extents(shown, &b);
  Layer l;
  l.shown = shown;
  if (picture) {
    // A document gets the picture at twice its pixels where that stays small.
    const double scale = static_cast<double>(b.width) * b.height <= (1 << 20) ? 2.0 : 1.0;
    l.shapes = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(1, static_cast<int>(b.width * scale)),
                                          std::max(1, static_cast<int>(b.height * scale)));
    cairo_t* cr = cairo_create(l.shapes);
    cairo_scale(cr, scale, scale);
    cairo_translate(cr, -b.x, -b.y);
    for (size_t i = 0; i <= hi; ++i) PaintLayer(cr, layers_[i]);
    cairo_destroy(cr);
    l.copy = true;
    l.dx = b.x;
    l.dy = b.y;
    l.scale = scale;
    l.commands = 1;
    l.drawn = {b.x, b.y, b.x + b.width, b.y + b.height};
  } else {
    l.shapes = NewListedRecording(w_, h_);
    cairo_t* cr = cairo_create(l.shapes);
    PaintLayer(cr, layers_[lo]);
    PaintLayer(cr, layers_[hi]);
    cairo_destroy(cr);
    l.commands = layers_[lo].commands + layers_[hi].commands;
    l.drawn = Union(layers_[lo].drawn, layers_[hi].drawn);
  }
  for (size_t i : {hi, lo}) {
    cairo_surface_destroy(layers_[i].shapes);
    cairo_region_destroy(layers_[i].shown);
  }
  layers_[lo] = l;
  layers_.erase(layers_.begin() + static_cast<std::ptrdiff_t>(hi));
  // The layers under an opaque picture no longer show there.
  for (size_t i = lo; picture && i-- > 0;) {
    cairo_region_subtract(layers_[i].shown, shown);
    if (i > 0 && cairo_region_is_empty(layers_[i].shown)) {
      cairo_surface_destroy(layers_[i].shapes);
      cairo_region_destroy(layers_[i].shown);
      layers_.erase(layers_.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  Changed();
}

void VectorSurface::PaintLayer(cairo_t* cr, const Layer& layer) const {
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(layer.shapes);
  if (layer.copy) {
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, layer.scale, layer.scale);
    cairo_matrix_translate(&m, -layer.dx, -layer.dy);
    cairo_pattern_set_matrix(pattern, &m);
    cairo_pattern_set_filter(pattern, layer.scale == 1 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  }
  cairo_set_source(cr, pattern);
  KeepPicture(cr, layer.shapes, layer.dx, layer.dy, layer.scale, ShownBoxes(layer), {0, 0, w_, h_});
  // Only what shows is painted, so that nothing covered (text above all) reaches a document. Filled
  // rectangles rather than a clip: document writers may drop a clip they think covers the page.
  for (int i = 0, n = cairo_region_num_rectangles(layer.shown); i < n; ++i) {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(layer.shown, i, &r);
    cairo_rectangle(cr, r.x, r.y, r.width, r.height);
  }
  cairo_fill(cr);
  cairo_pattern_destroy(pattern);
}

std::vector<ShapeBox> VectorSurface::ShownBoxes(const Layer& layer) {
  std::vector<ShapeBox> shown;
  for (int i = 0, n = cairo_region_num_rectangles(layer.shown); i < n; ++i) {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(layer.shown, i, &r);
    shown.push_back({r.x, r.y, r.x + r.width, r.y + r.height});
  }
  return shown;
}

void VectorSurface::KeepAll(ShapeList& into) {
  StrokePending();
  const ShapeBox all{0, 0, w_, h_};
  for (const Layer& l : layers_) KeepPicture(into, l.shapes, l.dx, l.dy, l.scale, ShownBoxes(l), all);
  KeepPicture(into, rec_, 0, 0, 1, {&all, 1}, all);
}

void VectorSurface::PaintAll(cairo_t* cr) {
  StrokePending();
  for (const Layer& l : layers_) PaintLayer(cr, l);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  const ShapeBox all{0, 0, w_, h_};
  KeepPicture(cr, rec_, 0, 0, 1, {&all, 1}, all);
  cairo_set_source_surface(cr, rec_, 0, 0);
  cairo_paint(cr);
}

void VectorSurface::DropLayers() {
  for (Layer& l : layers_) {
    cairo_surface_destroy(l.shapes);
    cairo_region_destroy(l.shown);
  }
  layers_.clear();
  Changed();
}

int64_t VectorSurface::Commands() const {
  int64_t n = commands_;
  for (const Layer& l : layers_) n += l.commands;
  return n;
}

}  // namespace plotara
