#include "platform/NumberScan.h"

namespace plotara {

namespace {
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
}  // namespace

DecimalText ScanDecimal(std::string_view s, bool exponentD) noexcept {
  DecimalText t;
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    t.HasFraction = true;
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return {};
  if (i < s.size()) {
    const char e = s[i];
    if (e == 'e' || e == 'E' || (exponentD && (e == 'd' || e == 'D'))) {
      size_t k = i + 1;
      if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
      if (k < s.size() && IsDigit(s[k])) {
        while (k < s.size() && IsDigit(s[k])) ++k;
        i = k;
        t.HasFraction = true;
      }
    }
  }
  t.Length = i;
  return t;
}

}  // namespace plotara
