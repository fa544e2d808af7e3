// Evaluation: operators, constants and functions with their value types, evaluation errors, failure
// modes, the angle mode, RND, RPNExpression and NumberText.
#include <cmath>
#include <string>
#include <vector>

#include "ExprTesting.h"

namespace plotara {
namespace {

constexpr double kPi15 = 3.14159265358979;

// The library's result at run time: the compiler may fold a call with a constant argument more exactly
// than the library computes it.
double At(double v) {
  volatile double x = v;
  return x;
}

ExprValue ValueOf(const std::string& text, double x = 0, bool degrees = false) {
  CExpression e;
  e.DeGRad(degrees);
  e.Expression(text);
  EXPECT_EQ(e.ErrorCode(), 0) << text << ": " << e.ErrorDescription();
  e.Variable("x", true, x);
  const ExprValue v = e.Value();
  EXPECT_EQ(e.ErrorCode(), 0) << text << ": " << e.ErrorDescription();
  return v;
}

TEST(Evaluate, ValuesAndTheirTypes) {
  struct Row {
    const char* text;
    double x;
    ExprValue value;
  };
  const Row rows[] = {
      {"2+3*4", 0, L(14)},
      {"2^3^2", 0, D(64)},
      {"-2^2", 0, D(4)},
      {"-x^2", 2, D(-4)},
      {"(-2)^3", 0, D(-8)},
      {"(-2)^-3", 0, D(-0.125)},
      {"(-2)^2", 0, D(4)},
      {"2^0.5", 0, D(std::sqrt(At(2.0)))},
      {"7 \\ 2", 0, L(3)},
      {"-7 \\ 2", 0, L(-3)},
      {"7.5 \\ 2", 0, L(4)},  // 7.5 rounds to 8
      {"6.5 \\ 2", 0, L(3)},  // 6.5 rounds to 6
      {"7 MOD 2", 0, L(1)},
      {"-7 MOD 3", 0, L(-1)},
      {"7 | 3", 0, L(1)},
      {"10 / 4", 0, D(2.5)},
      {"2147483647 + 1", 0, D(2147483648.0)},  // integers widen rather than overflow
      {"-2147483647 - 1", 0, L(-2147483647 - 1)},
      {"65536 * 65536", 0, D(4294967296.0)},
      {"2 > 1", 0, I(1)},
      {"2 < 1", 0, I(0)},
      {"2 >= 2", 0, I(1)},
      {"2 <= 1.5", 0, I(0)},
      {"2 = 2.0", 0, I(1)},
      {"2 <> 2", 0, I(0)},
      {"-1 AND 1", 0, I(0)},  // negative values are false
      {"0.5 AND 2", 0, I(1)},
      {"0 OR 3", 0, I(1)},
      {"1 XOR 1", 0, I(0)},
      {"NOT 0", 0, I(1)},
      {"NOT -5", 0, I(1)},
      {"NOT 3", 0, I(0)},
      {"(1 > 0) + (2 > 0)", 0, I(2)},
      {"-(1 > 0)", 0, I(-1)},
      {"PI", 0, D(kPi15)},
      {"PI()", 0, D(kPi15)},
      {"DEG", 0, D(std::atan(At(1.0)) / 45)},
      {"RAD", 0, D(45 / std::atan(At(1.0)))},
      {"ABS(-3)", 0, L(3)},
      {"ABS(-2.5)", 0, D(2.5)},
      {"ABS(-2147483647 - 1)", 0, D(2147483648.0)},
      {"INT(-2.5)", 0, D(-3)},
      {"FIX(-2.5)", 0, D(-2)},
      {"SGN(-0.1)", 0, I(-1)},
      {"SGN(0)", 0, I(0)},
      {"ROUND(2.5)", 0, D(2)},
      {"ROUND(3.5)", 0, D(4)},
      {"SQR(16)", 0, D(4)},
      {"LOG(100)", 0, D(2)},
      {"LOG(1000)", 0, D(3)},
      {"LN(EXP(2))", 0, D(2)},
      {"SIN(x)", 0.5, D(std::sin(At(0.5)))},
      {"COS(PI)", 0, D(std::cos(At(kPi15)))},
      {"TAN(x)", 1, D(std::tan(At(1.0)))},
      {"ATN(1) * 4", 0, D(std::atan(At(1.0)) * 4)},
      {"ATAN(x)", 2, D(std::atan(At(2.0)))},
      {"ASIN(1)", 0, D(kPi15 / 2)},
      {"ASIN(-1)", 0, D(-kPi15 / 2)},
      {"ACOS(-1)", 0, D(kPi15)},
      {"ACOS(1)", 0, D(0)},
      {"ASIN(0.5)", 0, D(std::atan(At(0.5 / std::sqrt(0.75))))},
      {"SINH(1)", 0, D(std::sinh(At(1.0)))},
      {"COSH(1)", 0, D(std::cosh(At(1.0)))},
      {"TANH(1000)", 0, D(1)},                        // no overflow of e^x on the way
      {"ASINH(-1e10)", 0, D(std::asinh(At(-1e10)))},  // no cancellation to ln(0)
      {"ACOSH(1)", 0, D(0)},
      {"ATANH(0.5)", 0, D(std::atanh(At(0.5)))},
      {"FACT(3.5)", 0, D(24)},
      {"FACT(2.5)", 0, D(2)},
      {"FACT(0)", 0, D(1)},
      {"FACT(1)", 0, D(1)},
      {"FACT(5)", 0, D(120)},
      {"FACT(4.5)", 0, D(24)},          // halves to even
      {"FACT(169) > 4E+304", 0, I(1)},  // the largest it takes
      {"NCR(5,2)", 0, D(10)},
      {"NPR(5,2)", 0, D(20)},
      {"MIN(3, 2)", 0, L(2)},
      {"MAX(3, 2.5)", 0, L(3)},
      {"MIN(2, 2.0)", 0, D(2)},  // the left one wins only when strictly smaller
      {"IIF(x > 0, 1, -1)", 3, L(1)},
      {"IIF(x > 0, 1, -1)", -3, L(-1)},
      {"x", 0.25, D(0.25)},
      {"3 * 1E-1 + 0.1", 0, D(3 * 0.1 + 0.1)},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(ValueOf(r.text, r.x), r.value) << r.text << " with x = " << r.x;
  }
}

TEST(Evaluate, Text) {
  struct Row {
    const char* text;
    ExprValue value;
  };
  const Row rows[] = {
      {"'a' & 1", S("a1")},
      {"1 & 0.1 & 'x'", S("10.1x")},
      {"'a' + 'b'", S("ab")},
      {"'10' + 5", D(15)},
      {"'abc' < 'abd'", I(1)},
      {"'B' < 'a'", I(1)},   // character codes
      {"'b' > 1000", I(1)},  // a number is smaller than text that is not a number
      {"'2' > 10", I(0)},    // text that is a number compares as a number
      {"MID('hello', 2, 3)", S("ell")},
      {"MID('hello', 4, 10)", S("lo")},
      {"MID('hello', 9, 1)", S("")},
      {"INSTR(1, 'hello', 'l')", L(3)},
      {"INSTR(4, 'hello', 'l')", L(4)},
      {"INSTR(5, 'hello', 'l')", L(0)},
      {"INSTR(2, 'hello', '')", L(2)},
      {"LEN('hello')", L(5)},
      {"LEN(12.5)", L(4)},
      {"ASC('A')", I(65)},
      {"SPACE(2) & '|'", S("  |")},
      {"STRING(3, 'xy')", S("xxx")},
      {"STRING(2, 65)", S("AA")},
      {"LEFT('hello', 2) & RIGHT('hello', 3)", S("hello")},
      {"LEFT('hi', 9)", S("hi")},
      {"MAX('a', 'b')", S("b")},
      {"IIF(1, 'yes', 'no')", S("yes")},
  };
  for (const Row& r : rows) EXPECT_EQ(ValueOf(r.text), r.value) << r.text;
}

TEST(Evaluate, EvaluationErrors) {
  struct Row {
    const char* text;
    double x;
    const char* description;
  };
  const Row rows[] = {
      {"1/0", 0, "Div by zero"},
      {"1/x", 0, "Div by zero"},
      {"7 \\ 0.4", 0, "Div by zero"},  // 0.4 rounds to 0
      {"(-2)^0.5", 0, "(-2) ^ 0.5"},
      {"(-2)^101", 0, "(-2) ^ 101"},
      {"x^0.5", -12.345, "(-12.345) ^ 0.5"},
      {"LN(0)", 0, "LN(0)"},
      {"LOG(-x)", 123.456, "LOG(-123.456)"},
      {"ASIN(1.5)", 0, "ASIN(1.5)"},
      {"ACOS(-2)", 0, "ACOS(-2)"},
      {"ACOSH(0.5)", 0, "ACOSH(0.5)"},
      {"ATANH(-1)", 0, "ATANH(-1)"},
      {"ATANH(2)", 0, "ATANH(2)"},
      {"FACT(170)", 0, "FACT(170)"},
      {"FACT(169.6)", 0, "FACT(169.6)"},  // above 169 before it is rounded
      {"FACT(-1)", 0, "FACT(-1)"},
      {"NCR(2,5)", 0, "nCr(2,5)"},
      {"NPR(x,2)", 1e7, "nPr(1.E+07,2)"},
      {"1 + (1/0) * SQR(-1)", 0, "Div by zero"},  // evaluation stops at the first error
  };
  for (const Row& r : rows) {
    CExpression e;
    e.Expression(r.text);
    e.Variable("x", true, r.x);
    e.DefaultValue(D(-99));
    EXPECT_EQ(e.Value(), D(-99)) << r.text;
    EXPECT_EQ(e.ErrorCode(), 5) << r.text;
    EXPECT_EQ(e.ErrorDescription(), r.description) << r.text;
    EXPECT_EQ(e.ErrorPos(), 0) << r.text;
  }
}

TEST(Evaluate, AfterAnErrorValueIsEmptyUntilRecompiledOrCleared) {
  CExpression e;
  e.Expression("1/x");
  e.Variable("x", true, 0);
  e.DefaultValue(D(-1));
  EXPECT_EQ(e.Value(), D(-1));
  e.Variable("x", false, 4);
  EXPECT_TRUE(e.Value().IsEmpty());  // not evaluated
  EXPECT_EQ(e.RPNExpression(), "");
  e.ClearError();
  EXPECT_EQ(e.Value(), D(0.25));
  e.Variable("x", false, 0);
  e.Value();
  e.Expression("1/x");
  e.Variable("x", false, 2);
  EXPECT_EQ(e.Value(), D(0.5));
}

// Failures of an operation set no error code. While RaiseErrors is true they reach the caller as the
// run-time error; while it is false Value returns DefaultValue. Either way nothing is left behind.
TEST(Evaluate, RunTimeFailures) {
  struct Row {
    const char* text;
    int error;
  };
  const Row rows[] = {
      {"SQR(-4)", 5},
      {"1 + SQR(x - 5)", 5},
      {"EXP(1000)", 6},
      {"1E300 * 1E300", 6},
      {"10 ^ 400", 6},
      {"SINH(1000)", 6},
      {"0 ^ -1", 11},
      {"5 MOD 0", 11},
      {"5 | 0.4", 11},
      {"ATANH(1)", 11},
      {"'a' - 1", 13},
      {"NOT 'yes'", 13},
      {"SIN('')", 13},
      {"ASC('')", 5},
      {"SPACE(-1)", 5},
      {"MID('abc', 0, 1)", 5},
      {"INSTR(0, 'abc', 'b')", 5},
      {"STRING(2, 256)", 5},
      {"LEFT('abc', -1)", 5},
      {"SPACE(3E9)", 6},
      {"SPACE(2000000)", 14},
      {"STRING(1048576, 'a') & 'b'", 14},
  };
  for (const Row& r : rows) {
    CExpression e;
    e.Expression(r.text);
    ASSERT_EQ(e.ErrorCode(), 0) << r.text;
    int raised = 0;
    try {
      e.Value();
    } catch (const RuntimeError& x) {
      raised = x.Number();
    }
    EXPECT_EQ(raised, r.error) << r.text;

    e.RaiseErrors(false);
    e.DefaultValue(S("none"));
    EXPECT_EQ(e.Value(), S("none")) << r.text;
    EXPECT_EQ(e.ErrorCode(), 0) << r.text;
  }
}

TEST(Evaluate, ValueCopiesTheArrayIntoTheVariablesInCreationOrder) {
  CExpression e;
  e.Expression("x*y");
  const ExprValue vars[] = {D(3), D(4), D(5)};  // the third has no variable
  EXPECT_EQ(e.Value(vars), D(12));
  EXPECT_EQ(e.Variable(2)->Value, D(4));
  const ExprValue text[] = {S("2"), L(5)};
  EXPECT_EQ(e.Value(text), D(10));
}

TEST(Evaluate, EvaluateCompilesAndEvaluates) {
  CExpression e;
  const ExprValue vars[] = {D(2), D(5)};
  EXPECT_EQ(e.Evaluate("a - b", vars), D(-3));
  EXPECT_TRUE(e.Evaluate("a -", vars).IsEmpty());
  EXPECT_EQ(e.ErrorCode(), 1);
  EXPECT_TRUE(e.Evaluate("", vars).IsEmpty());
  EXPECT_EQ(e.Evaluate("'ok'"), S("ok"));
}

TEST(Evaluate, AngleMode) {
  struct Row {
    const char* text;
    double value;
  };
  const Row rows[] = {
      {"SIN(90)", 1},
      {"COS(180)", std::cos(At(180 * (kPi15 / 180)))},
      {"ASIN(1)", 90},
      {"ACOS(-1)", 180},
      {"ATN(1)", std::atan(At(1.0)) / (kPi15 / 180)},
      {"TAN(45)", std::tan(At(45 * (kPi15 / 180)))},
      {"SINH(1)", std::sinh(At(1.0))},  // hyperbolic functions are not angles
  };
  for (const Row& r : rows) EXPECT_EQ(ValueOf(r.text, 0, true), D(r.value)) << r.text;
}

TEST(Evaluate, RndFollowsItsSeed) {
  CExpression e;
  e.Expression("RND(10)");
  e.Randomize(7);
  std::vector<double> first;
  for (int i = 0; i < 100; ++i) {
    const double v = e.Value().DoubleValue();
    EXPECT_GE(v, 0);
    EXPECT_LT(v, 10);
    first.push_back(v);
  }
  EXPECT_NE(first[0], first[1]);
  e.Randomize(7);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(e.Value().DoubleValue(), first[i]);
  e.Expression("RND(0)");
  EXPECT_EQ(e.Value(), D(0));
}

TEST(Evaluate, RPNExpressionQuotesText) {
  struct Row {
    const char* text;
    const char* rpn;
  };
  const Row rows[] = {
      {"'plain'", " \"plain\""},
      {"'a\"b'", " 'a\"b'"},  // a double quote inside: single quotes
      {"\"it's\"", " \"it's\""},
      {"'x\"y''z'", " \"x\"\"y'z\""},  // both kinds: double quotes, doubled inside
      {"Velocity * 2.5", " Velocity 2.5 *"},
  };
  for (const Row& r : rows) {
    CExpression e;
    e.Expression(r.text);
    EXPECT_EQ(e.RPNExpression(), r.rpn) << r.text;
  }
}

TEST(Evaluate, RPNExpressionNamesVariablesAsFirstCreated) {
  CExpression e;
  e.Variable("Speed", true, 0);
  e.Expression("SPEED + speed");
  EXPECT_EQ(e.RPNExpression(), " Speed Speed +");
}

TEST(Evaluate, NumberText) {
  struct Row {
    double x;
    const char* text;
  };
  const Row rows[] = {
      {0, "0"},
      {5, "5"},
      {-2, "-2"},
      {0.5, "0.5"},
      {12.345, "12.345"},
      {123.456, "123.46"},
      {1234.5678, "1234.6"},
      {999999, "999999"},
      {0.0015, "0.002"},  // halves away from zero
      {0.0025, "0.003"},
      {0.00125, "0.001"},
      {-123.456, "-123.456"},  // only x >= 10 shortens the decimals
      {1234567, "1.235E+06"},
      {2e7, "2.E+07"},
      {9.9996e6, "1.E+07"},
      {1e100, "1.E+100"},
      {-1.569e100, "-1.569E+100"},
      {-1.569e10, "-1.569E+10"},
      {0.001, "1.E-03"},
      {-0.000123456, "-1.235E-04"},
      {1e-300, "1.E-300"},
  };
  for (const Row& r : rows) EXPECT_EQ(CExpression::NumberText(r.x), r.text) << r.x;
}

// Value takes a numeric fast form of the program when it can. Wrapping a formula as IIF(1, (formula),
// 0) makes its result type depend on values, which sends it through the general interpreter; both must
// give the same outcome, to the bit.
TEST(Evaluate, FastFormAgreesWithTheGeneralInterpreter) {
  const char* formulas[] = {
      "2*SIN(x)+1",
      "x^2+3*x+1",
      "SIN(x)*COS(x)",
      "(x+1)*(x-1)/(x*x+1)",
      "EXP(-x*x/2)*COS(3*x)",
      "SQR(ABS(x))+LOG(ABS(x)+1)",
      "IIF(x > 0, x, -x) + MAX(x, 0.5) - MIN(x, 0)",
      "x^3 - x^-2 + (-x)^2 + 2^x",
      "(x MOD 3) * x + (x \\ 2) / x + x \\ 2 * x",
      "-(x > 1) * x + (NOT x) * 2.5 + SGN(x) * x * (x <= 2) - (x XOR 1) * x",
      "MAX(x, 0) * x + MIN(x, 1) - x + IIF(x, 1, x) * 3",
      "FACT(x) + NCR(x + 4, 2) / NPR(6, 2) + ATANH(x / 10) + ACOSH(x + 2)",
      "ASIN(x / 8) + ACOS(x / 8) + ATN(x) + TAN(x) + SINH(x) + COSH(x) + TANH(x) + ASINH(x)",
      "INT(x) + FIX(x) + ROUND(x) + 2 * PI + DEG * RAD + (3 + 4) * x",
      "1 / x + LN(x) + x ^ 0.5",
      "(-2 * 0) * x + x * 0 - 0 * -x",
  };
  const double xs[] = {0, -0.0, 1, -1, 2.5, -2.5, 3, 0.1, -7, 1e300, -1e300, 170};
  for (const char* f : formulas) {
    for (int degrees = 0; degrees < 2; ++degrees) {
      for (double x : xs) {
        CExpression fast, general;
        fast.DeGRad(degrees);
        general.DeGRad(degrees);
        fast.Expression(f);
        general.Expression(std::string("IIF(1, (") + f + "), 0)");
        ASSERT_EQ(fast.ErrorCode(), 0) << f;
        fast.Variable("x", true, x);
        general.Variable("x", true, x);
        const Outcome a = Evaluate(fast), b = Evaluate(general);
        EXPECT_TRUE(a.SameAs(b)) << f << " with x = " << x << ": " << a << " against " << b;
      }
    }
  }
}

TEST(Evaluate, AVariableHoldingTextIsReadAsText) {
  CExpression e;
  e.Expression("x & '!' & LEN(x)");
  e.Variable(1)->Value = S("hey");
  EXPECT_EQ(e.Value(), S("hey!3"));
  e.Expression("x * 2");
  e.Variable(1)->Value = S("2.5");
  EXPECT_EQ(e.Value(), D(5));
  e.Variable(1)->Value = L(3);
  EXPECT_EQ(e.Value(), L(6));
}

}  // namespace
}  // namespace plotara
