// NumberText: the short number text of evaluation error messages ("LN(0)", "(-2) ^ 0.5", "FACT(170)").
// Numbers above a million or at most a thousandth in magnitude read as 1.235E+07; others with up to
// three decimals, fewer as they grow (12.345, 123.46, 1234.6). Halves round away from zero.
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "expr/CExpression.h"

namespace plotara {

namespace {

// The decimal digits of |x| and the power of ten of the first one: |x| = d.ddd x 10^exponent. Taken from
// the shortest text that reads back to x, so that 0.1235 rounds as the 0.1235 it was written as.
struct Digits {
  std::string digits;
  int exponent = 0;
};

Digits DecimalDigits(double x) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific);
  Digits d;
  const char* p = buf;
  for (; p < r.ptr && *p != 'e'; ++p) {
    if (*p != '.') d.digits += *p;
  }
  // The text is not NUL-terminated: read the exponent within its bounds.
  if (p < r.ptr && *p == 'e') {
    const char* e = p + 1;
    if (e < r.ptr && *e == '+') ++e;
    std::from_chars(e, r.ptr, d.exponent);
  }
  return d;
}

// Keeps `keep` (>= 1) digits, rounding half away from zero; a carry may add a leading digit.
void RoundTo(Digits& d, size_t keep) {
  if (d.digits.size() <= keep) return;
  const bool up = d.digits[keep] >= '5';
  d.digits.resize(keep);
  if (!up) return;
  size_t i = keep;
  while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
  if (i == 0) {
    d.digits.insert(d.digits.begin(), '1');
    d.digits.pop_back();
    ++d.exponent;
  } else {
    ++d.digits[i - 1];
  }
}

void TrimZeros(std::string& s) {
  while (!s.empty() && s.back() == '0') s.pop_back();
}

}  // namespace

double CExpression::SafeLog10(double x) {
  return x > 0 ? std::log(x) / 2.30258509299405 : 0;
}

std::string CExpression::NumberText(double x) {
  if (x == 0) return "0";
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x < 0 ? "-Infinity" : "Infinity";
  const std::string sign = x < 0 ? "-" : "";
  Digits d = DecimalDigits(x);
  const double a = std::fabs(x);
  if (a > 1000000 || a <= 0.1 * 0.1 * 0.1) {
    // 0.###E+## : one digit, the point, up to three decimals, the exponent with sign and two digits.
    RoundTo(d, 4);
    std::string decimals = d.digits.substr(1);
    TrimZeros(decimals);
    const int e = std::abs(d.exponent);
    return sign + d.digits[0] + "." + decimals + "E" + (d.exponent < 0 ? "-" : "+") + (e < 10 ? "0" : "") +
           std::to_string(e);
  }
  int decimals = 3;
  if (x >= 10) decimals = std::max(1, 4 - static_cast<int>(std::nearbyint(SafeLog10(x))));
  const long keep = d.exponent + 1 + decimals;  // at least 1 in this range
  RoundTo(d, static_cast<size_t>(std::max(1L, keep)));
  std::string whole, fraction;
  if (d.exponent >= 0) {
    const size_t n = static_cast<size_t>(d.exponent) + 1;
    whole = d.digits.substr(0, std::min(n, d.digits.size()));
    if (whole.size() < n) whole.append(n - whole.size(), '0');
    if (d.digits.size() > n) fraction = d.digits.substr(n);
  } else {
    whole = "0";
    fraction = std::string(static_cast<size_t>(-d.exponent - 1), '0') + d.digits;
  }
  TrimZeros(fraction);
  return sign + whole + (fraction.empty() ? "" : "." + fraction);
}

}  // namespace plotara
