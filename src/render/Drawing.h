// What the drawing routines work with: the records they lay out and draw, the way out for events and
// errors, the control's five surfaces and the painters. A view of parts the control owns.
#pragma once

#include "model/Notifier.h"
#include "model/Records.h"
#include "render/Painters.h"
#include "surface/Surface.h"

namespace plotara {

// What Picture1's picture holds over the page saved in Picture2: graph Graph, drawn last within Area
// (pixels); Graph -1 when it holds something else.
struct ShownFront {
  int16_t Graph = -1;
  PixelRect Area;
};

struct Drawing {
  ControlState& State;
  Notifier& Notify;
  Surface& GraphImage;   // back buffer
  Surface& Picture1;     // the visible surface
  Surface& Picture2;     // the page without the front graph
  Surface& ScratchPic1;  // scratch surfaces
  Surface& ScratchPic2;
  Painters& Tools;
  ShownFront& Front;
};

}  // namespace plotara
