// The units of the page: twips (1/1440 inch) are the surface units every position and length is given
// in; a pixel is 1440 / dpi twips, 15 at the default 96 dots per inch.
#pragma once

namespace plotara {

inline constexpr double kTwipsPerInch = 1440;
inline constexpr double kDefaultDpi = 96;
inline constexpr double kTwipsPerMm = kTwipsPerInch / 25.4;

inline constexpr double TwipsPerPixel(double dpi) {
  return kTwipsPerInch / dpi;
}

}  // namespace plotara
