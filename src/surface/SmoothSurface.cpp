#include "surface/SmoothSurface.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace plotara {

std::unique_ptr<Surface> SmoothSurface::MakeCompatible() const {
  return std::make_unique<SmoothSurface>(Dpi());
}

void SmoothSurface::PainterLine(int x1, int y1, int x2, int y2, uint32_t rgb, int width, bool dotted,
                                bool exact) {
  painter_.Line(x1, y1, x2, y2, rgb, width, dotted, exact);
  ShapesPending(painter_.LinePending());
}

void SmoothSurface::DrawLine(float x1, float y1, float x2, float y2, OleColor color) {
  if (Inverting()) {
    CairoSurface::DrawLine(x1, y1, x2, y2, color);
    return;
  }
  PainterLine(PixelX(x1), PixelY(y1), PixelX(x2), PixelY(y2), ResolvedRgb(color), std::max(1, DrawWidth),
              DrawStyle == LineKind::Dot, false);
  CurrentX = x2;
  CurrentY = y2;
}

void SmoothSurface::LineTo(int x, int y) {
  if (Inverting()) {
    CairoSurface::LineTo(x, y);
    return;
  }
  const Pen pen = CurrentPen();
  PixelPoint& at = PenPosition();
  // A selected pen paints gradients, which are made of lines a pixel apart.
  PainterLine(at.x, at.y, x, y, ResolvedRgb(pen.color), pen.width,
              !PenSelected() && DrawStyle == LineKind::Dot, PenSelected());
  at = {x, y};
}

void SmoothSurface::DrawCircle(float x, float y, float radius, OleColor color) {
  if (Inverting()) {
    CairoSurface::DrawCircle(x, y, radius, color);
    return;
  }
  std::optional<uint32_t> fill;
  if (FillStyle == FillKind::Solid) fill = ResolvedRgb(FillColor);
  painter_.Circle(PixelX(x), PixelY(y), std::abs(PixelX(radius)), std::max(1, DrawWidth), fill,
                  ResolvedRgb(color));
  CurrentX = x;
  CurrentY = y;
}

void SmoothSurface::PSet(float x, float y, OleColor color) {
  if (Inverting()) {
    CairoSurface::PSet(x, y, color);
    return;
  }
  painter_.Dot(PixelX(x), PixelY(y), std::max(1, DrawWidth), ResolvedRgb(color));
  CurrentX = x;
  CurrentY = y;
}

void SmoothSurface::Polygon(std::span<const PixelPoint> points) {
  if (Inverting()) {
    CairoSurface::Polygon(points);
    return;
  }
  const Pen pen = CurrentPen();
  std::optional<uint32_t> fill;
  if (FillStyle == FillKind::Solid) fill = ResolvedRgb(FillColor);
  painter_.Polygon(points, fill, ResolvedRgb(pen.color), pen.width, PenSelected());
}

bool SmoothSurface::FillRamp(double x0, double y0, double x1, double y1, std::span<const OleColor> colours) {
  if (colours.size() < 2 || Inverting()) return false;
  std::vector<uint32_t> rgb(colours.size());
  std::transform(colours.begin(), colours.end(), rgb.begin(), [&](OleColor c) { return ResolvedRgb(c); });
  painter_.Ramp(x0, y0, x1, y1, rgb, {0, 0, PixelWidth(), PixelHeight()});
  return true;
}

bool SmoothSurface::BeginShape(uint32_t rgb, bool exact, const ShapeBox& extent) {
  Reach(extent.x0, extent.y0, extent.x1, extent.y1);
  BeginCairo();
  cairo_t* cr = Context();
  cairo_new_path(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
  cairo_set_antialias(cr, exact ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_DEFAULT);
  return true;
}

void SmoothSurface::StrokePath(std::span<const PixelPoint> points, uint32_t rgb, int width, bool roundEnds) {
  if (roundEnds) {
    const PictureView pixels = BeginWritePixels();
    const Box4& clip = Clip();
    trace_.Draw(
        points, width, rgb,
        {const_cast<uint32_t*>(pixels.Pixels), pixels.StridePixels, clip.x0, clip.y0, clip.x1, clip.y1});
    return;
  }
  cairo_t* cr = Context();
  cairo_new_path(cr);
  for (const PixelPoint& p : points) cairo_line_to(cr, p.x + 0.5, p.y + 0.5);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
  cairo_stroke(cr);
}

void SmoothSurface::FillBox(const ShapeBox& b, uint32_t rgb) {
  Reach(b.x0, b.y0, b.x1, b.y1);
  FillRect(b.x0, b.y0, b.x1, b.y1, rgb);
}

}  // namespace plotara
