// libFuzzer target for the expression evaluator. Input: optional user-function definitions, one per
// line, then the expression on the last line; the first byte picks the settings. For each input it
//   - compiles (a run-time error from a limit must leave no program behind),
//   - evaluates with several values of every variable, twice each, expecting the same outcome,
//   - evaluates the same text through the general interpreter (wrapped as IIF(1, (text), 0), whose
//     result type depends on values) and expects the same outcome as the numeric fast path.
// Any mismatch aborts, so that libFuzzer keeps the input.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "expr/CExpression.h"
#include "platform/RuntimeError.h"

namespace {

using plotara::CExpression;
using plotara::ExprType;
using plotara::ExprValue;

struct Outcome {
  int kind = 0;  // 0 value, 1 evaluator error, 2 run-time error
  ExprValue value;
  int code = 0;
  std::string description;

  bool operator==(const Outcome& o) const {
    if (kind != o.kind || code != o.code || description != o.description) return false;
    if (value.Type() != o.value.Type()) return false;
    if (value.Type() == ExprType::Double) {
      uint64_t a, b;
      const double x = value.DoubleValue(), y = o.value.DoubleValue();
      std::memcpy(&a, &x, 8);
      std::memcpy(&b, &y, 8);
      return a == b;
    }
    return value == o.value;
  }
};

void Fail(const char* what, const std::string& text) {
  std::fprintf(stderr, "FAILED: %s\ntext: %s\n", what, text.c_str());
  std::abort();
}

std::string Show(const Outcome& o) {
  return std::to_string(o.kind) + " " + std::to_string(o.code) + " [" + o.description + "] type " +
         std::to_string(static_cast<int>(o.value.Type())) + " " + plotara::ToText(o.value);
}

void Differ(const char* what, const std::string& text, const Outcome& a, const Outcome& b) {
  std::fprintf(stderr, "  %s\n  %s\n", Show(a).c_str(), Show(b).c_str());
  Fail(what, text);
}

Outcome Evaluate(CExpression& e) {
  Outcome o;
  e.Randomize(12345);
  try {
    o.value = e.Value();
  } catch (const plotara::RuntimeError& x) {
    o.kind = 2;
    o.code = x.Number();
  }
  if (e.ErrorCode() != 0) {
    o.kind = 1;
    o.code = e.ErrorCode();
    o.description = e.ErrorDescription();
    if (!e.Value().IsEmpty()) Fail("a value after an evaluation error", e.Expression());
    e.ClearError();
  }
  return o;
}

// Compiles text on a fresh evaluator with the given settings and definitions. False when it does not
// compile (evaluator error or run-time error).
bool Prepare(CExpression& e, uint8_t flags, const std::vector<std::string>& defs, const std::string& text) {
  e.DeGRad(flags & 1);
  e.RaiseErrors(flags & 2);
  e.AutoCreateVariables(!(flags & 4));
  e.DefaultValue(flags & 8 ? ExprValue(-1.0) : ExprValue());
  for (const std::string& d : defs) {
    try {
      e.UserFunc(d);
    } catch (const plotara::RuntimeError&) {
    }
    e.ClearError();
  }
  try {
    e.Expression(text);
  } catch (const plotara::RuntimeError&) {
    if (!e.Value().IsEmpty() || !e.RPNExpression().empty()) Fail("a program after a failed compile", text);
    return false;
  }
  if (e.ErrorCode() != 0) {
    if (!e.Value().IsEmpty() || !e.RPNExpression().empty()) Fail("a value after a compile error", text);
    e.ClearError();
    if (!e.Value().IsEmpty()) Fail("a partial program ran after ClearError", text);
    return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t flags = data[0];
  std::string all(reinterpret_cast<const char*>(data + 1), size - 1);
  std::vector<std::string> defs;
  size_t nl;
  while ((nl = all.find('\n')) != std::string::npos) {
    defs.push_back(all.substr(0, nl));
    all.erase(0, nl + 1);
  }
  const std::string& text = all;

  CExpression fast;
  if (!Prepare(fast, flags, defs, text)) return 0;
  (void)fast.RPNExpression();
  CExpression general;
  const bool wrapped = Prepare(general, flags, defs, "IIF(1, (" + text + "), 0)");

  static const double kValues[] = {0, 1, -2, 0.5, 2.5, -1e300, 1e-310, 170};
  for (double x : kValues) {
    for (int i = 1; i <= fast.VariablesCount(); ++i) {
      plotara::CVariable* v = fast.Variable(i);
      v->Value = x;
      if (wrapped) general.Variable(v->Name, true, x);
    }
    const Outcome a = Evaluate(fast);
    const Outcome b = Evaluate(fast);
    if (!(a == b)) Differ("two evaluations differ", text, a, b);
    if (wrapped) {
      const Outcome c = Evaluate(general);
      if (!(a == c)) Differ("the fast path and the general interpreter differ", text, a, c);
    }
  }
  return 0;
}
