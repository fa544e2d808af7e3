// Sections: the decimal form of a double and its rounding; the scientific and fixed renderings (the
// patterns "0.000e+000" and "##########0.000"); the clean-up text edits; Format_Real and its companions.
#include "scale/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "platform/Conversions.h"
#include "platform/ErrorGuard.h"
#include "scale/NumericHelpers.h"

namespace plotara {

namespace {

// ---- The decimal form of a double and its rounding.

constexpr int kSignificant = 15;

// |value| = d0.d1d2...d14 x 10^exponent, taken to 15 significant digits.
struct Decimal {
  bool negative = false;
  bool zero = true;
  int exponent = 0;
  char digits[kSignificant];
};

Decimal Decompose(double value) {
  Decimal d;
  d.negative = std::signbit(value);
  std::memset(d.digits, '0', sizeof d.digits);
  if (value == 0) return d;
  char buf[40];
  const auto res =
      std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, kSignificant - 1);
  // buf holds "d.dddddddddddddde[+-]xx".
  d.zero = false;
  d.digits[0] = buf[0];
  std::memcpy(d.digits + 1, buf + 2, kSignificant - 1);
  const char* sign = buf + kSignificant + 2;  // just after the "e"
  std::from_chars(sign + 1, res.ptr, d.exponent);
  if (*sign == '-') d.exponent = -d.exponent;
  return d;
}

// Rounds to `count` (>= 1) significant digits, half away from zero, into out[0..count). Returns the
// exponent of the first digit, one higher than d's when the rounding carried past the leading digit.
int RoundSignificant(const Decimal& d, int count, char* out) {
  for (int i = 0; i < count; ++i) out[i] = i < kSignificant ? d.digits[i] : '0';
  if (count >= kSignificant || d.digits[count] < '5') return d.exponent;
  int i = count - 1;
  while (i >= 0 && out[i] == '9') out[i--] = '0';
  if (i >= 0) {
    ++out[i];
    return d.exponent;
  }
  out[0] = '1';  // 9.99 -> 10.0: all digits were 9
  return d.exponent + 1;
}

// A short text built in place: no allocation until the result is handed out.
class Text {
 public:
  void Push(char ch) { buf_[len_++] = ch; }
  void Push(std::string_view s) {
    std::memcpy(buf_ + len_, s.data(), s.size());
    len_ += static_cast<int>(s.size());
  }
  void Clear() { len_ = 0; }
  std::string_view View() const { return {buf_, static_cast<size_t>(len_)}; }
  bool Contains(std::string_view s) const { return View().find(s) != std::string_view::npos; }
  // Deletes the character at `offset` within the first occurrence of s; false when s does not occur.
  bool DeleteIn(std::string_view s, int offset) {
    const size_t at = View().find(s);
    if (at == std::string_view::npos) return false;
    std::memmove(buf_ + at + offset, buf_ + at + offset + 1, len_ - (at + offset) - 1);
    --len_;
    return true;
  }
  bool EndsWith(char ch) const { return len_ > 0 && buf_[len_ - 1] == ch; }
  bool StartsWith(char ch) const { return len_ > 0 && buf_[0] == ch; }
  void DropLast() { --len_; }
  void PushFront(char ch) {
    std::memmove(buf_ + 1, buf_, len_);
    buf_[0] = ch;
    ++len_;
  }

 private:
  // The longest text: a sign, 309 integer digits, the point and 16 decimals.
  char buf_[400];
  int len_ = 0;
};

// ---- The two renderings.

constexpr int kMaxDecimals = 16;

// The first `n` characters of "0.0000000000000000" followed by "e+000": one integer digit, the point and
// n - 2 decimals (at most 16); an exponent sign that is always present and at least three exponent
// digits. A pattern without the point gives a bare mantissa digit. Returns the exponent.
int RenderScientific(const Decimal& d, int n, Text& out) {
  const bool point = n >= 2;
  const int decimals = std::clamp(n - 2, 0, kMaxDecimals);
  char mantissa[kMaxDecimals + 1];
  int exponent = 0;
  if (d.zero) {
    std::memset(mantissa, '0', sizeof mantissa);
  } else {
    exponent = RoundSignificant(d, decimals + 1, mantissa);
  }
  if (d.negative && !d.zero) out.Push('-');
  out.Push(mantissa[0]);
  if (point) out.Push('.');
  for (int i = 1; i <= decimals; ++i) out.Push(mantissa[i]);
  out.Push('e');
  out.Push(exponent < 0 ? '-' : '+');
  char digits[8];
  const auto res = std::to_chars(digits, digits + sizeof digits, std::abs(exponent));
  for (auto pad = res.ptr - digits; pad < 3; ++pad) out.Push('0');
  out.Push(std::string_view(digits, static_cast<size_t>(res.ptr - digits)));
  return exponent;
}

// The first `n` characters of "##########0.0000000000000000": from 12 on, a mandatory integer digit, the
// point and n - 12 decimals (at most 16); 11 an integer with its mandatory digit; 10 and below optional
// digit positions only, so that zero gives an empty text. Every integer digit is shown.
void RenderFixed(const Decimal& d, int n, Text& out) {
  const bool point = n >= 12;
  const bool mandatoryDigit = n >= 11;
  const int decimals = std::clamp(n - 12, 0, kMaxDecimals);

  // Digits of |value| rounded to `decimals` places: digits[i] has the place value 10^(top - i).
  char digits[340];
  int top = 0;
  int count = 0;
  bool zero = d.zero;
  if (!zero) {
    const int significant = d.exponent + 1 + decimals;
    if (significant > 0) {
      top = RoundSignificant(d, significant, digits);
      count = significant + (top - d.exponent);  // a carry adds a leading place
      if (top != d.exponent) digits[count - 1] = '0';
    } else if (significant == 0 && d.digits[0] >= '5') {
      top = -decimals;  // rounds up to one unit of the last place
      digits[0] = '1';
      count = 1;
    } else {
      zero = true;
    }
  }
  // A value that rounds to zero is written without its sign.
  if (!zero && d.negative) out.Push('-');
  auto digitAt = [&](int place) -> char {
    const int i = top - place;
    return zero || i < 0 || i >= count ? '0' : digits[i];
  };
  if (!zero && top >= 0) {
    for (int place = top; place >= 0; --place) out.Push(digitAt(place));
  } else if (mandatoryDigit) {
    out.Push('0');
  }
  if (point) out.Push('.');
  for (int place = -1; place >= -decimals; --place) out.Push(digitAt(place));
}

// 16-bit "digits" arithmetic raises 6 on overflow, as the counts it stands for are 16-bit.
int16_t Add16(int a, int b) {
  return AddInt16(a, b);
}

// A pattern length below 0 is an invalid argument to taking the first characters of a pattern.
int PatternLength(int16_t digits, int extra, int longest) {
  const int n = Add16(digits, extra);
  if (n < 0) Raise(err::InvalidProcedureCall);
  return std::min(n, longest);
}

}  // namespace

