#include "platform/TextEncoding.h"

#include <algorithm>

namespace plotara {

size_t Utf8SequenceLength(std::string_view s, size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  size_t n = 0;
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF)
    n = 2;
  else if (b >= 0xE0 && b <= 0xEF)
    n = 3;
  else if (b >= 0xF0 && b <= 0xF4)
    n = 4;
  else
    return 0;
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  }
  const auto b1 = static_cast<unsigned char>(s[i + 1]);
  if (b == 0xE0 && b1 < 0xA0) return 0;   // overlong
  if (b == 0xED && b1 >= 0xA0) return 0;  // surrogates
  if (b == 0xF0 && b1 < 0x90) return 0;   // overlong
  if (b == 0xF4 && b1 >= 0x90) return 0;  // beyond U+10FFFF
  return n;
}

char32_t Utf8CodePoint(std::string_view s, size_t i) {
  const size_t n = Utf8SequenceLength(s, i);
  const auto b = static_cast<unsigned char>(s[i]);
  if (n <= 1) return b;
  char32_t c = b & (0x7F >> n);
  for (size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  return c;
}

std::string PrintableText(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t n = Utf8SequenceLength(text, i);
    const char32_t c = n > 0 ? Utf8CodePoint(text, i) : 0;
    if (n == 0 || c < 0x20 || (c >= 0x7F && c < 0xA0)) {  // C0, DEL and C1 controls, and stray bytes
      for (size_t k = 0; k < std::max<size_t>(n, 1); ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        out += "\\x";
        out += kHex[b >> 4];
        out += kHex[b & 15];
      }
      i += std::max<size_t>(n, 1);
    } else {
      out.append(text.substr(i, n));
      i += n;
    }
  }
  return out;
}

std::string ToValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t n = Utf8SequenceLength(text, i);
    if (n > 0) {
      out.append(text.substr(i, n));
      i += n;
    } else {
      const auto b = static_cast<unsigned char>(text[i]);
      out.push_back(static_cast<char>(0xC0 | (b >> 6)));
      out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
      ++i;
    }
  }
  // cairo stops at a NUL; keep the text whole by dropping them.
  std::erase(out, '\0');
  return out;
}

}  // namespace plotara
