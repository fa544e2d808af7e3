// Number texts: every number written on the page (tick labels) or shown in the coordinate read-out goes
// through Format_Real. EasyFormat is its short form, AxisDPx picks the digits a read-out needs, and
// NextToken reads the comma-separated text labels of an axis.
//
// Rounding is that of the classic number formatter: the value is first taken to 15 significant decimal
// digits (all a double holds reliably, so 0.1 * 3 is 0.3), then the last kept digit is rounded half away
// from zero on that decimal form (12345 at four significant digits is 1.235e+004, 2.675 at two decimals
// is 2.68).
#pragma once

#include <cstdint>
#include <string>

namespace plotara {

class ErrorReporter;

// Formats a value.
//  width:  0 no filling; > 0 pads on the left to that many characters; < 0 pads on the right. Never cuts.
//  digits: mantissa decimals in scientific notation and the basis of the decimals in fixed notation;
//          changed in place (pass a fresh value on every call).
//  style:  0 fixed, 1 scientific, 2 automatic (fixed for exponents from -1 to digits + 1 and below 9);
//          changed in place to the style used.
//  trim:   1 drops trailing zeros of the decimals and of the mantissa; 2 or more keeps them and puts a
//          space in front of values that are not negative; 0 neither.
// Examples: (123.456, 0, 3, 2, 1) -> "123"; (0.05, 0, 6, 2, 1) -> "5e-2"; (3.14159, 8, 2, 0, 1) ->
// "    3.14". Failures (digits of 32766 or more: error 6; digits below -2: error 5; a value that is not
// finite: error 6) are reported as "Format_Real" and give "".
std::string Format_Real(ErrorReporter& reporter, double value, int16_t width, int16_t& digits, int16_t& style,
                        int16_t trim);

// Format_Real(value, 0, digits, 2, 1); failures as Format_Real's (reported by it) give "".
std::string EasyFormat(ErrorReporter& reporter, double value, int16_t digits);

// Significant digits (3 to 9) needed to tell apart values of the range a..b: integer digits of the
// larger magnitude, decimal digits from the width of the range, and three more. Equal values divide by
// zero: reported as "AxisDPx" (error 11), result 0.
int16_t AxisDPx(ErrorReporter& reporter, double a, double b);

// The text before the first comma; text keeps what follows that comma (or becomes empty when there is
// none). No blanks are removed.
std::string NextToken(ErrorReporter& reporter, std::string& text);

}  // namespace plotara
