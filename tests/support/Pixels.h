// Helpers for tests that look at pixels.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>

#include "surface/Surface.h"

namespace plotara::test {

inline constexpr OleColor kWhite = 0x00FFFFFF;

// Counts the pixels of a rectangle [x0, x1) x [y0, y1) that have the colour.
inline int CountColor(Surface& s, int x0, int y0, int x1, int y1, OleColor color) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += s.Pixel(x, y) == color;
  return n;
}

// Counts the pixels of s that differ from expected's pixel at (x + dx, y + dy), leaving out those of s in
// the box [skip.x0, skip.x1) x [skip.y0, skip.y1).
struct SkipBox {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
inline int CountDifferences(Surface& s, Surface& expected, int dx = 0, int dy = 0, SkipBox skip = {}) {
  int n = 0;
  for (int y = 0; y < s.PixelHeight(); ++y)
    for (int x = 0; x < s.PixelWidth(); ++x) {
      const bool skipped = x >= skip.x0 && x < skip.x1 && y >= skip.y0 && y < skip.y1;
      n += !skipped && s.Pixel(x, y) != expected.Pixel(x + dx, y + dy);
    }
  return n;
}

// How far two surfaces of one size differ: the largest difference in a channel of a pixel, and the number
// of pixels differing by more than a tolerance in some channel.
struct ChannelDifference {
  int worst = 0, beyond = 0;
};
inline ChannelDifference CompareChannels(Surface& a, Surface& b, int tolerance) {
  ChannelDifference d;
  for (int y = 0; y < a.PixelHeight(); ++y)
    for (int x = 0; x < a.PixelWidth(); ++x) {
      const OleColor p = a.Pixel(x, y), q = b.Pixel(x, y);
      int most = 0;
      for (int shift = 0; shift < 24; shift += 8)
        most = std::max(
            most, std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)));
      d.worst = std::max(d.worst, most);
      d.beyond += most > tolerance;
    }
  return d;
}

// The bounding box of all pixels that are not the background colour; empty (x0 > x1) when none.
struct InkBox {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
  bool Empty() const { return x1 < x0; }
};

inline InkBox FindInk(Surface& s, OleColor background = kWhite) {
  InkBox b;
  for (int y = 0; y < s.PixelHeight(); ++y)
    for (int x = 0; x < s.PixelWidth(); ++x)
      if (s.Pixel(x, y) != background) {
        b.x0 = std::min(b.x0, x);
        b.y0 = std::min(b.y0, y);
        b.x1 = std::max(b.x1, x);
        b.y1 = std::max(b.y1, y);
      }
  return b;
}

}  // namespace plotara::test
