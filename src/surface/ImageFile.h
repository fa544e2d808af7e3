// A picture's pixels written to a file in the format its name says: PNG, or an SVG or PDF document that
// carries the pixels as an image at the picture's physical size. The file is written whole or not at all.
#pragma once

#include <string>

#include "plotara/ChildElements.h"

namespace plotara {

// Writes picture (0x00RRGGBB pixels; an empty one as one pixel) to path; one pixel is twipsPerPixel
// twips. Raises 5 for a name without a picture format, 75 when the file cannot be written.
void SaveImage(const PictureView& picture, double twipsPerPixel, const std::string& path);

}  // namespace plotara
