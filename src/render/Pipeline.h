// The refresh pipeline: the page and every included graph drawn back to front into the back buffer
// GraphImage, the page without the front graph kept in Picture2, and the result shown on Picture1.
#pragma once

#include "control/Control.h"

namespace plotara {

// Redraws everything (WhichIndex negative) or graph WhichIndex alone over the saved background. With
// LegndOnPic1 the graph's legend table is drawn on Picture1 only.
void RefreshGraphs(Control& c, int16_t WhichIndex, bool LegndOnPic1);

}  // namespace plotara
