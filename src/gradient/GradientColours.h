// The colour ramp of the gradient painter: `count` colours from colour1 to colour2, bent by a shift and
// optionally reflected so that it runs out to colour2 and back.
#pragma once

#include <vector>

#include "platform/SysColors.h"

namespace plotara {

// Fills `colours` with max(count, 2) entries and returns that number. Entry 0 is colour1 and the last
// entry colour2, both as given (high byte included). Entry i in between lies t = (i / count) ^ p of the
// way, with p = 10 ^ shift: a positive shift keeps the colours near colour1 for longer, a negative one
// reaches colour2 sooner. `shift` must already lie in -1 .. 1.
//
// Reflected, entry i and entry count - 1 - i share t = (i / (count / 2)) ^ p, so the ramp runs from
// colour1 to colour2 in the middle and back towards colour1; the last entry still holds colour2.
//
// Components are red (bits 0-7), green (8-15) and blue (16-23), each rounded half to even.
int GradientRamp(OleColor colour1, OleColor colour2, int count, float shift, bool reflected,
                 std::vector<OleColor>& colours);

}  // namespace plotara
