#include "platform/TextEncoding.h"

namespace plotara {

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0 when the bytes there do not form one.
size_t SequenceLength(std::string_view s, size_t i) {
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

}  // namespace

std::string ToValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t n = SequenceLength(text, i);
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
