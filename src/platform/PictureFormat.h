// The picture formats a file is written in, chosen by the extension of its name or by a format's name:
// the one reading of them for the surfaces that write pictures and the hosts that check before writing.
#pragma once

#include <string>
#include <string_view>

namespace plotara {

enum class PictureFormat { None, Png, Svg, Pdf };

// The extension of the last name in path, from its last dot, in lower case ("plots/a.PNG" gives ".png");
// "" when that name has no dot ("plots.d/a").
std::string FileExtension(const std::string& path);

// The format a name gives: png, svg or pdf in any letter case; None for any other name.
PictureFormat PictureFormatNamed(std::string_view name);

// The format path asks for by its extension: .png, .svg or .pdf in any letter case; None for any other.
PictureFormat PictureFormatOf(const std::string& path);

// SVG and PDF are documents: a control that records shapes writes them as vector drawings.
inline bool IsDocument(PictureFormat format) {
  return format == PictureFormat::Svg || format == PictureFormat::Pdf;
}

}  // namespace plotara
