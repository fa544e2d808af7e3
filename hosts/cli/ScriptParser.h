// The syntax of one line of a host script: a statement with its arguments as expression trees.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/cli/ScriptLexer.h"
#include "plotara/Variant.h"

namespace plotara {

struct Expr;
struct Arg {
  std::string name;             // named argument when not empty
  std::unique_ptr<Expr> value;  // null: the argument is left out
};

// A value: a literal, a name (a property, a child element's state), a call (a method, RGB) or a negation.
struct Expr {
  enum Kind { Literal, Name, Call, Negate } kind = Literal;
  Variant literal;
  std::string name;
  std::vector<Arg> args;
  std::unique_ptr<Expr> operand;
};

struct Statement {
  enum Kind {
    Empty,
    Print,
    Size,
    Save,
    Data,
    Put,
    Call,
    Mouse,
    Scroll,
    Wheel,
    SaveClipboard,
    Pick,
    DataQuery
  } kind = Empty;
  std::string name;
  std::string word;   // Down, Move or Up of Mouse; H or V of Scroll; Okay or Cancel of Pick; Skip or Error
                      // of Data's Missing:=
  bool drag = false;  // Scroll ..., Drag
  std::vector<Arg> args;
};

// The statement of one line (Empty for a blank line or a comment). Host statements (Print, Size, Save,
// Data, Mouse, Scroll, Wheel, SaveClipboard, Pick; DataQuery, a method call whose SQLite file is found
// beside the script) are checked for the number of their values here; any other
// name is a property put (Name = value) or a method call. Throws SyntaxError.
Statement ParseLine(std::string_view line);

}  // namespace plotara
