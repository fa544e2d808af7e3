// The mouse over Picture1: presses, moves and releases, as a host reports them. Coordinates are in
// surface units (twips); button 1 is the left, 2 the right one (0 none); shift 0 none, 1 Shift, 2 Ctrl.
// Other combinations (Shift with Ctrl) make no gesture.
#pragma once

#include "interact/Interaction.h"

namespace plotara {

void Picture1_MouseDown(Interaction& ui, int16_t button, int16_t shift, float x, float y);
void Picture1_MouseMove(Interaction& ui, int16_t button, int16_t shift, float x, float y);
void Picture1_MouseUp(Interaction& ui, int16_t button, int16_t shift, float x, float y);

}  // namespace plotara
