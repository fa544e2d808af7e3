// The tokens of one line of a host script.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "plotara/Variant.h"

namespace plotara {

enum class Tok { End, Ident, Literal, Comma, LParen, RParen, Equals, Assign, Minus, Plus };

struct Token {
  Tok kind = Tok::End;
  std::string text;  // identifier
  Variant value;     // literal
};

// A line that cannot be read; it stops the script.
class SyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The tokens of a line up to its comment (' or #), ending with Tok::End. Numbers become Long literals
// when they are whole and fit, else Double; &H is hexadecimal; "text" takes "" for a quote; True and
// False are Boolean literals. A dot joins a child element and its property into one name
// (Label1.Caption). Throws SyntaxError.
std::vector<Token> Lex(std::string_view line);

}  // namespace plotara
