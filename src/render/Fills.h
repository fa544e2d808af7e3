// Colour ramps and area fills.
#pragma once

#include <vector>

#include "platform/ErrorGuard.h"
#include "render/Drawing.h"

namespace plotara {

// A ramp of max(steps, 2) colours from colour1 to colour2 (both kept as given at the ends); the colours
// between are blended red, green and blue at i / N of the way. Returns the number of colours.
int16_t BlendColors(ErrorReporter& r, OleColor colour1, OleColor colour2, int16_t steps,
                    std::vector<OleColor>& colours);

// Paints an area (AreaCode) of the current graph, or the page, with a fill: a plain colour in one
// operation, or a gradient made on ScratchPic1 by the gradient painter and copied over. A transparent
// fill paints nothing.
void DrawGradient(Drawing& d, Surface& s, int16_t areaCode, const GradientSpec& fill);

}  // namespace plotara
