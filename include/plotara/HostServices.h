// The services a host offers the control, each behind a small interface. The control owns none of them:
// a host that has no such service leaves it unset, and the method that needs it reports the failure
// through ErrorMsg.
#pragma once

#include "plotara/ChildElements.h"

namespace plotara {

// The system clipboard, as CopyToClipboard uses it: first emptied, then given the picture.
class ClipboardService {
 public:
  virtual ~ClipboardService() = default;
  // Empties the clipboard; false when it cannot be had (another program holds it).
  virtual bool Clear() = 0;
  // Puts a picture on the clipboard (the pixels are valid only during the call); false on failure.
  virtual bool PutPicture(const PictureView& picture) = 0;
};

}  // namespace plotara
