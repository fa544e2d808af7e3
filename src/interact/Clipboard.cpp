#include "interact/Clipboard.h"

namespace plotara {

void CopyToClipboard(Control& c) {
  c.Guard("CopyToClipboard", [&] {
    if (c.Clipboard == nullptr || !c.Clipboard->Clear()) Raise(err::CantOpenClipboard);
    if (!c.Clipboard->PutPicture(c.Picture1->Image())) Raise(err::CantOpenClipboard);
  });
}

}  // namespace plotara
