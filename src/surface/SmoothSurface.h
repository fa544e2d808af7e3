// The smoothed picture: a raster surface whose lines, circles, wide points, polygons and ramps are drawn
// with cairo's smoothing (ShapePainter, the shapes of the documents), straight into its pixels as they
// come; a line path, the trace of a round pen, is rasterised by PenTrace. Boxes and fills cover whole
// pixels, where smoothing changes nothing, and text is smoothed anyway (turned text is placed as the
// documents place it): those, copies and the picture are the raster surface's own. The inverting draw
// mode stays exact, so that an aid drawn twice restores every pixel.
#pragma once

#include <memory>
#include <span>

#include "surface/CairoSurface.h"
#include "surface/PenTrace.h"
#include "surface/ShapePainter.h"

namespace plotara {

class SmoothSurface final : public CairoSurface, private ShapeCanvas {
 public:
  explicit SmoothSurface(double dpi = 96.0) : CairoSurface(dpi, true) {}

  std::unique_ptr<Surface> MakeCompatible() const override;

  void PSet(float x, float y, OleColor color) override;
  void LineTo(int x, int y) override;
  void Polygon(std::span<const PixelPoint> points) override;
  bool ExactPixels() const override { return false; }
  bool JoinsLines() const override { return true; }
  bool FillRamp(double x0, double y0, double x1, double y1, std::span<const OleColor> colours) override;

 protected:
  void DrawLine(float x1, float y1, float x2, float y2, OleColor color) override;
  void DrawCircle(float x, float y, float radius, OleColor color) override;
  void FinishShapes() override { painter_.FinishLine(); }

 private:
  void PainterLine(int x1, int y1, int x2, int y2, uint32_t rgb, int width, bool dotted, bool exact);

  // ShapeCanvas
  cairo_t* Cairo() override { return Context(); }
  ShapeBox ClipBox() const override { return {Clip().x0, Clip().y0, Clip().x1, Clip().y1}; }
  bool BeginShape(uint32_t rgb, bool exact, const ShapeBox& extent) override;
  void ExtendShape(const ShapeBox& extent) override { Reach(extent.x0, extent.y0, extent.x1, extent.y1); }
  void FillBox(const ShapeBox& b, uint32_t rgb) override;
  void StrokePath(std::span<const PixelPoint> points, uint32_t rgb, int width, bool roundEnds) override;

  ShapePainter painter_{*this};
  PenTrace trace_;
};

}  // namespace plotara
