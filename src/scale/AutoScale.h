// Round axis limits and division counts for an automatically scaled axis.
#pragma once

#include <cstdint>

namespace plotara {

class ErrorReporter;

// Widens lower..upper (single precision, in/out; swapped when given the wrong way round, a range of 1
// when equal) to round limits and sets the major and minor division counts and the decimal places.
//
// Linear: majors 1 to 9, minors 1 or 2 to 9; decimal places from the size of the range, at least 2.
// Logarithmic (logFlag set): limits 0.8 x lower and 1.2 x upper rounded to 3 significant digits, one
// major division per decade and 9 minor ones; decimal places untouched. A lower limit that is not
// positive starts from upper / 100. logFlag comes back cleared, and the range is scaled linearly, when
// the range spans less than a factor 2 or no positive range can be made of it (upper not positive).
//
// Failures are reported as "AutoScale" and leave the outputs as far as they were written: limits that are
// not finite or a range beyond single range (error 6) are refused before anything is written; round
// limits beyond single range (error 6) fail part-way, keeping what was already written. Equal limits too
// large for +1 in single precision widen to the next single instead of collapsing to a range of 0.
void AutoScale(ErrorReporter& reporter, float& lower, float& upper, int16_t& majorDivs, int16_t& minorDivs,
               int16_t& decimals, bool& logFlag);

}  // namespace plotara
