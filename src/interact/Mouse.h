// The mouse over Picture1: presses, moves and releases, as a host reports them. Coordinates are in
// surface units (twips); button 1 is the left, 2 the right one (0 none); shift 0 none, 1 Shift, 2 Ctrl.
// Other combinations (Shift with Ctrl) make no gesture.
#pragma once

#include "model/Control.h"

namespace plotara {

void Picture1_MouseDown(Control& c, int16_t button, int16_t shift, float x, float y);
void Picture1_MouseMove(Control& c, int16_t button, int16_t shift, float x, float y);
void Picture1_MouseUp(Control& c, int16_t button, int16_t shift, float x, float y);

}  // namespace plotara
