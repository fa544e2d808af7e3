#include "hosts/cli/HeadlessClipboard.h"

#include <cairo.h>

#include <algorithm>
#include <cstddef>

#include "platform/FileReplace.h"

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

bool HeadlessClipboard::Save(const std::string& path) const {
  if (Empty()) return false;
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width_);
  if (stride != width_ * 4) return false;  // packed rows are what cairo takes for this format
  cairo_surface_t* image = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(pixels_.data())), CAIRO_FORMAT_RGB24, width_,
      height_, stride);
  const std::string temp = SiblingTempPath(path);  // a failed write leaves no truncated file at path
  const bool ok = cairo_surface_write_to_png(image, temp.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(image);
  if (!ok) {
    DiscardTemp(temp);
    return false;
  }
  return ReplaceWithTemp(temp, path);
}

}  // namespace plotara
