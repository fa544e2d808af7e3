// VectorSurface: circles drawn again and again (the symbols of a data set), each recorded once with the
// shape painter's own geometry and painted at every place.
#include <cairo.h>

#include <optional>

#include "surface/ShapeList.h"
#include "surface/ShapePainter.h"
#include "surface/VectorSurface.h"

namespace plotara {

namespace {

// The painter's canvas on a mark's recording: no clip but the recording's square, every shape kept.
class MarkCanvas final : public ShapeCanvas {
 public:
  MarkCanvas(cairo_surface_t* rec, int size) : cr_(cairo_create(rec)), size_(size) {
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
  }
  ~MarkCanvas() override { cairo_destroy(cr_); }
  MarkCanvas(const MarkCanvas&) = delete;
  MarkCanvas& operator=(const MarkCanvas&) = delete;

  cairo_t* Cairo() override { return cr_; }
  ShapeBox ClipBox() const override { return {0, 0, size_, size_}; }
  bool BeginShape(uint32_t rgb, bool exact, const ShapeBox&) override {
    cairo_new_path(cr_);
    cairo_set_source_rgb(cr_, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                         (rgb & 0xFF) / 255.0);
    cairo_set_antialias(cr_, exact ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_DEFAULT);
    return true;
  }
  void ExtendShape(const ShapeBox&) override {}
  void FillBox(const ShapeBox& b, uint32_t rgb) override {
    BeginShape(rgb, true, b);
    cairo_rectangle(cr_, b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0);
    Paint(false);
  }
  void StrokePath(std::span<const PixelPoint> points, uint32_t, int width, bool roundEnds) override {
    ShapePainter::TracePath(cr_, points, width, roundEnds);
    Paint(true);
  }
  void Paint(bool stroke) override {
    KeepPath(cr_, stroke, ClipBox());
    stroke ? cairo_stroke(cr_) : cairo_fill(cr_);
  }

 private:
  cairo_t* cr_;
  int size_;
};

// More marks than this in one surface (colours that change from point to point) start the set afresh.
constexpr size_t kMaxMarks = 256;

}  // namespace

cairo_surface_t* VectorSurface::CircleMark(const MarkKey& key) {
  if (const auto found = marks_.find(key); found != marks_.end()) return found->second;
  if (marks_.size() >= kMaxMarks) {
    // The recordings that painted them hold their own references.
    for (auto& [k, mark] : marks_) cairo_surface_destroy(mark);
    marks_.clear();
  }
  const int reach = key.r + key.width + 1, size = 2 * reach + 1;
  cairo_surface_t* mark = NewListedRecording(size, size);
  {
    MarkCanvas canvas(mark, size);
    std::optional<uint32_t> fill;
    if (key.fill >= 0) fill = static_cast<uint32_t>(key.fill);
    ShapePainter(canvas).Circle(reach, reach, key.r, key.width, fill, key.rgb);
  }
  marks_.emplace(key, mark);
  return mark;
}

}  // namespace plotara
