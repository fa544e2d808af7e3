#include "EvalCommand.h"

#include <cctype>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "expr/CExpression.h"
#include "platform/RuntimeError.h"

namespace plotara {

namespace {

constexpr const char* kEvalUsage =
    "usage: plotara eval EXPR [--deg] [--var NAME=VALUE]... [--func \"F(a,b) = ...\"]... [--rpn]\n";

int Usage(std::ostream& err, const std::string& problem) {
  err << "plotara: " << problem << "\n" << kEvalUsage;
  return 2;
}

void PrintValue(std::ostream& out, const ExprValue& v) {
  out << ToText(v) << "\n";
}

bool ReportError(std::ostream& out, const CExpression& e) {
  if (e.ErrorCode() == 0) return false;
  out << "Error " << e.ErrorCode() << ": " << e.ErrorDescription() << " (at " << e.ErrorPos() << ")\n";
  return true;
}

}  // namespace

int EvalCommand(int argc, char** argv, std::ostream& out, std::ostream& err) {
  std::string expression;
  bool haveExpression = false, degrees = false, rpn = false;
  std::vector<std::pair<std::string, std::string>> vars;
  std::vector<std::string> funcs;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (optionsEnded) {
      if (haveExpression) return Usage(err, "more than one expression given (quote it)");
      expression = a;
      haveExpression = true;
    } else if (a == "--") {
      optionsEnded = true;  // what follows is the expression, even when it begins with "--"
    } else if (a == "--deg") {
      degrees = true;
    } else if (a == "--rpn") {
      rpn = true;
    } else if (a == "--var" || a == "--func") {
      if (i + 1 >= argc) return Usage(err, a + " needs a value");
      const std::string v = argv[++i];
      if (a == "--func") {
        funcs.push_back(v);
        continue;
      }
      const size_t eq = v.find('=');
      if (eq == std::string::npos || eq == 0)
        return Usage(err, "bad variable '" + v + "' (expected NAME=VALUE)");
      vars.emplace_back(v.substr(0, eq), v.substr(eq + 1));
    } else if (a.size() > 2 && a[0] == '-' && a[1] == '-' && std::isalpha(static_cast<unsigned char>(a[2]))) {
      return Usage(err, "unknown option '" + a + "'");  // "--1" is a formula, "--x" an option
    } else if (!haveExpression) {
      expression = a;
      haveExpression = true;
    } else {
      return Usage(err, "more than one expression given (quote it)");
    }
  }
  if (!haveExpression) return Usage(err, "no expression given");

  try {
    CExpression e;
    e.DeGRad(degrees);
    for (const std::string& f : funcs) {
      e.UserFunc(f);
      if (ReportError(out, e)) return 1;
    }
    // Compiling sets the variables it names to 0, so values are given after it.
    e.Expression(expression);
    if (ReportError(out, e)) return 1;
    for (const auto& [name, text] : vars) {
      double number;
      CVariable* v = e.Variable(name, true, 0);
      if (ParseNumber(text, number))
        v->Value = number;
      else
        v->Value = ExprValue(text);
    }
    if (rpn) {
      out << e.RPNExpression() << "\n";
      return 0;
    }
    const ExprValue value = e.Value();
    if (ReportError(out, e)) return 1;
    PrintValue(out, value);
    return 0;
  } catch (const RuntimeError& x) {
    out << "Run-time error " << x.Number() << ": " << x.what() << "\n";
    return 1;
  }
}

}  // namespace plotara