std::string Format_Real(ErrorReporter& reporter, double value, int16_t width, int16_t& digits, int16_t& style,
                        int16_t trim) {
  std::string result;
  const bool done = Guarded(reporter, "Format_Real", [&] {
    // 1. Scientific rendering.
    const int sciLength = PatternLength(digits, 2, 2 + kMaxDecimals);
    if (!std::isfinite(value)) Raise(err::Overflow);
    const Decimal dec = Decompose(value);
    Text text;
    // 2. The exponent, as read back from that text.
    const int e = RenderScientific(dec, sciLength, text);

    // 3. and 4. The automatic style is fixed for moderate exponents; large exponents are never fixed.
    if (style == 2 && e >= -1 && e <= Add16(digits, 1)) {
      style = 0;
      if (e > 0) digits = std::max<int16_t>(0, Add16(digits, -e));
    }
    if (e >= 9 && style == 0) style = 1;

    if (style != 0) {
      // 5. Scientific output: no "+", no leading exponent zeros, no exponent of 0.
      while (text.DeleteIn("+", 0)) {
      }
      while (text.DeleteIn("e0", 1)) {
      }
      while (text.DeleteIn("e-0", 2)) {
      }
      if (text.EndsWith('e')) text.DropLast();
      if (trim == 1) {
        while (text.DeleteIn("0e", 0)) {
        }
      }
    } else {
      // 6. Fixed output: the decimals shrink with the exponent, and at most 9 digits in all.
      if (e > 0) digits = Add16(Add16(digits, -e), 1);
      if (Add16(digits, e) >= 9) digits = static_cast<int16_t>(std::max(0, 9 - e));
      text.Clear();
      RenderFixed(dec, PatternLength(digits, 12, 12 + kMaxDecimals), text);
    }

    // 7. to 10. Clean-up.
    if (trim == 1 && !text.Contains("e") && text.Contains(".")) {
      while (text.EndsWith('0')) text.DropLast();
    }
    text.DeleteIn(".e", 0);
    if (text.StartsWith('.')) text.PushFront('0');
    if (text.EndsWith('.')) text.DropLast();

    // 11. and 12. Width and sign column.
    const std::string_view body = text.View();
    const size_t fill = static_cast<size_t>(std::abs(static_cast<int>(width)));
    const size_t pad = fill > body.size() ? fill - body.size() : 0;
    const bool signColumn = !(value < 0) && trim > 1;
    result.reserve(body.size() + pad + (signColumn ? 1 : 0));
    if (signColumn) result.push_back(' ');
    if (width > 0) result.append(pad, ' ');
    result.append(body);
    if (width < 0) result.append(pad, ' ');
  });
  if (!done) result.clear();
  return result;
}

std::string EasyFormat(ErrorReporter& reporter, double value, int16_t digits) {
  std::string result;
  Guarded(reporter, "EasyFormat", [&] {
    int16_t style = 2;
    result = Format_Real(reporter, value, 0, digits, style, 1);
  });
  return result;
}

int16_t AxisDPx(ErrorReporter& reporter, double a, double b) {
  int16_t result = 0;
  Guarded(reporter, "AxisDPx", [&] {
    const double integerDigits = Max(0.0, Log10(Max(std::fabs(a), std::fabs(b))));
    const double decimalDigits = Max(0.0, Log10(RoundHalfEven(std::fabs(CheckedDivide(1.0, b - a)))));
    const float total = static_cast<float>(integerDigits + decimalDigits + 3);
    result = CInt(MinMax(total, 3.0f, 9.0f));
  });
  return result;
}

std::string NextToken(ErrorReporter& reporter, std::string& text) {
  std::string token;
  Guarded(reporter, "NextToken", [&] {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) {
      token.swap(text);
      text.clear();
    } else {
      token.assign(text, 0, comma);
      text.erase(0, comma + 1);
    }
  });
  return token;
}

}  // namespace plotara
