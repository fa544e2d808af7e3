// Script sections: tokens; syntax tree and parser; evaluation; statements; files.
#include "hosts/cli/Script.h"

#include <stdlib.h>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "platform/AsciiCase.h"
#include "platform/NumberScan.h"
#include "platform/RuntimeError.h"
#include "plotara/Automation.h"

namespace plotara {

namespace {

// ---------------------------------------------------------------- tokens

enum class Tok { End, Ident, Literal, Comma, LParen, RParen, Equals, Assign, Minus, Plus };

struct Token {
  Tok kind = Tok::End;
  std::string text;  // identifier
  Variant value;     // literal
};

class SyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// TextToNumber that reports a number too large or too small for a Double as false (v infinite).
bool ReadNumber(std::string_view text, double& v) {
  try {
    return TextToNumber(text, v);
  } catch (const RuntimeError&) {
    v = HUGE_VAL;
    return false;
  }
}

std::vector<Token> Lex(std::string_view s) {
  std::vector<Token> out;
  size_t i = 0;
  // A dot joins a child element and its property into one name (Label1.Caption).
  auto isIdent = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; };
  while (i < s.size()) {
    const char c = s[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '\'' || c == '#') {
      break;  // comment to the end of the line
    } else if (c == '"') {
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
      out.push_back({Tok::Literal, "", Variant(std::move(text))});
    } else if (c == '&' && i + 1 < s.size() && (s[i + 1] == 'H' || s[i + 1] == 'h')) {
      size_t j = i + 2;
      while (j < s.size() && std::isxdigit(static_cast<unsigned char>(s[j]))) ++j;
      if (j < s.size() && s[j] == '&') ++j;  // a trailing type mark is allowed
      double v = 0;
      if (!TextToNumber(s.substr(i, j - i - (s[j - 1] == '&' ? 1 : 0)), v))
        throw SyntaxError("bad hexadecimal number '" + std::string(s.substr(i, j - i)) + "'");
      out.push_back({Tok::Literal, "", Variant(static_cast<int32_t>(v))});
      i = j;
    } else if (std::isdigit(static_cast<unsigned char>(c)) ||
               (c == '.' && i + 1 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
      const DecimalText number = ScanDecimal(s.substr(i));
      const size_t j = i + number.Length;
      const bool real = number.HasFraction;
      double v = 0;
      if (!ReadNumber(s.substr(i, j - i), v)) {
        throw SyntaxError("number '" + std::string(s.substr(i, j - i)) + "' is " +
                          (std::isfinite(v) ? "not a number" : "out of range"));
      }
      if (!real && v >= -2147483648.0 && v <= 2147483647.0) {
        out.push_back({Tok::Literal, "", Variant(static_cast<int32_t>(v))});
      } else {
        out.push_back({Tok::Literal, "", Variant(v)});
      }
      i = j;
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      size_t j = i;
      while (j < s.size() && isIdent(s[j])) ++j;
      std::string word(s.substr(i, j - i));
      if (EqualsNoCase(word, "True")) {
        out.push_back({Tok::Literal, "", Variant(true)});
      } else if (EqualsNoCase(word, "False")) {
        out.push_back({Tok::Literal, "", Variant(false)});
      } else {
        out.push_back({Tok::Ident, std::move(word), {}});
      }
      i = j;
    } else if (c == ':' && i + 1 < s.size() && s[i + 1] == '=') {
      out.push_back({Tok::Assign, "", {}});
      i += 2;
    } else {
      Tok k;
      switch (c) {
        case ',':
          k = Tok::Comma;
          break;
        case '(':
          k = Tok::LParen;
          break;
        case ')':
          k = Tok::RParen;
          break;
        case '=':
          k = Tok::Equals;
          break;
        case '-':
          k = Tok::Minus;
          break;
        case '+':
          k = Tok::Plus;
          break;
        default:
          throw SyntaxError(std::string("unexpected character '") + c + "'");
      }
      out.push_back({k, "", {}});
      ++i;
    }
  }
  out.push_back({Tok::End, "", {}});
  return out;
}

// ---------------------------------------------------------------- syntax tree and parser

struct Expr;
struct Arg {
  std::string name;             // named argument when not empty
  std::unique_ptr<Expr> value;  // null: the argument is left out
};

struct Expr {
  enum Kind { Literal, Name, Call, Negate } kind = Literal;
  Variant literal;
  std::string name;
  std::vector<Arg> args;
  std::unique_ptr<Expr> operand;
};

struct Statement {
  enum Kind { Empty, Print, Size, Save, Data, Put, Call, Mouse, Scroll, SaveClipboard, Pick } kind = Empty;
  std::string name;
  std::string word;   // Down, Move or Up of Mouse; H or V of Scroll
  bool drag = false;  // Scroll ..., Drag
  std::vector<Arg> args;
};

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : t_(std::move(tokens)) {}

