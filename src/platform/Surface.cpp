#include "platform/Surface.h"

#include <algorithm>
#include <cmath>

namespace plotara {

namespace {
constexpr double kTwipsPerMm = 1440.0 / 25.4;
// Pixel coordinates stay far inside 32 bits; anything beyond lies off every surface anyway.
constexpr double kPixelLimit = 1.0e9;
}  // namespace

int32_t Surface::PixelX(double twips) const {
  const double p = std::clamp(twips / twipsPerPixel_, -kPixelLimit, kPixelLimit);
  return std::isnan(p) ? static_cast<int32_t>(-kPixelLimit) : static_cast<int32_t>(std::nearbyint(p));
}

int32_t Surface::PixelY(double twips) const { return PixelX(twips); }

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
