#include "surface/Surface.h"

#include <algorithm>
#include <cmath>

#include "platform/Units.h"

namespace plotara {

namespace {
constexpr double kPixelLimit = 1.0e9;
}  // namespace

int32_t Surface::PixelX(double twips, Rounding rounding) const {
  const double p = std::clamp(twips / twipsPerPixel_, -kPixelLimit, kPixelLimit);
  if (std::isnan(p)) return static_cast<int32_t>(-kPixelLimit);
  return static_cast<int32_t>(rounding == Rounding::Nearest ? std::nearbyint(p) : std::trunc(p));
}

void Surface::ClsAround(int x0, int y0, int x1, int y1) {
  if (x0 <= 0 && y0 <= 0 && x1 >= PixelWidth() && y1 >= PixelHeight()) {
    CurrentX = 0;  // nothing of the cleared picture would show
    CurrentY = 0;
  } else {
    Cls();
  }
}

void Surface::Touch(int64_t x0, int64_t y0, int64_t x1, int64_t y1) noexcept {
  dirtyX0_ = std::min(dirtyX0_, x0);
  dirtyY0_ = std::min(dirtyY0_, y0);
  dirtyX1_ = std::max(dirtyX1_, x1);
  dirtyY1_ = std::max(dirtyY1_, y1);
}

void Surface::Refresh() {
  const int64_t x0 = std::max<int64_t>(dirtyX0_, 0), y0 = std::max<int64_t>(dirtyY0_, 0);
  const int64_t x1 = std::min<int64_t>(dirtyX1_, PixelWidth()),
                y1 = std::min<int64_t>(dirtyY1_, PixelHeight());
  dirtyX0_ = dirtyY0_ = INT64_MAX;
  dirtyX1_ = dirtyY1_ = INT64_MIN;
  if (x0 >= x1 || y0 >= y1 || !onRefresh_) return;
  onRefresh_(PixelRect{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                       static_cast<int>(y1 - y0)});
}

float Surface::Convert(float value, ScaleUnit from, ScaleUnit to) const {
  double twips = value;
  if (from == ScaleUnit::Pixels) twips = value * twipsPerPixel_;
  if (from == ScaleUnit::Millimetres) twips = value * kTwipsPerMm;
  switch (to) {
    case ScaleUnit::Twips:
      return static_cast<float>(twips);
    case ScaleUnit::Pixels:
      return static_cast<float>(twips / twipsPerPixel_);
    case ScaleUnit::Millimetres:
      return static_cast<float>(twips / kTwipsPerMm);
  }
  return value;
}

void Surface::PaintRuns(int x, int y, std::span<const PixelRun> runs) {
  const double t = twipsPerPixel_;
  for (const PixelRun& r : runs) {
    const double left = (x + r.dx) * t, top = (y + r.dy) * t;
    FilledBox(static_cast<float>(left), static_cast<float>(top), static_cast<float>(left + r.length * t),
              static_cast<float>(top + t), r.color);
  }
}

}  // namespace plotara