  Statement ParseStatement() {
    Statement st;
    if (Peek().kind == Tok::End) return st;
    if (Peek().kind != Tok::Ident) throw SyntaxError("a statement starts with a name");
    st.name = Take().text;
    if (EqualsNoCase(st.name, "Print")) {
      st.kind = Statement::Print;
      if (Peek().kind != Tok::End) st.args = ParseValueList();
    } else if (EqualsNoCase(st.name, "Size")) {
      st.kind = Statement::Size;
      st.args = ParseValueList();
      if (st.args.size() != 2) throw SyntaxError("Size takes a width and a height");
    } else if (EqualsNoCase(st.name, "Save")) {
      st.kind = Statement::Save;
      st.args = ParseValueList();
      if (st.args.size() != 1) throw SyntaxError(st.name + " takes one file name");
    } else if (EqualsNoCase(st.name, "Pick")) {
      // Pick Okay[, Color1, Color2, Shift, Angle, Style] or Pick Cancel.
      st.kind = Statement::Pick;
      st.word = TakeWord({"Okay", "Cancel"}, "Pick takes Okay or Cancel");
      while (Peek().kind == Tok::Comma) {
        Take();
        st.args.push_back({"", ParseValue()});
      }
      if (!st.args.empty() && (st.word != "Okay" || st.args.size() != 5))
        throw SyntaxError("Pick Okay takes no values or five: Color1, Color2, Shift, Angle, Style");
    } else if (EqualsNoCase(st.name, "Data")) {
      st.kind = Statement::Data;
      st.args = ParseValueList();
      if (st.args.size() != 1 && st.args.size() != 3 && st.args.size() != 4)
        throw SyntaxError("Data takes a file name and optionally the X, Y and E columns");
    } else if (EqualsNoCase(st.name, "Mouse")) {
      st.kind = Statement::Mouse;
      st.word = TakeWord({"Down", "Move", "Up"}, "Mouse takes Down, Move or Up");
      Expect(Tok::Comma, "','");
      st.args = ParseValueList();
      if (st.args.size() != 4) throw SyntaxError("Mouse takes Button, Shift, X, Y");
    } else if (EqualsNoCase(st.name, "Scroll")) {
      st.kind = Statement::Scroll;
      st.word = TakeWord({"H", "V"}, "Scroll takes H or V");
      Expect(Tok::Comma, "','");
      st.args.push_back({"", ParseValue()});
      if (Peek().kind == Tok::Comma) {
        Take();
        TakeWord({"Drag"}, "Scroll ends with a value or with Drag");
        st.drag = true;
      }
    } else if (EqualsNoCase(st.name, "SaveClipboard")) {
      st.kind = Statement::SaveClipboard;
      st.args = ParseValueList();
      if (st.args.size() != 1) throw SyntaxError("SaveClipboard takes one file name");
    } else if (Peek().kind == Tok::Equals) {
      Take();
      st.kind = Statement::Put;
      st.args.push_back({"", ParseValue()});
    } else {
      st.kind = Statement::Call;
      if (Peek().kind == Tok::LParen && ClosesAtEnd()) {
        Take();
        if (Peek().kind != Tok::RParen) st.args = ParseArgList();
        Expect(Tok::RParen, "')'");
      } else if (Peek().kind != Tok::End) {
        st.args = ParseArgList();
      }
    }
    Expect(Tok::End, "the end of the line");
    return st;
  }

