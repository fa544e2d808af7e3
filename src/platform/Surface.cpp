#include "platform/Surface.h"

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

float Surface::Convert(float value, ScaleUnit from, ScaleUnit to) const {
  double twips = value;
  if (from == ScaleUnit::Pixels) twips = value * twipsPerPixel_;
  if (from == ScaleUnit::Millimetres) twips = value * kTwipsPerMm;
  switch (to) {
    case ScaleUnit::Twips: return static_cast<float>(twips);
    case ScaleUnit::Pixels: return static_cast<float>(twips / twipsPerPixel_);
    case ScaleUnit::Millimetres: return static_cast<float>(twips / kTwipsPerMm);
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
