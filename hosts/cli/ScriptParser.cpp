// Parser sections: reading tokens; values and argument lists; the statements.
#include "hosts/cli/ScriptParser.h"

#include <algorithm>
#include <initializer_list>

#include "platform/AsciiCase.h"

namespace plotara {

namespace {

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : t_(std::move(tokens)) {}

  Statement ParseStatement();

 private:
  // ---------------------------------------------------------------- reading tokens

  const Token& Peek(size_t ahead = 0) const { return t_[std::min(i_ + ahead, t_.size() - 1)]; }
  Token Take() { return t_[std::min(i_++, t_.size() - 1)]; }
  void Expect(Tok k, const char* what) {
    if (Peek().kind != k) throw SyntaxError(std::string("expected ") + what);
    Take();
  }

  // One of a few keywords, as it is spelt in the list.
  std::string TakeWord(std::initializer_list<const char*> words, const char* message) {
    if (Peek().kind == Tok::Ident) {
      for (const char* w : words) {
        if (EqualsNoCase(Peek().text, w)) {
          Take();
          return w;
        }
      }
    }
    throw SyntaxError(message);
  }

  // True when the "(" at the current token is closed by the last token of the line: a call written
  // with brackets, Name(a, b).
  bool ClosesAtEnd() const {
    int depth = 0;
    for (size_t k = i_; k < t_.size(); ++k) {
      if (t_[k].kind == Tok::LParen) ++depth;
      if (t_[k].kind == Tok::RParen && --depth == 0) return t_[k + 1].kind == Tok::End;
    }
    return false;
  }

  // ---------------------------------------------------------------- values and argument lists

  std::vector<Arg> ParseValueList() {
    std::vector<Arg> args;
    args.push_back({"", ParseValue()});
    while (Peek().kind == Tok::Comma) {
      Take();
      args.push_back({"", ParseValue()});
    }
    return args;
  }

  // Arguments of a method: by position, left out (an empty place) or named (Name:=value).
  std::vector<Arg> ParseArgList() {
    std::vector<Arg> args;
    for (;;) {
      Arg a;
      if (Peek().kind == Tok::Ident && Peek(1).kind == Tok::Assign) {
        a.name = Take().text;
        Take();
        a.value = ParseValue();
      } else if (Peek().kind != Tok::Comma && Peek().kind != Tok::RParen && Peek().kind != Tok::End) {
        a.value = ParseValue();
      }
      args.push_back(std::move(a));
      if (Peek().kind != Tok::Comma) break;
      Take();
    }
    return args;
  }

  // Brackets and signs nest by recursion; a bound keeps a hostile line from exhausting the stack.
  static constexpr int kMaxNesting = 256;
  struct NestingGuard {
    explicit NestingGuard(int& depth) : depth_(depth) {
      if (++depth_ > kMaxNesting) {
        --depth_;
        throw SyntaxError("nested too deeply");
      }
    }
    ~NestingGuard() { --depth_; }
    int& depth_;
  };

  std::unique_ptr<Expr> ParseValue() {
    const NestingGuard guard(depth_);
    if (Peek().kind == Tok::Minus || Peek().kind == Tok::Plus) {
      const bool negate = Take().kind == Tok::Minus;
      auto operand = ParseValue();
      if (!negate) return operand;
      auto e = std::make_unique<Expr>();
      e->kind = Expr::Negate;
      e->operand = std::move(operand);
      return e;
    }
    auto e = std::make_unique<Expr>();
    const Token tok = Take();
    switch (tok.kind) {
      case Tok::Literal:
        e->literal = tok.value;
        return e;
      case Tok::LParen:
        e = ParseValue();
        Expect(Tok::RParen, "')'");
        return e;
      case Tok::Ident:
        e->name = tok.text;
        e->kind = Expr::Name;
        if (Peek().kind == Tok::LParen) {
          Take();
          e->kind = Expr::Call;
          if (Peek().kind != Tok::RParen) e->args = ParseArgList();
          Expect(Tok::RParen, "')'");
        }
        return e;
      default:
        throw SyntaxError("expected a value");
    }
  }

  // ---------------------------------------------------------------- the statements
  // What follows the name of each host statement.

