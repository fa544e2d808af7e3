// Script sections: tokens; syntax tree and parser; evaluation; statements; files.
#include "hosts/cli/Script.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "platform/RuntimeError.h"
#include "plotara/Automation.h"
#include "platform/AsciiCase.h"
#include "platform/NumberScan.h"

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
        throw SyntaxError("bad hexadecimal number");
      out.push_back({Tok::Literal, "", Variant(static_cast<int32_t>(v))});
      i = j;
    } else if (std::isdigit(static_cast<unsigned char>(c)) || (c == '.' && i + 1 < s.size() &&
                                                                std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
      const DecimalText number = ScanDecimal(s.substr(i));
      const size_t j = i + number.Length;
      const bool real = number.HasFraction;
      double v = 0;
      if (!TextToNumber(s.substr(i, j - i), v)) throw SyntaxError("bad number");
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
        case ',': k = Tok::Comma; break;
        case '(': k = Tok::LParen; break;
        case ')': k = Tok::RParen; break;
        case '=': k = Tok::Equals; break;
        case '-': k = Tok::Minus; break;
        case '+': k = Tok::Plus; break;
        default: throw SyntaxError(std::string("unexpected character '") + c + "'");
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
  std::string name;            // named argument when not empty
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
  enum Kind { Empty, Print, Size, Save, Data, Put, Call, Mouse, Scroll, SaveClipboard } kind = Empty;
  std::string name;
  std::string word;  // Down, Move or Up of Mouse; H or V of Scroll
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
    } else if (EqualsNoCase(st.name, "Save") || EqualsNoCase(st.name, "Data")) {
      st.kind = EqualsNoCase(st.name, "Save") ? Statement::Save : Statement::Data;
      st.args = ParseValueList();
      if (st.args.size() != 1) throw SyntaxError(st.name + " takes one file name");
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

  std::unique_ptr<Expr> ParseValue() {
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
      default: throw SyntaxError("expected a value");
    }
  }

  std::vector<Token> t_;
  size_t i_ = 0;
};

// ---------------------------------------------------------------- evaluation

class Evaluator {
 public:
  explicit Evaluator(Plotara& control) : control_(control) {}

  Variant Value(const Expr& e) {
    switch (e.kind) {
      case Expr::Literal: return e.literal;
      case Expr::Negate: return Variant(-Value(*e.operand).ToDouble());
      case Expr::Name: {
        Variant v;
        if (HostValue(e.name, v)) return v;
        return Get(control_, e.name);
      }
      case Expr::Call: {
        std::vector<Variant> positional;
        std::vector<NamedArg> named;
        Collect(e.args, positional, named);
        return Invoke(control_, e.name, positional, named);
      }
    }
    return {};
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
        const Variant result = Invoke(control_, e.name, positional, named);
        std::vector<std::string> fields;
        if (m->Type != VarType::Empty) fields.push_back(result.ToString());
        for (size_t i = 0; i < m->Params.size(); ++i)
          if (m->Params[i].Out && positional[i].Type() != VarType::StringArray) fields.push_back(positional[i].ToString());
        for (size_t i = 0; i < m->Params.size(); ++i)
          if (m->Params[i].Out && positional[i].Type() == VarType::StringArray)
            for (const std::string& s : positional[i].ToStringArray()) fields.push_back(s);
        return fields;
      }
    }
    return {Value(e).ToString()};
  }

 private:
  Plotara& control_;
};

std::string Quote(const std::string& s) {
  std::string q = "\"";
  for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

// Reads x,y[,e] rows. Returns an error message, or "" when every row was read.
std::string ReadData(Plotara& control, const std::string& path) {
  std::ifstream in(path);
  if (!in) return "cannot open data file '" + path + "'";
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    for (char& ch : line)
      if (ch == ',' || ch == ';' || ch == '\t' || ch == '\r') ch = ' ';
    std::istringstream fields(line);
    std::vector<double> v;
    std::string field;
    bool numeric = true;
    while (fields >> field) {
      double d = 0;
      if (!TextToNumber(field, d)) {
        numeric = false;
        break;
      }
      v.push_back(d);
    }
    if (v.empty() && numeric) continue;  // blank line
    if (!numeric && lineNo == 1) continue;  // a header
    if (!numeric || v.size() < 2 || v.size() > 3)
      return path + ":" + std::to_string(lineNo) + ": expected x,y or x,y,e";
    std::vector<Variant> args{Variant(v[0]), Variant(v[1])};
    if (v.size() == 3) args.emplace_back(v[2]);
    Invoke(control, "AddDataPoint", std::move(args));
  }
  return "";
}

}  // namespace

// ---------------------------------------------------------------- statements

ScriptRunner::ScriptRunner(Plotara& control, const ScriptOptions& options, std::ostream& out, std::ostream& err)
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
    // Failures always show; on the error stream unless events are asked for.
    (options_.PrintEvents ? out_ : err_) << "Event ErrorMsg " << Quote(source) << " " << Quote(description) << "\n";
  };
  control_.SetClipboard(&clipboard_);
}