 private:
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

  const Token& Peek(size_t ahead = 0) const { return t_[std::min(i_ + ahead, t_.size() - 1)]; }
  Token Take() { return t_[std::min(i_++, t_.size() - 1)]; }
  void Expect(Tok k, const char* what) {
    if (Peek().kind != k) throw SyntaxError(std::string("expected ") + what);
    Take();
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

  std::vector<Arg> ParseValueList() {
    std::vector<Arg> args;
    args.push_back({"", ParseValue()});
    while (Peek().kind == Tok::Comma) {
      Take();
      args.push_back({"", ParseValue()});
    }
    return args;
  }

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

  std::vector<Token> t_;
  size_t i_ = 0;
  int depth_ = 0;
};

// ---------------------------------------------------------------- evaluation

class Evaluator {
 public:
  // member: where the name of the member being reached is kept, for messages; refreshed: set when the
  // script draws.
  Evaluator(Plotara& control, std::string& member, bool& refreshed)
      : control_(control), member_(member), refreshed_(refreshed) {}

  Variant Value(const Expr& e) {
    switch (e.kind) {
      case Expr::Literal:
        return e.literal;
      case Expr::Negate:
        return Variant(-Value(*e.operand).ToDouble());
      case Expr::Name: {
        member_ = e.name;
        Variant v;
        if (HostValue(e.name, v)) return v;
        return Get(control_, e.name);
      }
      case Expr::Call: {
        std::vector<Variant> positional;
        std::vector<NamedArg> named;
        Collect(e.args, positional, named);
        if (EqualsNoCase(e.name, "RGB") && !Members().Find(e.name)) return Rgb(positional, named);
        return Call(e.name, positional, named);
      }
    }
    return {};
  }

  Variant Call(const std::string& name, std::vector<Variant>& positional, std::vector<NamedArg>& named) {
    member_ = name;
    if (StartsWithNoCase(name, "Refresh")) refreshed_ = true;
    return Invoke(control_, name, positional, named);
  }

  void Collect(const std::vector<Arg>& args, std::vector<Variant>& positional, std::vector<NamedArg>& named) {
    for (const Arg& a : args) {
      if (!a.name.empty()) {
        named.push_back({a.name, Value(*a.value)});
      } else if (!named.empty()) {
        throw SyntaxError("a positional argument follows a named one");
      } else {
        positional.push_back(a.value ? Value(*a.value) : Variant::Missing());
      }
    }
  }

  // The state of a child element or the pointer shape, which the host shows: Label1.Caption,
  // HScroll1.Value, MousePointer and the like. False for any other name.
  bool HostValue(const std::string& name, Variant& out) const {
    if (EqualsNoCase(name, "MousePointer")) {
      out = Variant(control_.MousePointer());
      return true;
    }
    const auto dot = name.find('.');
    if (dot == std::string::npos) return false;
    const std::string element = name.substr(0, dot), field = name.substr(dot + 1);
    const ChildElement* child = nullptr;
    const ScrollBarElement* bar = nullptr;
    if (EqualsNoCase(element, "Label1")) {
      child = &control_.Label1();
      if (EqualsNoCase(field, "Caption")) return out = Variant(control_.Label1().Caption), true;
    } else if (EqualsNoCase(element, "HScroll1") || EqualsNoCase(element, "VScroll1")) {
      bar = EqualsNoCase(element, "HScroll1") ? &control_.HScroll1() : &control_.VScroll1();
      child = bar;
      if (EqualsNoCase(field, "Value")) return out = Variant(bar->Value), true;
      if (EqualsNoCase(field, "Max")) return out = Variant(bar->Max), true;
      if (EqualsNoCase(field, "LargeChange")) return out = Variant(bar->LargeChange), true;
      if (EqualsNoCase(field, "SmallChange")) return out = Variant(bar->SmallChange), true;
    } else {
      return false;
    }
    if (EqualsNoCase(field, "Visible")) return out = Variant(child->Visible), true;
    if (EqualsNoCase(field, "Left")) return out = Variant(child->Left), true;
    if (EqualsNoCase(field, "Top")) return out = Variant(child->Top), true;
    if (EqualsNoCase(field, "Width")) return out = Variant(child->Width), true;
    if (EqualsNoCase(field, "Height")) return out = Variant(child->Height), true;
    throw SyntaxError(element + " has no " + field);
  }

