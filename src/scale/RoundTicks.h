// Round ticks for readable labels: multiples of 1, 2 or 5 x 10^n inside any range (a zoomed or panned
// view, fixed limits), the finest such step whose labels fit.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace plotara {

struct RoundTicks {
  double Step = 0;
  std::vector<double> Majors;  // ascending
};

// The multiples of step within [lo, hi] (either order), ascending; a tick within a billionth of a step
// of zero is 0, and ticks within a millionth of a step outside the range count as inside.
std::vector<double> MultiplesIn(double lo, double hi, double step);

// Whether labels at these values can be read: the caller measures them on the page.
using RoundLabelsFit = std::function<bool(const std::vector<double>& values)>;

// The multiples of the finest step of 1, 2 or 5 x 10^n whose labels fit, considering only steps with at
// most maxTicks ticks in the range. No ticks for a range that is not finite or empty.
RoundTicks ChooseRoundTicks(double lo, double hi, double maxTicks, const RoundLabelsFit& fits);

// The minor divisions a step of 1, 2 or 5 x 10^n takes, as automatic scaling gives them: 2 for a 1 or
// a 2, 5 for a 5 (and 5 for 0.2, 2 for 0.5: the leading digit of the reciprocal); 2 for no step (0, a
// negative or not finite one).
int16_t RoundMinorDivisions(double step);

// Minor ticks of `divisions` intervals per step between the multiples of step, within [lo, hi].
std::vector<double> MinorMultiplesIn(double lo, double hi, double step, int divisions);

}  // namespace plotara
