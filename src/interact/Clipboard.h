// Copying the picture to the host's clipboard.
#pragma once

#include "model/Control.h"

namespace plotara {

// Empties the clipboard, then puts the picture of Picture1 on it as the last drawing left it (no redraw
// first). Without a clipboard, or when it cannot be had or refuses the picture, the failure is reported
// as CopyToClipboard (error 521), and a clipboard already emptied stays empty.
void CopyToClipboard(Control& c);

}  // namespace plotara
