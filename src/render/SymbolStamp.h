// A data set's marker rasterised once and copied for each of its points.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ErrorGuard.h"
#include "render/ItemView.h"
#include "surface/Surface.h"

namespace plotara {

class SymbolStamp {
 public:
  // Rasterises a data set's marker `symbol` about a centre pixel, when its pixels depend only on that pixel
  // (circles, squares, rectangles, diamonds), the target surface rasterises exactly and every pixel of the
  // marker is opaque; otherwise the stamp is not Ready and the points are drawn one by one.
  SymbolStamp(ErrorReporter& r, const Surface& target, const ItemView& item, int16_t symbol, int16_t size);

  bool Ready() const { return ready_; }
  // True when every pixel of the marker has one colour: then stamping it again where it already was
  // changes nothing, whatever was stamped in between.
  bool OneColour() const { return oneColour_; }
  // Paints the marker centred on pixel (x, y), within the surface's clip rectangle.
  void Paint(Surface& s, int x, int y) const { s.PaintRuns(x, y, runs_); }

  // Whether the marker kind is drawn from its centre pixel alone.
  static bool Stampable(int16_t symbol);

 private:
  std::vector<PixelRun> runs_;
  bool ready_ = false, oneColour_ = false;
};

}  // namespace plotara
