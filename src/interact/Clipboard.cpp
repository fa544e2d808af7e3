#include "interact/Clipboard.h"

#include <cstddef>
#include <vector>

namespace plotara {

void CopyToClipboard(Notifier& n, ClipboardService* clipboard, Surface& picture) {
  n.Guard("CopyToClipboard", [&] {
    if (clipboard == nullptr) Raise(err::CantOpenClipboard);
    bool done = false;
    n.CallHost([&] { done = clipboard->Clear(); });
    if (!done) Raise(err::CantOpenClipboard);
    // The host gets pixels of its own: what it calls meanwhile may draw on, resize or free the picture.
    const PictureView shown = picture.Image();
    std::vector<uint32_t> pixels;
    for (int y = 0; y < shown.Height; ++y) {
      const uint32_t* row = shown.Pixels + static_cast<ptrdiff_t>(y) * shown.StridePixels;
      pixels.insert(pixels.end(), row, row + shown.Width);
    }
    const PictureView copy{pixels.data(), shown.Width, shown.Height, shown.Width};
    done = false;
    n.CallHost([&] { done = clipboard->PutPicture(copy); });
    if (!done) Raise(err::CantOpenClipboard);
  });
}

}  // namespace plotara
