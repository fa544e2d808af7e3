// The one scanner of decimal number texts, shared by every reader of numbers: a host's text
// conversion, the script language, font sizes and the expression evaluator. Each reader decides what
// it needs around the number (blanks, the whole text or a leading part) and how it converts it.
#pragma once

#include <cstddef>
#include <string_view>

namespace plotara {

struct DecimalText {
  size_t Length = 0;         // characters of the number at the start of the text; 0: none there
  bool HasFraction = false;  // it has a point or an exponent, so it is not a whole-number literal
};

// The longest decimal number at the start of s: an optional sign, digits with an optional point (at
// least one digit in all), and an optional exponent of e or E (also d or D with exponentD) with an
// optional sign and at least one digit. An exponent marker without digits is not part of the number.
DecimalText ScanDecimal(std::string_view s, bool exponentD = false) noexcept;

}  // namespace plotara
