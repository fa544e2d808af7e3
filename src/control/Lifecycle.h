// The control's life: laying out its child elements when the host resizes it.
#pragma once

#include "control/Control.h"

namespace plotara {

// Lays out the child elements for a client area of width x height twips (and redraws once the current
// graph has been drawn).
void UserControl_Resize(Control& c, float width, float height);

}  // namespace plotara
