// Colours of the control: OleColor values 0x00BBGGRR, or system colours 0x800000nn whose low byte is
// the platform's system colour index. System colours resolve through a table of the classic desktop
// defaults, so pictures come out the same on every machine.
#pragma once

#include <cstdint>

namespace plotara {

using OleColor = int32_t;

inline constexpr int kSysColorCount = 25;

// The classic default colour (0x00BBGGRR) of a system colour index 0..24; black for other indices.
OleColor GetSysColor(int index) noexcept;

// True for a system colour reference 0x800000nn with nn below 25.
bool IsSysColor(OleColor c) noexcept;

// The plain 0x00BBGGRR colour an OleColor stands for. Other values with the high bit set (for example
// -1) are not colours; they resolve to black rather than to garbage.
OleColor ResolveColor(OleColor c) noexcept;

inline constexpr int RedOf(OleColor c) {
  return c & 0xFF;
}
inline constexpr int GreenOf(OleColor c) {
  return (c >> 8) & 0xFF;
}
inline constexpr int BlueOf(OleColor c) {
  return (c >> 16) & 0xFF;
}
inline constexpr OleColor Rgb(int r, int g, int b) {
  return r | (g << 8) | (b << 16);
}

// The colour an OleColor stands for as 0x00RRGGBB, the order the drawing backends take.
inline uint32_t ResolvedRgb(OleColor c) noexcept {
  const OleColor r = ResolveColor(c);
  return static_cast<uint32_t>((RedOf(r) << 16) | (GreenOf(r) << 8) | BlueOf(r));
}

}  // namespace plotara
