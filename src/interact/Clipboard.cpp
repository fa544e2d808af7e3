#include "interact/Clipboard.h"

namespace plotara {

void CopyToClipboard(ErrorReporter& r, ClipboardService* clipboard, Surface& picture) {
  Guarded(r, "CopyToClipboard", [&] {
    if (clipboard == nullptr || !clipboard->Clear()) Raise(err::CantOpenClipboard);
    if (!clipboard->PutPicture(picture.Image())) Raise(err::CantOpenClipboard);
  });
}

}  // namespace plotara