  // The texts Print shows for one value: a method with out-parameters shows its result (if any), then
  // its counts, then the entries of its arrays.
  std::vector<std::string> PrintFields(const Expr& e) {
    if (e.kind == Expr::Name || e.kind == Expr::Call) {
      const MemberInfo* m = Members().Find(e.name);
      if (m && m->Kind == MemberKind::Method) {
        std::vector<Variant> positional;
        std::vector<NamedArg> named;
        Collect(e.args, positional, named);
        // Room for the out-arguments the script leaves out; too many arguments stay too many.
        if (positional.size() < m->Params.size()) positional.resize(m->Params.size(), Variant::Missing());
        const Variant result = Call(e.name, positional, named);
        std::vector<std::string> fields;
        if (m->Type != VarType::Empty) fields.push_back(result.ToString());
        for (size_t i = 0; i < m->Params.size(); ++i)
          if (m->Params[i].Out && positional[i].Type() != VarType::StringArray)
            fields.push_back(positional[i].ToString());
        for (size_t i = 0; i < m->Params.size(); ++i)
          if (m->Params[i].Out && positional[i].Type() == VarType::StringArray)
            for (const std::string& s : positional[i].ToStringArray()) fields.push_back(s);
        return fields;
      }
    }
    return {Value(e).ToString()};
  }

 private:
  // RGB(red, green, blue), each 0 to 255: the control's colour value 0x00BBGGRR.
  Variant Rgb(const std::vector<Variant>& positional, const std::vector<NamedArg>& named) {
    member_ = "RGB";
    if (positional.size() != 3 || !named.empty()) throw AutomationError(450);
    int32_t colour = 0;
    for (int i = 0; i < 3; ++i) {
      const int32_t v = positional[static_cast<size_t>(i)].ToLong();
      if (v < 0 || v > 255) throw AutomationError(5);
      colour |= v << (8 * i);
    }
    return Variant(colour);
  }

