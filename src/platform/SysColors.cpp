#include "platform/SysColors.h"

namespace plotara {

namespace {

// The classic desktop scheme, by system colour index.
constexpr OleColor kClassic[kSysColorCount] = {
    Rgb(212, 208, 200),  // 0 scroll bar
    Rgb(58, 110, 165),   // 1 desktop
    Rgb(10, 36, 106),    // 2 active caption
    Rgb(128, 128, 128),  // 3 inactive caption
    Rgb(212, 208, 200),  // 4 menu
    Rgb(255, 255, 255),  // 5 window
    Rgb(0, 0, 0),        // 6 window frame
    Rgb(0, 0, 0),        // 7 menu text
    Rgb(0, 0, 0),        // 8 window text
    Rgb(255, 255, 255),  // 9 caption text
    Rgb(212, 208, 200),  // 10 active border
    Rgb(212, 208, 200),  // 11 inactive border
    Rgb(128, 128, 128),  // 12 application workspace
    Rgb(10, 36, 106),    // 13 highlight
    Rgb(255, 255, 255),  // 14 highlight text
    Rgb(212, 208, 200),  // 15 button face
    Rgb(128, 128, 128),  // 16 button shadow
    Rgb(128, 128, 128),  // 17 grey text
    Rgb(0, 0, 0),        // 18 button text
    Rgb(212, 208, 200),  // 19 inactive caption text
    Rgb(255, 255, 255),  // 20 button highlight
    Rgb(64, 64, 64),     // 21 3-D dark shadow
    Rgb(212, 208, 200),  // 22 3-D light
    Rgb(0, 0, 0),        // 23 tooltip text
    Rgb(255, 255, 225),  // 24 tooltip background: the plot area and legend default
};

}  // namespace

OleColor GetSysColor(int index) noexcept {
  return index >= 0 && index < kSysColorCount ? kClassic[index] : 0;
}

bool IsSysColor(OleColor c) noexcept {
  const auto u = static_cast<uint32_t>(c);
  return (u & 0xFFFFFF00u) == 0x80000000u && (u & 0xFFu) < kSysColorCount;
}

OleColor ResolveColor(OleColor c) noexcept {
  const auto u = static_cast<uint32_t>(c);
  if (u & 0x80000000u) return IsSysColor(c) ? GetSysColor(static_cast<int>(u & 0xFF)) : 0;
  return static_cast<OleColor>(u & 0x00FFFFFFu);
}

}  // namespace plotara
