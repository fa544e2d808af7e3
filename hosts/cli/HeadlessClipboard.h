// The command-line host's clipboard: it keeps the last picture put on it, so that a script can write it
// to a file (SaveClipboard).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plotara/HostServices.h"

namespace plotara {

class HeadlessClipboard final : public ClipboardService {
 public:
  bool Clear() override;
  bool PutPicture(const PictureView& picture) override;

  bool Empty() const { return width_ == 0; }
  // Writes the kept picture in the format the file name says (PNG, or an SVG or PDF document holding it
  // as an image at its physical size, one pixel twipsPerPixel twips); false when there is none, the
  // name has no picture format or the file cannot be written.
  bool Save(const std::string& path, double twipsPerPixel) const;

 private:
  std::vector<uint32_t> pixels_;  // 0x00RRGGBB, rows packed
  int width_ = 0, height_ = 0;
};

}  // namespace plotara
