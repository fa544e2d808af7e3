// Where the command writes a control's picture: a file named with its format, or a stream.
#pragma once

#include <iosfwd>
#include <string>

#include "plotara/Plotara.h"

namespace plotara {

// Writes the picture in format (png, svg or pdf) to out, through a scratch file; false with the problem
// when that fails.
bool SaveToStream(const Plotara& control, const std::string& format, std::ostream& out, std::string& problem);

}  // namespace plotara
