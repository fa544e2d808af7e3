// A picture's pixels written to a file in the format its name says: PNG, or an SVG or PDF document that
// carries the pixels as an image at the picture's physical size. The file is written whole or not at all.
#pragma once

#include <string>

#include "plotara/ChildElements.h"

namespace plotara {

// Writes picture (0x00RRGGBB pixels; an empty one as one pixel) to path; one pixel is twipsPerPixel
// twips; a PNG is compressed at pngLevel (see WritePng). Raises 5 for a name without a picture format, 75
// when the file cannot be written.
void SaveImage(const PictureView& picture, double twipsPerPixel, const std::string& path, int pngLevel = -1);

// Writes the pixels as an 8-bit RGB PNG file compressed at zlib's level (0 none to 9 smallest; -1 zlib's
// default, 6, with every row filter tried). Levels 1 to 3 try only the "sub" filter, which suits the flat
// runs of a chart, and take a fraction of the default's time. False when the file cannot be written.
bool WritePng(const PictureView& picture, const std::string& path, int level);

}  // namespace plotara
