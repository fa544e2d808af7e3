// What the mouse, the scroll bars and the read-out work with: the drawing view and the mouse session. A
// view of parts the control owns.
#pragma once

#include "interact/MouseSession.h"
#include "render/Drawing.h"

namespace plotara {

struct Interaction : Drawing {
  MouseSession& Mouse;
};

}  // namespace plotara
