#include "render/Drawing.h"

namespace plotara {

struct DrawingParts {
  explicit DrawingParts(Control& c)
      : Tools(c), View{c,     c,    *c.GraphImage, *c.Picture1, *c.Picture2, *c.ScratchPic1, *c.ScratchPic2,
                       Tools, Front} {}
  Painters Tools;
  ShownFront Front;
  Drawing View;
};

Drawing& DrawingOf(Control& c) {
  if (!c.DrawingStore)
    c.DrawingStore = OwnedLater<DrawingParts>(new DrawingParts(c), [](DrawingParts* p) { delete p; });
  return c.DrawingStore->View;
}

}  // namespace plotara
