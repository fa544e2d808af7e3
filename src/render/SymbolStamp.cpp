#include "render/SymbolStamp.h"

#include <algorithm>
#include <cstdlib>

#include "platform/RuntimeError.h"
#include "render/Symbols.h"

namespace plotara {

bool SymbolStamp::Stampable(int16_t symbol) {
  switch (symbol) {
    case kSymbolCircle:
    case kSymbolSquare:
    case kSymbolDiamond:
    case kSymbolWideRectangle:
    case kSymbolTallRectangle:
      return true;
    // Triangles, plus and cross place their ends from the page position, and text is smoothed.
    default:
      return false;
  }
}

SymbolStamp::SymbolStamp(ErrorReporter& r, const Surface& target, const ItemView& item, int16_t symbol,
                         int16_t size) {
  if (!Stampable(symbol) || target.KeepsShapes()) return;
  const bool exact = target.ExactPixels();
  const double t = target.TwipsPerPixelX();
  const std::unique_ptr<Surface> onWhite = target.MakeCompatible(), onBlack = target.MakeCompatible();
  Surface &a = *onWhite, &b = *onBlack;
  try {
    const GradientSpec& fill = item.Data.DataFill;
    // Room for the widest marker (a rectangle 1.3 times the size) and its edge, with a margin that must
    // stay blank.
    const int half = std::abs(target.PixelX(size * 1.3)) + std::max<int>(1, fill.EdgeThickness) + 3;
    if (half > 2000) return;
    const int side = 2 * half + 1;
    // Drawn over two backgrounds: a pixel of the marker has its colour on both, any other pixel shows the
    // background, and a pixel with neither is blended: on black it shows what the marker adds, on white
    // that and what it leaves of the white, in each channel.
    const OleColor backA = 0x00FFFFFF, backB = 0x00000000;
    for (Surface* s : {&a, &b}) {
      s->Move(0, 0, static_cast<float>(side * t), static_cast<float>(side * t));
      s->BackColor = s == &a ? backA : backB;
      s->Cls();
      const float centre = static_cast<float>(half * t);
      DataPoint(r, *s, item, symbol, centre, centre, size, false, 0, 0);
    }
    auto native = [](OleColor c) {
      return static_cast<uint32_t>(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
    };
    OleColor first = 0;
    bool any = false;
    oneColour_ = true;
    stamp_ = PixelStamp{side, side, -1, -1, {}, {}};
    auto take = [&](int x, int y, int end) {
      if (x == 0 || y == 0 || end == side || y == side - 1) return false;  // larger than the room
      stamp_.x0 = std::min(stamp_.x0, x - half);
      stamp_.y0 = std::min(stamp_.y0, y - half);
      stamp_.x1 = std::max(stamp_.x1, end - half);
      stamp_.y1 = std::max(stamp_.y1, y - half + 1);
      return true;
    };
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side;) {
        const OleColor pa = a.Pixel(x, y), pb = b.Pixel(x, y);
        if (pa == backA && pb == backB) {
          ++x;
          continue;
        }
        if (pa != pb) {
          const uint32_t white = native(pa), black = native(pb);
          uint32_t keep = 0;
          for (int shift = 0; shift < 24; shift += 8) {
            const int w = static_cast<int>((white >> shift) & 0xFF),
                      k = static_cast<int>((black >> shift) & 0xFF);
            if (w < k) return;  // darker over white than over black: not a blend
            keep |= static_cast<uint32_t>(w - k) << shift;
          }
          if (exact || !take(x, y, x + 1)) return;  // an exact surface blends nothing
          stamp_.blends.push_back(
              {static_cast<int16_t>(x - half), static_cast<int16_t>(y - half), black, keep});
          ++x;
          continue;
        }
        int end = x + 1;
        while (end < side && a.Pixel(end, y) == pa && b.Pixel(end, y) == pa) ++end;
        if (!take(x, y, end)) return;
        stamp_.runs.push_back({static_cast<int16_t>(x - half), static_cast<int16_t>(y - half),
                               static_cast<int16_t>(end - x), pa});
        if (any && pa != first) oneColour_ = false;
        first = pa;
        any = true;
        x = end;
      }
    }
    if (stamp_.x0 > stamp_.x1) stamp_.x0 = stamp_.y0 = stamp_.x1 = stamp_.y1 = 0;  // nothing drawn
    ready_ = true;
  } catch (const RuntimeError&) {
    stamp_ = PixelStamp{};
  }
}

}  // namespace plotara
