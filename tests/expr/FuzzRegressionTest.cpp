// Inputs on which the fuzzer (fuzz/expr_fuzz.cpp) once failed, replayed with its checks: two
// evaluations agree, and the numeric fast form agrees with the general interpreter to the bit.
#include <string>

#include "ExprTesting.h"

namespace plotara {
namespace {

struct Case {
  const char* text;
  bool raiseErrors;
  const char* why;
};

const Case kCases[] = {
    // MOD gave -0 in the fast form where the general interpreter has the integer 0.
    {"(x+1)*(x mOD -XOR MOD fxx )", true, "negative zero of an integer result"},
    // NumberText read the exponent past the end of its digits, so error texts depended on what an
    // earlier call had left in memory.
    {"-2^2 + 2^2 + 2^3^2 - (-2)^-3^+ - (-2)^-2 + 7 \\ 2", true, "error text of (-0.125) ^ -0.25"},
    {"2D-3/(-C1OS*3^22)^rrrrrrrrrrrr-1201", true, "error text of (-1.569E+100) ^ 0.5"},
};

TEST(FuzzRegression, EvaluationsAgree) {
  const double values[] = {0, 1, -2, 0.5, 2.5, -1e300, 1e-310, 170};
  for (const Case& c : kCases) {
    CExpression fast, general;
    fast.RaiseErrors(c.raiseErrors);
    general.RaiseErrors(c.raiseErrors);
    fast.Expression(c.text);
    general.Expression(std::string("IIF(1, (") + c.text + "), 0)");
    ASSERT_EQ(fast.ErrorCode(), 0) << c.text;
    ASSERT_EQ(general.ErrorCode(), 0) << c.text;
    for (double x : values) {
      for (int i = 1; i <= fast.VariablesCount(); ++i) {
        fast.Variable(i)->Value = x;
        general.Variable(fast.Variable(i)->Name, true, x);
      }
      const Outcome a = Evaluate(fast), b = Evaluate(fast), g = Evaluate(general);
      EXPECT_TRUE(a.SameAs(b)) << c.why << ", x = " << x << ": " << a << " then " << b;
      EXPECT_TRUE(a.SameAs(g)) << c.why << ", x = " << x << ": " << a << " against " << g;
    }
  }
}

TEST(FuzzRegression, ErrorTextsOfTheseInputs) {
  struct Row {
    const char* text;
    double x;
    const char* description;
  };
  const Row rows[] = {
      {"-2^2 + 2^2 + 2^3^2 - (-2)^-3^+ - (-2)^-2 + 7 \\ 2", 0, "(-0.125) ^ -0.25"},
      {"(-1.569E+100)^0.5 + x", 0, "(-1.569E+100) ^ 0.5"},
      {"(-1.569E+10)^0.5 + x", 0, "(-1.569E+10) ^ 0.5"},
  };
  for (const Row& r : rows) {
    CExpression e;
    e.Expression(r.text);
    e.Variable("x", true, r.x);
    e.Value();
    EXPECT_EQ(e.ErrorCode(), 5) << r.text;
    EXPECT_EQ(e.ErrorDescription(), r.description) << r.text;
  }
}

}  // namespace
}  // namespace plotara
