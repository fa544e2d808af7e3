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
  if (!Stampable(symbol) || !target.ExactPixels()) return;
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
    // background, and a pixel with neither is blended.
    const OleColor backA = 0x00FFFFFF, backB = 0x00000000;
    for (Surface* s : {&a, &b}) {
      s->Move(0, 0, static_cast<float>(side * t), static_cast<float>(side * t));
      s->BackColor = s == &a ? backA : backB;
      s->Cls();
      const float centre = static_cast<float>(half * t);
      DataPoint(r, *s, item, symbol, centre, centre, size, false, 0, 0);
    }
    OleColor first = 0;
    bool any = false;
    oneColour_ = true;
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side;) {
        const OleColor pa = a.Pixel(x, y), pb = b.Pixel(x, y);
        if (pa != pb) {
          if (pa != backA || pb != backB) return;  // blended
          ++x;
          continue;
        }
        if (x == 0 || y == 0 || x == side - 1 || y == side - 1) return;  // larger than the room
        int end = x + 1;
        while (end < side && a.Pixel(end, y) == pa && b.Pixel(end, y) == pa) ++end;
        runs_.push_back({static_cast<int16_t>(x - half), static_cast<int16_t>(y - half),
                         static_cast<int16_t>(end - x), pa});
        if (any && pa != first) oneColour_ = false;
        first = pa;
        any = true;
        x = end;
      }
    }
    ready_ = true;
  } catch (const RuntimeError&) {
    runs_.clear();
  }
}

}  // namespace plotara
