// Lexer sections: one reader per kind of token; the line.
#include "hosts/cli/ScriptLexer.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "hosts/cli/ReadNumber.h"
#include "platform/AsciiCase.h"
#include "platform/NumberScan.h"
#include "platform/TextEncoding.h"

namespace plotara {

namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c));
}

// ---------------------------------------------------------------- one reader per kind of token
// Each reads the token that starts at s[i] and leaves i after it.

// "text", with "" for a quote inside.
Token ReadText(std::string_view s, size_t& i) {
  std::string text;
  ++i;
  for (;;) {
    if (i >= s.size()) throw SyntaxError("missing closing quote");
    if (s[i] == '"') {
      if (i + 1 < s.size() && s[i + 1] == '"') {
        text += '"';
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    text += s[i++];
  }
  return {Tok::Literal, "", Variant(std::move(text))};
}

// &H hexadecimal digits, with an optional trailing type mark &.
Token ReadHex(std::string_view s, size_t& i) {
  size_t j = i + 2;
  while (j < s.size() && std::isxdigit(static_cast<unsigned char>(s[j]))) ++j;
  if (j < s.size() && s[j] == '&') ++j;
  double v = 0;
  if (!TextToNumber(s.substr(i, j - i - (s[j - 1] == '&' ? 1 : 0)), v))
    throw SyntaxError("bad hexadecimal number '" + std::string(s.substr(i, j - i)) + "'");
  i = j;
  return {Tok::Literal, "", Variant(static_cast<int32_t>(v))};
}

// A decimal number: a Long when it is whole and fits, else a Double.
Token ReadDecimal(std::string_view s, size_t& i) {
  const DecimalText number = ScanDecimal(s.substr(i));
  const std::string_view text = s.substr(i, number.Length);
  double v = 0;
  if (!ReadNumber(text, v)) {
    throw SyntaxError("number '" + std::string(text) + "' is " +
                      (std::isfinite(v) ? "not a number" : "out of range"));
  }
  i += number.Length;
  if (!number.HasFraction && v >= -2147483648.0 && v <= 2147483647.0)
    return {Tok::Literal, "", Variant(static_cast<int32_t>(v))};
  return {Tok::Literal, "", Variant(v)};
}

// A name, or True or False.
Token ReadWord(std::string_view s, size_t& i) {
  auto isIdent = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; };
  size_t j = i;
  while (j < s.size() && isIdent(s[j])) ++j;
  std::string word(s.substr(i, j - i));
  i = j;
  if (EqualsNoCase(word, "True")) return {Tok::Literal, "", Variant(true)};
  if (EqualsNoCase(word, "False")) return {Tok::Literal, "", Variant(false)};
  return {Tok::Ident, std::move(word), {}};
}

// The character at s[i] for a message: itself when it is printable ASCII, else its code point, or the
// byte when the bytes there are not UTF-8.
std::string Unexpected(std::string_view s, size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  char text[48];
  if (b > 0x20 && b < 0x7F)
    std::snprintf(text, sizeof text, "unexpected character '%c'", b);
  else if (Utf8SequenceLength(s, i) > 0)
    std::snprintf(text, sizeof text, "unexpected character U+%04X",
                  static_cast<unsigned>(Utf8CodePoint(s, i)));
  else
    std::snprintf(text, sizeof text, "unexpected byte \\x%02X (not UTF-8)", b);
  return text;
}

// A one-character sign: , ( ) = - +.
Token ReadSign(std::string_view s, size_t& i) {
  const char c = s[i++];
  switch (c) {
    case ',':
      return {Tok::Comma, "", {}};
    case '(':
      return {Tok::LParen, "", {}};
    case ')':
      return {Tok::RParen, "", {}};
    case '=':
      return {Tok::Equals, "", {}};
    case '-':
      return {Tok::Minus, "", {}};
    case '+':
      return {Tok::Plus, "", {}};
    default:
      throw SyntaxError(Unexpected(s, i - 1));
  }
}

}  // namespace

// ---------------------------------------------------------------- the line

std::vector<Token> Lex(std::string_view s) {
  std::vector<Token> out;
  size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    const char next = i + 1 < s.size() ? s[i + 1] : '\0';
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '\'' || c == '#') {
      break;  // comment to the end of the line
    } else if (c == '"') {
      out.push_back(ReadText(s, i));
    } else if (c == '&' && (next == 'H' || next == 'h')) {
      out.push_back(ReadHex(s, i));
    } else if (IsDigit(c) || (c == '.' && IsDigit(next))) {
      out.push_back(ReadDecimal(s, i));
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      out.push_back(ReadWord(s, i));
    } else if (c == ':' && next == '=') {
      out.push_back({Tok::Assign, "", {}});
      i += 2;
    } else {
      out.push_back(ReadSign(s, i));
    }
  }
  out.push_back({Tok::End, "", {}});
  return out;
}

}  // namespace plotara
