// Values, the evaluation of a formula over an array of x: the same bits as Value at every x, and NaN
// exactly where Value fails, so that the caller's Value there reports what it always reported.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "ExprTesting.h"

namespace plotara {
namespace {

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// The x values of a test: the edges where operations fail or change (zero of either sign, +-1, halves,
// overflow of EXP and FACT, infinities, NaN) and then a sweep long enough for several blocks, which ends
// in a partial one.
std::vector<double> TestXs() {
  const double inf = INFINITY;
  std::vector<double> xs = {0.0,    -0.0, 1,     -1,  0.5,      -0.5,      1.5,    -1.5,    2.5,
                            -2.5,   2,    3,     7,   -7,       0.25,      169,    169.4,   169.6,
                            170,    -710, 709.7, 710, 1e-300,   1e15,      1e22,   -1e22,   1e308,
                            -1e308, inf,  -inf,  NAN, 0.999999, -1.000001, 1e-310, -5e-324, 1.7e308};
  for (int i = 0; i < 700; ++i) xs.push_back(-8 + 16.0 * i / 699);
  return xs;
}

// What the caller of Values sees at each x: the array's number, or Value's outcome where that is NaN.
std::vector<Outcome> Through(CExpression& e, CVariable& x, const std::vector<double>& xs,
                             std::vector<double>& ys) {
  ys.assign(xs.size(), 0.0);
  e.Values(x, xs, ys);
  std::vector<Outcome> out(xs.size());
  for (size_t i = 0; i < xs.size(); ++i) {
    if (std::isnan(ys[i])) {
      x.Value = xs[i];
      out[i] = Evaluate(e);
    } else {
      out[i].value = ys[i];
    }
  }
  return out;
}

// Every operation, at the values where it fails, rounds or changes sign, in radians and in degrees:
// the array gives the number Value gives (a 16-bit integer's as a double), and NaN only where Value
// fails or has no number.
TEST(Values, AgreeWithValueAtEveryXIncludingFailures) {
  const char* const formulas[] = {
      // arithmetic, signs of zero, overflow
      "x + 1", "x - 3", "1 - x", "x * 2", "x * -0", "-x", "0 - x", "x / 4", "1 / x", "x / (x - 2)", "x ^ 2",
      "x ^ 3", "x ^ 0.5", "2 ^ x", "(x - 2) ^ -1", "x ^ x", "(-x) ^ 2.5", "x \\ 2 + 0.5", "7 \\ x + 0.5",
      "x MOD 3 + 0.5", "5 MOD x + 0.5", "x | 2 + 0.5", "x * x * x * x * 1e100",
      // functions and their domains
      "ABS(x)", "INT(x)", "FIX(x)", "ROUND(x)", "SGN(x)", "SQR(x)", "LOG(x)", "LN(x)", "EXP(x)", "SIN(x)",
      "COS(x)", "TAN(x)", "ATN(x)", "ATAN(x)", "ASIN(x)", "ACOS(x)", "SINH(x)", "COSH(x)", "TANH(x)",
      "ASINH(x)", "ACOSH(x)", "ATANH(x)", "FACT(x)", "NCR(x, 2)", "NPR(7, x)", "MIN(x, 0.5)", "MAX(x, 0.5)",
      // integer results, logic, choices
      "x = 1", "x <> 1", "x < 1", "x <= 1", "x > 1", "x >= 1", "x AND 1", "x OR 0", "x XOR 1", "NOT x",
      "-(x > 1)", "SGN(x) * 2.5", "IIF(x > 0, x, -x)", "IIF(x, 1 / x, LOG(x))", "IIF(0, COS(x), SIN(x))",
      "IIF(1, COS(x), SIN(x))",
      // the benchmark's formulas, shared parts, parts without x
      "2*SIN(x)+1", "x^2+3*x+1", "SIN(x)*COS(x)", "(x+1)*(x-1)/(x*x+1)", "EXP(-x*x/2)*COS(3*x)",
      "SQR(ABS(x))+LOG(ABS(x)+1)", "IIF(x > 0, x, -x) + MAX(x, 0.5)", "SIN(x) / COS(x) - TAN(x) + SIN(x)",
      "SIN(2) * x + COS(PI / 3)", "2.5", "x", "SIN(1 / x) + COS(1 / x)", "EXP(x) - EXP(x) + 1 / (x - x)",
      // a failure under an operation that hides it (EXP of -inf is 0, 1 / inf is 0, a choice)
      "EXP(LN(x))", "EXP(-x * x)", "ATN(x * x)", "ATN(1 / x)", "TANH(EXP(x))", "MAX(LOG(x), 0.5)",
      "1 / EXP(x)", "IIF(x > 0, SQR(x), 0.5)", "ABS(SIN(EXP(x))) + 1", "-INT(LN(x) / 2) * 3",
      // library calls side by side, and one that waits for another
      "EXP(SIN(x)) + LN(COS(x))", "LOG(x) + EXP(x) * ATN(x) - TAN(x)", "EXP(LN(x) + 1) * SIN(x)",
      // division by powers of two and by others
      "x / 2", "x / 0.125", "x / -4", "x / 3", "x / 2 ^ 1023", "(x + 1) / 1024"};
  const std::vector<double> xs = TestXs();
  std::vector<double> ys;
  for (const bool degrees : {false, true}) {
    for (const char* f : formulas) {
      CExpression e;
      e.DeGRad(degrees);
      e.Expression(f);
      ASSERT_EQ(e.ErrorCode(), 0) << f;
      CVariable& x = *e.Variable("x", true, 0);
      const std::vector<Outcome> array = Through(e, x, xs, ys);
      for (size_t i = 0; i < xs.size(); ++i) {
        x.Value = xs[i];
        const Outcome one = Evaluate(e);
        // Where Value gives a number, so does the array, with the same bits; elsewhere the array
        // leaves it to Value.
        const bool number = one.errorCode == 0 && one.runtimeError == 0 && one.value.IsNumeric();
        const double want = number ? one.value.Number() : NAN;
        EXPECT_TRUE(SameBits(ys[i], want) || (std::isnan(ys[i]) && std::isnan(want)))
            << f << (degrees ? " (degrees)" : "") << " at x = " << xs[i] << ": " << ys[i] << " against "
            << one;
        if (!number) {
          EXPECT_TRUE(array[i].SameAs(one))
              << f << " at x = " << xs[i] << ": " << array[i] << " against " << one;
        }
      }
    }
  }
}

// Formulas without an all-numeric form, or read through another variable that is not a number, leave
// every x to Value; an error state already set leaves Value to say so.
TEST(Values, LeaveToValueWhatOnlyTheGeneralInterpreterComputes) {
  struct Row {
    const char* formula;
    const char* other;  // the value of variable a, as text or number
  };
  const Row rows[] = {
      {"x & \"\"", nullptr}, {"LEN(\"ab\") + x", nullptr}, {"RND * 0 + x", nullptr}, {"a + x", "text"}};
  const std::vector<double> xs = TestXs();
  std::vector<double> ys;
  for (const Row& r : rows) {
    for (const bool raise : {true, false}) {
      CExpression e, scalar;
      for (CExpression* c : {&e, &scalar}) {
        c->RaiseErrors(raise);
        c->DefaultValue(ExprValue(-1.0));
        c->Expression(r.formula);
        if (r.other) c->Variable("a", true, 0)->Value = ExprValue(r.other);
      }
      const std::vector<Outcome> array = Through(e, *e.Variable("x", true, 0), xs, ys);
      CVariable& x = *scalar.Variable("x", true, 0);
      for (size_t i = 0; i < xs.size(); ++i) {
        x.Value = xs[i];
        const Outcome one = Evaluate(scalar);
        EXPECT_TRUE(array[i].SameAs(one))
            << r.formula << " at x = " << xs[i] << ": " << array[i] << " against " << one;
      }
    }
  }
  CExpression e;
  e.Expression("1 / x");
  CVariable& x = *e.Variable("x", true, 0);
  e.Value();  // division by zero: error 5 stays set
  ASSERT_NE(e.ErrorCode(), 0);
  ys.assign(3, 0);
  e.Values(x, std::vector<double>{1, 2, 4}, ys);
  for (double y : ys) EXPECT_TRUE(std::isnan(y));
  EXPECT_TRUE(e.Value().IsEmpty());
}

// What the array reads besides x is read at each call, the angle mode too; a recompiled formula or
// another variable as x is followed.
TEST(Values, FollowOtherVariablesAngleModeAndRecompiling) {
  CExpression e;
  e.Expression("SIN(a) * x + y");
  CVariable& x = *e.Variable("x", true, 0);
  CVariable& y = *e.Variable("y", true, 0);
  CVariable& a = *e.Variable("a", true, 0);
  const std::vector<double> xs = {1, 2, 3};
  std::vector<double> ys(3);
  auto expectValues = [&](CVariable& v, std::initializer_list<double> want) {
    e.Values(v, xs, ys);
    EXPECT_EQ(ys, std::vector<double>(want)) << e.Expression();
  };
  a.Value = 1.0;
  expectValues(x, {std::sin(1.0), 2 * std::sin(1.0), 3 * std::sin(1.0)});
  EXPECT_EQ(x.Value, D(3));  // the last x
  a.Value = 2.0;
  e.DeGRad(true);
  const double s = std::sin(2.0 * (3.14159265358979 / 180));
  expectValues(x, {s, 2 * s, 3 * s});
  x.Value = 10.0;
  expectValues(y, {10 * s + 1, 10 * s + 2, 10 * s + 3});
  e.Expression("x * y");  // compiling sets the variables it names to 0
  x.Value = 10.0;
  expectValues(y, {10, 20, 30});
}

// SIN and COS of the same operand are computed by one call of sincos: each has the bits of its own
// function, over angles of every size.
TEST(Values, SineAndCosineTogetherHaveTheBitsOfEachAlone) {
  std::vector<double> xs;
  uint64_t state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;  // [0, 1)
    xs.push_back((i % 2 ? 1 : -1) * unit * std::pow(10.0, i % 40 - 20));
  }
  CExpression e;
  std::vector<double> ys(xs.size());
  for (const char* f : {"IIF(0, COS(x), SIN(x))", "IIF(1, COS(x), SIN(x))"}) {
    e.Expression(f);
    e.Values(*e.Variable("x", true, 0), xs, ys);
    const bool cosine = f[4] == '1';
    for (size_t i = 0; i < xs.size(); ++i) {
      const double want = cosine ? std::cos(xs[i]) : std::sin(xs[i]);
      ASSERT_TRUE(SameBits(ys[i], want)) << f << " at x = " << xs[i];
    }
  }
}

}  // namespace
}  // namespace plotara
