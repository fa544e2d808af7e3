#include "hosts/cli/HeadlessClipboard.h"

#include <algorithm>
#include <cstddef>

#include "platform/RuntimeError.h"
#include "surface/ImageFile.h"

namespace plotara {

bool HeadlessClipboard::Clear() {
  pixels_.clear();
  width_ = height_ = 0;
  return true;
}

bool HeadlessClipboard::PutPicture(const PictureView& picture) {
  if (picture.Pixels == nullptr || picture.Width <= 0 || picture.Height <= 0) return false;
  pixels_.resize(static_cast<size_t>(picture.Width) * picture.Height);
  for (int y = 0; y < picture.Height; ++y) {
    const uint32_t* row = picture.Pixels + static_cast<size_t>(y) * picture.StridePixels;
    std::copy(row, row + picture.Width, pixels_.begin() + static_cast<std::ptrdiff_t>(y) * picture.Width);
  }
  width_ = picture.Width;
  height_ = picture.Height;
  return true;
}

bool HeadlessClipboard::Save(const std::string& path, double twipsPerPixel) const {
  if (Empty()) return false;
  try {
    SaveImage({pixels_.data(), width_, height_, width_}, twipsPerPixel, path);
  } catch (const RuntimeError&) {
    return false;
  }
  return true;
}

}  // namespace plotara
