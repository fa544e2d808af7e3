#include "platform/PictureFormat.h"

#include "platform/AsciiCase.h"

namespace plotara {

std::string FileExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return LowerCase(path.substr(dot));
}

PictureFormat PictureFormatNamed(std::string_view name) {
  if (EqualsNoCase(name, "png")) return PictureFormat::Png;
  if (EqualsNoCase(name, "svg")) return PictureFormat::Svg;
  if (EqualsNoCase(name, "pdf")) return PictureFormat::Pdf;
  return PictureFormat::None;
}

PictureFormat PictureFormatOf(const std::string& path) {
  const std::string ext = FileExtension(path);
  return ext.empty() ? PictureFormat::None : PictureFormatNamed(std::string_view(ext).substr(1));
}

}  // namespace plotara
