// Operations on data sets inside the control (the host's methods are members of Plotara).
#pragma once

#include "control/Control.h"

namespace plotara {

// Gives data set k of graph g its initial style: the first gets fixed values, every later one the style
// of the one before with the next symbol; colours cycle through blue, red, green, yellow, magenta, cyan.
void AutoDataStyle(Control& c, int16_t g, int16_t k);

}  // namespace plotara
