#include "expr/ExprValue.h"
#include "platform/NumberScan.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace plotara {

bool ExprValue::operator==(const ExprValue& o) const noexcept {
  if (type_ != o.type_) return false;
  switch (type_) {
    case ExprType::Empty:
      return true;
    case ExprType::Integer:
      return i_ == o.i_;
    case ExprType::Long:
      return l_ == o.l_;
    case ExprType::Double:
      return d_ == o.d_;
    case ExprType::String:
      return s_ == o.s_;
    case ExprType::VarRef:
      return ref_ == o.ref_;
  }
  return false;
}

std::string GeneralNumberText(double v) {
  if (v == 0) return "0";
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string ToText(const ExprValue& value) {
  const ExprValue& v = value.Deref();
  switch (v.Type()) {
    case ExprType::String:
      return v.StringValue();
    case ExprType::Integer:
      return std::to_string(v.IntegerValue());
    case ExprType::Long:
      return std::to_string(v.LongValue());
    case ExprType::Double:
      return GeneralNumberText(v.DoubleValue());
    default:
      return std::string();
  }
}

bool ParseNumber(std::string_view text, double& out) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  const std::string_view number = text.substr(b, e - b);
  if (number.empty() || ScanDecimal(number, true).Length != number.size()) return false;
  // The decimal text without its sign, with a D exponent written as E.
  const bool negative = number.front() == '-';
  std::string s(number.substr(number.front() == '+' || negative ? 1 : 0));
  for (char& c : s) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  double v = 0;
  if (!DecimalToDouble(s, v)) return false;
  out = negative ? -v : v;
  return true;
}

bool DecimalToDouble(std::string_view s, double& out) {
  double v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec == std::errc::result_out_of_range) {
    // from_chars reports underflow and overflow alike. The decimal magnitude tells them apart: a number
    // too small for a double reads as 0, one too large fails.
    size_t i = 0;
    while (i < s.size() && s[i] == '0') ++i;
    long magnitude = 0;
    if (i < s.size() && s[i] >= '1' && s[i] <= '9') {
      while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++magnitude;
    } else if (i < s.size() && s[i] == '.') {
      ++i;
      while (i < s.size() && s[i] == '0') ++i, --magnitude;
    }
    const size_t ePos = s.find_first_of("eE");
    long exponent = 0;
    if (ePos != std::string_view::npos) {
      size_t j = ePos + 1;
      const bool negative = j < s.size() && s[j] == '-';
      if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
      for (; j < s.size() && s[j] >= '0' && s[j] <= '9'; ++j) {
        if (exponent < 100000000) exponent = exponent * 10 + (s[j] - '0');
      }
      if (negative) exponent = -exponent;
    }
    if (magnitude + exponent > 0) return false;
    out = 0;
    return true;
  }
  if (r.ec != std::errc()) {
    out = 0;  // no digits at all, as in a lone "."
    return true;
  }
  out = v;
  return true;
}

bool ToNumber(const ExprValue& value, double& out) {
  const ExprValue& v = value.Deref();
  if (v.Type() == ExprType::String) return ParseNumber(v.StringValue(), out);
  out = v.Number();
  return true;
}

}  // namespace plotara
