// A data set's marker rasterised once and copied for each of its points.
#pragma once

#include <cstdint>

#include "platform/ErrorGuard.h"
#include "render/ItemView.h"
#include "surface/Surface.h"

namespace plotara {

class SymbolStamp {
 public:
  // Rasterises a data set's marker `symbol` about a centre pixel, when its pixels depend only on that
  // pixel (circles, squares, rectangles, diamonds) and the target surface holds pixels. On a surface that
  // rasterises exactly every pixel of the marker must be opaque; on a smoothing one the edge pixels are
  // kept with how they blend with what lies under them. Otherwise the stamp is not Ready and the points
  // are drawn one by one.
  SymbolStamp(ErrorReporter& r, const Surface& target, const ItemView& item, int16_t symbol, int16_t size);

  bool Ready() const { return ready_; }
  // True when the marker has no blended pixel: stamping it again where it was just stamped changes
  // nothing.
  bool Opaque() const { return stamp_.blends.empty(); }
  // True when, moreover, every pixel of the marker has one colour: then stamping it again where it
  // already was changes nothing, whatever was stamped in between.
  bool OneColour() const { return oneColour_ && Opaque(); }
  // Paints the marker centred on pixel (x, y), within the surface's clip rectangle.
  void Paint(Surface& s, int x, int y) const { s.PaintStamp(x, y, stamp_); }

  // Whether the marker kind is drawn from its centre pixel alone.
  static bool Stampable(int16_t symbol);

 private:
  PixelStamp stamp_;
  bool ready_ = false, oneColour_ = false;
};

}  // namespace plotara