  void ParsePrint(Statement& st) {
    if (Peek().kind != Tok::End) st.args = ParseValueList();
  }
  void ParseSize(Statement& st) {
    st.args = ParseValueList();
    if (st.args.size() != 2) throw SyntaxError("Size takes a width and a height");
  }
  void ParseSave(Statement& st) {
    st.args = ParseValueList();
    if (st.args.size() != 1) throw SyntaxError(st.name + " takes one file name");
  }
  // Pick Okay[, Color1, Color2, Shift, Angle, Style] or Pick Cancel.
  void ParsePick(Statement& st) {
    st.word = TakeWord({"Okay", "Cancel"}, "Pick takes Okay or Cancel");
    while (Peek().kind == Tok::Comma) {
      Take();
      st.args.push_back({"", ParseValue()});
    }
    if (!st.args.empty() && (st.word != "Okay" || st.args.size() != 5))
      throw SyntaxError("Pick Okay takes no values or five: Color1, Color2, Shift, Angle, Style");
  }
  // Data "file"[, X, Y[, E]][, Missing:=Skip|Error][, Time:="ms"|"format"][, Zone:="name"]: the options,
  // in any order, after the columns; Time and Zone go to args with their names.
  void ParseData(Statement& st) {
    st.args.push_back({"", ParseValue()});
    size_t columns = 0;
    bool options = false;
    while (Peek().kind == Tok::Comma) {
      Take();
      if (Peek().kind == Tok::Ident && Peek(1).kind == Tok::Assign) {
        const std::string option = Take().text;
        Take();
        options = true;
        if (EqualsNoCase(option, "Missing")) {
          st.word = TakeWord({"Skip", "Error"}, "Missing:= takes Skip or Error");
        } else if (EqualsNoCase(option, "Time") || EqualsNoCase(option, "Zone")) {
          st.args.push_back({EqualsNoCase(option, "Time") ? "Time" : "Zone", ParseValue()});
        } else {
          throw SyntaxError("Data takes the options Missing:=, Time:= and Zone:=, not " + option + ":=");
        }
        continue;
      }
      if (options) throw SyntaxError("Data takes its columns before its options");
      st.args.push_back({"", ParseValue()});
      ++columns;
    }
    if (columns != 0 && columns != 2 && columns != 3)
      throw SyntaxError("Data takes a file name and optionally the X, Y and E columns");
  }
  void ParseMouse(Statement& st) {
    st.word = TakeWord({"Down", "Move", "Up"}, "Mouse takes Down, Move or Up");
    Expect(Tok::Comma, "','");
    st.args = ParseValueList();
    if (st.args.size() != 4) throw SyntaxError("Mouse takes Button, Shift, X, Y");
  }
  void ParseScroll(Statement& st) {
    st.word = TakeWord({"H", "V"}, "Scroll takes H or V");
    Expect(Tok::Comma, "','");
    st.args.push_back({"", ParseValue()});
    if (Peek().kind == Tok::Comma) {
      Take();
      TakeWord({"Drag"}, "Scroll ends with a value or with Drag");
      st.drag = true;
    }
  }
  // Wheel X, Y, Delta[, Modifier].
  void ParseWheel(Statement& st) {
    st.args = ParseValueList();
    if (st.args.size() != 3 && st.args.size() != 4) throw SyntaxError("Wheel takes X, Y, Delta[, Modifier]");
  }
  void ParseSaveClipboard(Statement& st) {
    st.args = ParseValueList();
    if (st.args.size() != 1) throw SyntaxError("SaveClipboard takes one file name");
  }
  // DataQuery "sqlite:data.db", "SELECT t, v FROM samples"[, XColumn, YColumn]: the method's arguments.
  void ParseDataQuery(Statement& st) {
    ParseMember(st);
    if (st.kind != Statement::Call || st.args.empty())
      throw SyntaxError("DataQuery takes a connection, a query and optionally the X and Y columns");
    st.kind = Statement::DataQuery;
  }
  // Name = value, Name args or Name(args).
  void ParseMember(Statement& st) {
    if (Peek().kind == Tok::Equals) {
      Take();
      st.kind = Statement::Put;
      st.args.push_back({"", ParseValue()});
      return;
    }
    st.kind = Statement::Call;
    if (Peek().kind == Tok::LParen && ClosesAtEnd()) {
      Take();
      if (Peek().kind != Tok::RParen) st.args = ParseArgList();
      Expect(Tok::RParen, "')'");
    } else if (Peek().kind != Tok::End) {
      st.args = ParseArgList();
    }
  }

  struct HostStatement {
    const char* name;
    Statement::Kind kind;
    void (Parser::*parse)(Statement&);
  };
  static constexpr HostStatement kHostStatements[] = {
      {"Print", Statement::Print, &Parser::ParsePrint},
      {"Size", Statement::Size, &Parser::ParseSize},
      {"Save", Statement::Save, &Parser::ParseSave},
      {"Pick", Statement::Pick, &Parser::ParsePick},
      {"Data", Statement::Data, &Parser::ParseData},
      {"Mouse", Statement::Mouse, &Parser::ParseMouse},
      {"Scroll", Statement::Scroll, &Parser::ParseScroll},
      {"Wheel", Statement::Wheel, &Parser::ParseWheel},
      {"SaveClipboard", Statement::SaveClipboard, &Parser::ParseSaveClipboard},
      {"DataQuery", Statement::DataQuery, &Parser::ParseDataQuery},
  };

  std::vector<Token> t_;
  size_t i_ = 0;
  int depth_ = 0;
};

Statement Parser::ParseStatement() {
  Statement st;
  if (Peek().kind == Tok::End) return st;
  if (Peek().kind != Tok::Ident) throw SyntaxError("a statement starts with a name");
  st.name = Take().text;
  const auto host = std::find_if(std::begin(kHostStatements), std::end(kHostStatements),
                                 [&](const HostStatement& h) { return EqualsNoCase(st.name, h.name); });
  if (host != std::end(kHostStatements)) {
    st.kind = host->kind;
    (this->*host->parse)(st);
  } else {
    ParseMember(st);
  }
  Expect(Tok::End, "the end of the line");
  return st;
}

}  // namespace

Statement ParseLine(std::string_view line) {
  return Parser(Lex(line)).ParseStatement();
}

}  // namespace plotara
