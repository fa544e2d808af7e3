// What the mouse, the scroll bars and the read-out work with: the drawing view and the mouse session. A
// view of parts the control owns.
#pragma once

#include "interact/MouseSession.h"
#include "model/Control.h"
#include "render/Drawing.h"

namespace plotara {

struct Interaction : Drawing {
  MouseSession& Mouse;
};

// The interaction view of a control, made on first use with its mouse session.
Interaction& InteractionOf(Control& c);

}  // namespace plotara