  Plotara& control_;
  std::string& member_;
  bool& refreshed_;
};

std::string Quote(const std::string& s) {
  std::string q = "\"";
  for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

// ---------------------------------------------------------------- data files

// The columns Data takes (0-based); e < 0: none. Chosen: given by the script, so every row must have
// them; otherwise each row is x,y or x,y,e.
struct Columns {
  std::vector<Variant> Given;  // numbers (1-based) or header names, as the script wrote them
  int X = 0, Y = 1, E = -1;
  bool Chosen = false;
};

// Splits a row at sep (' ' for runs of blanks); fields lose surrounding blanks and double quotes.
std::vector<std::string> SplitRow(const std::string& row, char sep) {
  std::vector<std::string> fields;
  auto clean = [](std::string f) {
    const size_t b = f.find_first_not_of(" \t"), e = f.find_last_not_of(" \t");
    f = b == std::string::npos ? "" : f.substr(b, e - b + 1);
    if (f.size() >= 2 && f.front() == '"' && f.back() == '"') f = f.substr(1, f.size() - 2);
    return f;
  };
  if (sep == ' ') {
    std::istringstream in(row);
    std::string f;
    while (in >> f) fields.push_back(clean(f));
  } else {
    size_t start = 0;
    for (;;) {
      const size_t at = row.find(sep, start);
      fields.push_back(clean(row.substr(start, at == std::string::npos ? std::string::npos : at - start)));
      if (at == std::string::npos) break;
      start = at + 1;
    }
  }
  return fields;
}

// The separator of a file, from its first row: a tab, else a semicolon, else a comma, else blanks.
char SeparatorOf(const std::string& row) {
  for (char c : {'\t', ';', ','})
    if (row.find(c) != std::string::npos) return c;
  return ' ';
}

// Resolves the script's column choice against the header (names) or as 1-based numbers.
std::string ResolveColumns(Columns& cols, const std::vector<std::string>& header) {
  if (cols.Given.empty()) return "";
  int* slots[] = {&cols.X, &cols.Y, &cols.E};
  for (size_t i = 0; i < cols.Given.size(); ++i) {
    const Variant& g = cols.Given[i];
    if (g.Type() == VarType::String) {
      int found = -1;
      for (size_t k = 0; k < header.size(); ++k)
        if (EqualsNoCase(header[k], g.ToString())) found = static_cast<int>(k);
      if (found < 0) return "no column named '" + g.ToString() + "' in the header";
      *slots[i] = found;
    } else {
      const int32_t n = g.ToLong();
      if (n < 1) return "column numbers start at 1";
      *slots[i] = n - 1;
    }
  }
  cols.Chosen = true;
  return "";
}

// The next row of a data file, at most kMaxRow characters; false at the end, or when the row is longer
// (tooLong set), so that a file without line breaks cannot take all memory.
constexpr size_t kMaxRow = 1 << 20;

bool ReadRow(std::istream& in, std::string& line, bool& tooLong) {
  line.clear();
  tooLong = false;
  for (int ch; (ch = in.get()) != std::char_traits<char>::eof();) {
    if (ch == '\n') return true;
    if (line.size() == kMaxRow) {
      tooLong = true;
      return false;
    }
    line += static_cast<char>(ch);
  }
  return !line.empty();
}

// Reads the points of a data file (or of in) into the last data set: one point per row, '#' comments,
// blank rows and one header row allowed. Returns "" or the one-line problem, naming the file and row.
std::string ReadData(Plotara& control, std::istream& in, const std::string& name, Columns cols) {
  std::string line;
  int lineNo = 0;
  char sep = 0;
  bool sawRow = false;
  const bool namedColumns = !cols.Given.empty() && cols.Given[0].Type() == VarType::String;
  if (!namedColumns) {
    if (std::string p = ResolveColumns(cols, {}); !p.empty()) return name + ": " + p;
  }
  for (bool tooLong = false;;) {
    const bool more = ReadRow(in, line, tooLong);
    ++lineNo;
    const std::string where = name + ":" + std::to_string(lineNo) + ": ";
    if (tooLong) return where + "a row longer than " + std::to_string(kMaxRow) + " characters";
    if (!more) break;
    if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (sep == 0) sep = SeparatorOf(line);
    const std::vector<std::string> fields = SplitRow(line, sep);
    if (!sawRow) {
      sawRow = true;
      // A header names the columns: none of its fields is a number, so that a first row with one bad
      // field is reported rather than skipped.
      bool header = true;
      for (const std::string& f : fields) {
        double d = 0;
        if (ReadNumber(f, d) || !std::isfinite(d)) header = false;
      }
      if (header) {  // the names of the columns
        if (namedColumns) {
          if (std::string p = ResolveColumns(cols, fields); !p.empty()) return where + p;
        }
        continue;
      }
      if (namedColumns)
        return where + "no header row to find the columns '" + cols.Given[0].ToString() + "' in";
    }
    std::vector<int> read;
    if (cols.Chosen) {
      read = {cols.X, cols.Y};
      if (cols.E >= 0) read.push_back(cols.E);
      const int need = *std::max_element(read.begin(), read.end()) + 1;
      if (static_cast<int>(fields.size()) < need)
        return where + std::to_string(fields.size()) + " field" + (fields.size() == 1 ? "" : "s") +
               ", but column " + std::to_string(need) + " is read";
    } else {
      if (fields.size() < 2 || fields.size() > 3)
        return where + std::to_string(fields.size()) + " field" + (fields.size() == 1 ? "" : "s") +
               "; expected x,y or x,y,e (or choose the columns: Data \"file\", X, Y[, E])";
      read = {0, 1};
      if (fields.size() == 3) read.push_back(2);
    }
    double xye[3] = {0, 0, 0};
    for (size_t k = 0; k < read.size(); ++k) {
      const std::string& f = fields[static_cast<size_t>(read[k])];
      if (!ReadNumber(f, xye[k]))
        return where + "field " + std::to_string(read[k] + 1) + " '" + f + "' is " +
               (std::isfinite(xye[k]) ? "not a number" : "out of range");
    }
    const double x = xye[0], y = xye[1], e = xye[2];
    control.AddDataPoint(x, y, e);
  }
  return "";
}

}  // namespace

// ---------------------------------------------------------------- statements

ScriptRunner::ScriptRunner(Plotara& control, const ScriptOptions& options, std::ostream& out,
                           std::ostream& err)
    : control_(control), options_(options), out_(out), err_(err) {
  EventHandlers& ev = control_.Events();
  auto simple = [this](const char* name) {
    return [this, name] {
      if (options_.PrintEvents) out_ << "Event " << name << "\n";
    };
  };
  ev.NewGraphInFront = simple("NewGraphInFront");
  ev.GraphScaleChanged = simple("GraphScaleChanged");
  ev.GraphPositionChanged = simple("GraphPositionChanged");
  ev.LegendPositionChanged = simple("LegendPositionChanged");
  ev.ErrorMsg = [this](std::string& source, std::string& description) {
    if (options_.PrintEvents) out_ << "Event ErrorMsg " << Quote(source) << " " << Quote(description) << "\n";
    // A failure always shows, on the error stream, with where the script was.
    Fail(source + ": " + description);
  };
  control_.SetClipboard(&clipboard_);
  control_.SetPicker(&picker_);
}

ScriptRunner::~ScriptRunner() {
  // The control may outlive the runner (a window keeps it): leave nothing of the runner behind.
  control_.Events() = {};
  control_.SetClipboard(nullptr);
  control_.SetPicker(nullptr);
}

void ScriptRunner::SizeControl(Plotara& control, int width, int height) {
  const ScrollBarElement& h = control.HScroll1();
  const ScrollBarElement& v = control.VScroll1();
  control.Resize(static_cast<float>(width) * 15 + v.Width, static_cast<float>(height) * 15 + h.Height);
}

void ScriptRunner::Fail(const std::string& message) {
  failed_ = true;
  err_ << name_ << ":" << lineNo_ << ": " << (member_.empty() ? "" : member_ + ": ") << message << "\n";
}

std::string UnsupportedFormat(const std::string& path) {
  const size_t dot = path.rfind('.');
  const size_t slash = path.rfind('/');
  const std::string ext = dot == std::string::npos || (slash != std::string::npos && dot < slash)
                              ? std::string()
                              : LowerCase(path.substr(dot));
  if (ext == ".png" || ext == ".svg" || ext == ".pdf") return "";
  return (ext.empty() ? std::string("no format in the file name") : "unsupported format '" + ext + "'") +
         " (supported: .png, .svg, .pdf)";
}

int ScriptRunner::Run(const std::string& text, const std::string& name) {
  std::istringstream lines(text);
  std::string line;
  name_ = name;
  lineNo_ = 0;
  failed_ = false;
  Evaluator eval(control_, member_, refreshed_);
  while (std::getline(lines, line)) {
    ++lineNo_;
    member_.clear();
    Statement st;
    try {
      st = Parser(Lex(line)).ParseStatement();
    } catch (const SyntaxError& e) {
      err_ << name << ":" << lineNo_ << ": syntax error: " << e.what() << "\n";
      return kScriptSyntaxError;
    }
    if (st.kind == Statement::Put || st.kind == Statement::Call) member_ = st.name;
    try {
      switch (st.kind) {
        case Statement::Empty:
          break;
        case Statement::Print: {
          std::string sep;
          for (const Arg& a : st.args) {
            for (const std::string& f : eval.PrintFields(*a.value)) {
              out_ << sep << f;
              sep = "\t";
            }
          }
          out_ << "\n";
          break;
        }
        case Statement::Size: {
          const int32_t w = eval.Value(*st.args[0].value).ToLong();
          const int32_t h = eval.Value(*st.args[1].value).ToLong();
          member_ = "Size";
          if (w < 1 || h < 1 || w > 20000 || h > 20000) {
            Fail("needs a width and height between 1 and 20000 pixels");
            return kScriptFailed;
          }
          if (!options_.SizeGiven) SizeControl(control_, w, h);
          break;
        }
        case Statement::Save: {
          const std::string path = eval.Value(*st.args[0].value).ToString();
          member_ = "Save";
          if (const std::string problem = UnsupportedFormat(path); !problem.empty()) {
            Fail("cannot write '" + path + "': " + problem);
            return kScriptFailed;
          }
          try {
            control_.SavePicture(path);
          } catch (const AutomationError& e) {
            Fail("cannot write '" + path + "': " + e.Description());
            return kScriptFailed;
          }
          break;
        }
        case Statement::Data: {
          std::string path = eval.Value(*st.args[0].value).ToString();
          Columns cols;
          for (size_t i = 1; i < st.args.size(); ++i) cols.Given.push_back(eval.Value(*st.args[i].value));
          member_ = "Data";
          std::string problem;
          if (path == "-") {
            problem = ReadData(control_, options_.Stdin ? *options_.Stdin : std::cin, "<stdin>", cols);
          } else {
            if (std::filesystem::path(path).is_relative() && !options_.BaseDir.empty())
              path = (std::filesystem::path(options_.BaseDir) / path).string();
            std::error_code ec;
            std::ifstream in(path);
            if (std::filesystem::is_directory(path, ec)) {
              problem = "'" + path + "' is a folder, not a data file";
            } else {
              problem = in ? ReadData(control_, in, path, cols) : "cannot open data file '" + path + "'";
            }
          }
          if (!problem.empty()) {
            Fail(problem);
            return kScriptFailed;
          }
          break;
        }
        case Statement::Pick: {
          HeadlessPicker::Choice choice;
          choice.Button = st.word == "Okay" ? PickerButton::Okay : PickerButton::Cancel;
          if (st.args.size() == 5) {
            choice.Color1 = eval.Value(*st.args[0].value).ToLong();
            choice.Color2 = eval.Value(*st.args[1].value).ToLong();
            choice.Shift = eval.Value(*st.args[2].value).ToSingle();
            choice.Angle = eval.Value(*st.args[3].value).ToSingle();
            choice.Style = eval.Value(*st.args[4].value).ToInteger();
          }
          picker_.Queue(choice);
          break;
        }
        case Statement::Mouse: {
          member_ = "Picture1_Mouse" + st.word;
          const int16_t button = eval.Value(*st.args[0].value).ToInteger();
          const int16_t shift = eval.Value(*st.args[1].value).ToInteger();
          const float x = eval.Value(*st.args[2].value).ToSingle(),
                      y = eval.Value(*st.args[3].value).ToSingle();
          if (st.word == "Down") control_.Picture1_MouseDown(button, shift, x, y);
          if (st.word == "Move") control_.Picture1_MouseMove(button, shift, x, y);
          if (st.word == "Up") control_.Picture1_MouseUp(button, shift, x, y);
          break;
        }
        case Statement::Scroll: {
          member_ = st.word + "Scroll1_" + (st.drag ? "Scroll" : "Change");
          const int32_t value = eval.Value(*st.args[0].value).ToLong();
          if (st.word == "H") {
            st.drag ? control_.HScroll1_Scroll(value) : control_.HScroll1_Change(value);
          } else {
            st.drag ? control_.VScroll1_Scroll(value) : control_.VScroll1_Change(value);
          }
          break;
        }
        case Statement::SaveClipboard: {
          const std::string path = eval.Value(*st.args[0].value).ToString();
          member_ = "SaveClipboard";
          if (clipboard_.Empty()) {
            Fail("the clipboard holds no picture (CopyToClipboard puts one there)");
            return kScriptFailed;
          }
          if (!clipboard_.Save(path)) {
            Fail("cannot write '" + path + "'");
            return kScriptFailed;
          }
          break;
        }
        case Statement::Put:
          Put(control_, st.name, eval.Value(*st.args[0].value));
          member_ = st.name;
          break;
        case Statement::Call: {
          std::vector<Variant> positional;
          std::vector<NamedArg> named;
          eval.Collect(st.args, positional, named);
          eval.Call(st.name, positional, named);
          break;
        }
      }
    } catch (const AutomationError& e) {
      Fail("Automation error " + std::to_string(e.Number()) + ": " + e.Description());
    } catch (const RuntimeError& e) {
      Fail("Automation error " + std::to_string(e.Number()) + ": " + e.what());
    } catch (const SyntaxError& e) {
      err_ << name << ":" << lineNo_ << ": syntax error: " << e.what() << "\n";
      return kScriptSyntaxError;
    }
  }
  member_.clear();
  return failed_ ? kScriptFailed : kScriptOk;
}

// ---------------------------------------------------------------- files

namespace {

// Writes the picture to out through a scratch file of the format's extension.
bool SaveToStream(const Plotara& control, const std::string& format, std::ostream& out,
                  std::string& problem) {
  char dir[] = "/tmp/plotara-XXXXXX";
  if (!mkdtemp(dir)) {
    problem = "cannot make a scratch folder";
    return false;
  }
  const std::string path = std::string(dir) + "/picture." + format;
  bool ok = true;
  try {
    control.SavePicture(path);
    std::ifstream in(path, std::ios::binary);
    out << in.rdbuf();
    out.flush();
    if (!out) {
      problem = "cannot write to standard output";
      ok = false;
    }
  } catch (const AutomationError& e) {
    problem = e.Description();
    ok = false;
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  return ok;
}

}  // namespace

int RunScriptFile(const std::string& path, const ScriptOptions& options, const std::string& saveTo,
                  std::ostream& out, std::ostream& err) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    err << "plotara: cannot open script '" << path << "'\n";
    return kScriptFailed;
  }
  std::stringstream text;
  text << in.rdbuf();
  ScriptOptions opts = options;
  if (opts.BaseDir.empty()) opts.BaseDir = std::filesystem::path(path).parent_path().string();
  // A document gets the drawing as shapes and text; any other file gets the picture's pixels.
  std::string ext = saveTo == "-"        ? "." + opts.Format
                    : saveTo.size() >= 4 ? saveTo.substr(saveTo.size() - 4)
                                         : "";
  for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  const bool vector = ext == ".svg" || ext == ".pdf";
  Plotara control(PlotaraOptions{opts.Dpi, opts.Antialias, vector});
  ScriptRunner::SizeControl(control, opts.Width, opts.Height);
  // With the picture on standard output, what the script prints goes to the error stream.
  const bool pictureToOut = saveTo == "-";
  ScriptRunner runner(control, opts, pictureToOut ? err : out, err);
  const int status = runner.Run(text.str(), path);
  if (status == kScriptSyntaxError || saveTo.empty()) return status;
  // A script that never draws is drawn before its picture is saved.
  if (!runner.Refreshed()) control.Refresh();
  if (pictureToOut) {
    std::string problem;
    if (!SaveToStream(control, opts.Format.empty() ? "png" : opts.Format, out, problem)) {
      err << "plotara: cannot write the picture to standard output: " << problem << "\n";
      return kScriptFailed;
    }
    return status;
  }
  try {
    control.SavePicture(saveTo);
  } catch (const AutomationError& e) {
    err << "plotara: cannot write '" << saveTo << "': " << e.Description() << "\n";
    return kScriptFailed;
  }
  return status;  // the picture is written even when a statement failed; the status says so
}

}  // namespace plotara