ScriptRunner::~ScriptRunner() { control_.SetClipboard(nullptr); }

void ScriptRunner::SizeControl(Plotara& control, int width, int height) {
  const ScrollBarElement& h = control.HScroll1();
  const ScrollBarElement& v = control.VScroll1();
  control.Resize(static_cast<float>(width) * 15 + v.Width, static_cast<float>(height) * 15 + h.Height);
}

int ScriptRunner::Run(const std::string& text, const std::string& name) {
  std::istringstream lines(text);
  std::string line;
  int lineNo = 0;
  Evaluator eval(control_);
  while (std::getline(lines, line)) {
    ++lineNo;
    Statement st;
    try {
      st = Parser(Lex(line)).ParseStatement();
    } catch (const SyntaxError& e) {
      err_ << name << ":" << lineNo << ": syntax error: " << e.what() << "\n";
      return kScriptSyntaxError;
    }
    try {
      switch (st.kind) {
        case Statement::Empty: break;
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
          if (w < 1 || h < 1 || w > 20000 || h > 20000) {
            err_ << name << ":" << lineNo << ": Size needs a width and height between 1 and 20000 pixels\n";
            return kScriptFailed;
          }
          if (!options_.SizeGiven) SizeControl(control_, w, h);
          break;
        }
        case Statement::Save: {
          const std::string path = eval.Value(*st.args[0].value).ToString();
          try {
            control_.SavePicture(path);
          } catch (const AutomationError& e) {
            err_ << name << ":" << lineNo << ": cannot write '" << path << "': " << e.Description() << "\n";
            return kScriptFailed;
          }
          break;
        }
        case Statement::Data: {
          std::string path = eval.Value(*st.args[0].value).ToString();
          if (std::filesystem::path(path).is_relative() && !options_.BaseDir.empty())
            path = (std::filesystem::path(options_.BaseDir) / path).string();
          const std::string problem = ReadData(control_, path);
          if (!problem.empty()) {
            err_ << name << ":" << lineNo << ": " << problem << "\n";
            return kScriptFailed;
          }
          break;
        }
        case Statement::Mouse: {
          const int16_t button = eval.Value(*st.args[0].value).ToInteger();
          const int16_t shift = eval.Value(*st.args[1].value).ToInteger();
          const float x = eval.Value(*st.args[2].value).ToSingle(), y = eval.Value(*st.args[3].value).ToSingle();
          if (st.word == "Down") control_.Picture1_MouseDown(button, shift, x, y);
          if (st.word == "Move") control_.Picture1_MouseMove(button, shift, x, y);
          if (st.word == "Up") control_.Picture1_MouseUp(button, shift, x, y);
          break;
        }
        case Statement::Scroll: {
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
          if (clipboard_.Empty()) {
            err_ << name << ":" << lineNo << ": the clipboard holds no picture (CopyToClipboard puts one there)\n";
            return kScriptFailed;
          }
          if (!clipboard_.Save(path)) {
            err_ << name << ":" << lineNo << ": cannot write '" << path << "'\n";
            return kScriptFailed;
          }
          break;
        }
        case Statement::Put: Put(control_, st.name, eval.Value(*st.args[0].value)); break;
        case Statement::Call: {
          std::vector<Variant> positional;
          std::vector<NamedArg> named;
          eval.Collect(st.args, positional, named);
          Invoke(control_, st.name, positional, named);
          break;
        }
      }
    } catch (const AutomationError& e) {
      out_ << "Automation error " << e.Number() << ": " << e.Description() << "\n";
    } catch (const RuntimeError& e) {
      out_ << "Automation error " << e.Number() << ": " << e.what() << "\n";
    } catch (const SyntaxError& e) {
      err_ << name << ":" << lineNo << ": syntax error: " << e.what() << "\n";
      return kScriptSyntaxError;
    }
  }
  return kScriptOk;
}

// ---------------------------------------------------------------- files

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
  std::string ext = saveTo.size() >= 4 ? saveTo.substr(saveTo.size() - 4) : "";
  for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  const bool vector = ext == ".svg" || ext == ".pdf";
  Plotara control(PlotaraOptions{opts.Dpi, opts.Antialias, vector});
  ScriptRunner::SizeControl(control, opts.Width, opts.Height);
  ScriptRunner runner(control, opts, out, err);
  const int status = runner.Run(text.str(), path);
  if (status != kScriptOk || saveTo.empty()) return status;
  try {
    control.SavePicture(saveTo);
  } catch (const AutomationError& e) {
    err << "plotara: cannot write '" << saveTo << "': " << e.Description() << "\n";
    return kScriptFailed;
  }
  return kScriptOk;
}

}  // namespace plotara
