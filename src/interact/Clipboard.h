// Copying the picture to the host's clipboard.
#pragma once

#include "model/Notifier.h"
#include "plotara/HostServices.h"
#include "surface/Surface.h"

namespace plotara {

// Empties the clipboard (the host's, or none), then puts the picture on it as the last drawing left it (no
// redraw first). Without a clipboard, or when it cannot be had or refuses the picture, the failure is
// reported as CopyToClipboard (error 521), and a clipboard already emptied stays empty.
void CopyToClipboard(Notifier& n, ClipboardService* clipboard, Surface& picture);

}  // namespace plotara
