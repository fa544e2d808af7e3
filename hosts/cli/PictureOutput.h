// Where the command writes a control's picture: a file named with its format, or a stream.
#pragma once

#include <iosfwd>
#include <string>

#include "plotara/Plotara.h"

namespace plotara {

// "" when the file name's extension is a picture format the control writes; else the problem, naming
// the formats that are ("unsupported format '.bmp' (supported: .png, .svg, .pdf)").
std::string UnsupportedFormat(const std::string& path);

// Writes the picture in format (png, svg or pdf) to out, through a scratch file; false with the problem
// when that fails.
bool SaveToStream(const Plotara& control, const std::string& format, std::ostream& out, std::string& problem);

}  // namespace plotara
