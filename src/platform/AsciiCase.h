// Letter case of ASCII text: the one way the control compares names, keywords and font fields without
// regard to case. Names are ASCII; other bytes are left alone, so the result never depends on the locale.
#pragma once

#include <string>
#include <string_view>

namespace plotara {

inline char AsciiUpper(char c) noexcept {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char AsciiLower(char c) noexcept {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string UpperCase(std::string_view s) {
  std::string u(s);
  for (char& c : u) c = AsciiUpper(c);
  return u;
}

inline std::string LowerCase(std::string_view s) {
  std::string u(s);
  for (char& c : u) c = AsciiLower(c);
  return u;
}

// a equals b when both are upper-cased; b is expected in upper case already.
inline bool EqualsUpper(std::string_view a, std::string_view upperB) noexcept {
  if (a.size() != upperB.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != upperB[i]) return false;
  }
  return true;
}

inline bool EqualsNoCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

inline bool StartsWithNoCase(std::string_view s, std::string_view prefix) noexcept {
  return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

}  // namespace plotara
