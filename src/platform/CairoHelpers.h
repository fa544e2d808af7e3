// Helpers both cairo surfaces share: the font face of a family and style, and cutting a segment to a box.
#pragma once

#include <cairo.h>

#include <string>

namespace plotara {

// The best font fontconfig has for the family, bold and italic, as a cairo face the caller owns; null
// when none can be had.
cairo_font_face_t* MatchFontFace(const std::string& family, bool bold, bool italic);

// Liang-Barsky: cuts the segment to the box; false when none of it lies inside.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin, double xmax,
                 double ymax);

}  // namespace plotara
