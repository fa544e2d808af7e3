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

}  // namespace plotara
