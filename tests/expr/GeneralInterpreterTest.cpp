// The general interpreter's operations. A formula of constants is computed by the fast form, folded, so
// these tests give their operations variables or text, or wrap them as IIF(1, (formula), 0), to reach
// the general interpreter's own handler of each operation.
#include <string>
#include <vector>

#include "ExprTesting.h"

namespace plotara {
namespace {

// Each operation against the fast form at the operands where it differs from its neighbours: equal
// operands for the comparisons, halves for the roundings, signs for the logical operators.
TEST(GeneralInterpreter, OperationsAgreeWithTheFastFormWhereNeighboursDiffer) {
  struct Row {
    std::vector<const char*> formulas;
    std::vector<std::pair<double, double>> xy;
  };
  const Row rows[] = {
      {{"x = y", "x <> y", "x < y", "x <= y", "x > y", "x >= y", "MIN(x, y)", "MAX(x, y)"},
       {{1, 2}, {2, 2}, {2, 1}}},
      {{"x AND y", "x OR y", "x XOR y"}, {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {-1, 1}, {0.5, -0.5}}},
      {{"ROUND(x)", "INT(x)", "FIX(x)", "ABS(x)", "-x", "SGN(x)", "NOT x"},
       {{-2.5, 0}, {-1.5, 0}, {-0.5, 0}, {0, 0}, {0.5, 0}, {1.5, 0}, {2.5, 0}}},
      // "\" and MOD alone give an integer or a double by value, which the fast form does not take on.
      {{"x \\ y + 0.5", "x MOD y + 0.5", "x | y + 0.5", "x / y", "x ^ y", "NCR(x, y)", "NPR(x, y)"},
       {{7, 2}, {-7, 2}, {7.5, 2}, {6.5, -2}, {5, 0}, {-8, 3}, {3, 5}}},
  };
  for (const Row& r : rows) {
    for (const char* f : r.formulas) {
      for (const auto& [x, y] : r.xy) {
        CExpression fast, general;
        fast.Expression(f);
        general.Expression(std::string("IIF(1, (") + f + "), 0)");
        ASSERT_EQ(fast.ErrorCode(), 0) << f;
        for (CExpression* e : {&fast, &general}) {
          e->Variable("x", true, x);
          e->Variable("y", true, y);
        }
        const Outcome a = Evaluate(fast), b = Evaluate(general);
        EXPECT_TRUE(a.SameAs(b)) << f << " with x = " << x << ", y = " << y << ": " << a << " against " << b;
      }
    }
  }
}

// Where the fast form has no say: integer widths and text operands.
TEST(GeneralInterpreter, IntegerWidthsAndTextOperands) {
  struct Row {
    const char* text;
    ExprValue value;
    int runtimeError;
  };
  const Row rows[] = {
      // A comparison gives a 16-bit integer; "\" and MOD keep 16 bits only between two of them.
      {"(2 > 1) \\ (2 > 1)", I(1), 0},
      {"(2 > 1) MOD (3 > 1)", I(0), 0},
      {"-(2 > 1) | (3 > 1)", I(0), 0},
      {"(2 > 1) \\ 1", L(1), 0},
      {"(2 > 1) MOD 2", L(1), 0},
      // Only "+" joins texts; the other operators read them as numbers.
      {"'a' - 'b'", ExprValue(), 13},
      {"'a' * 'b'", ExprValue(), 13},
      {"'' - ''", ExprValue(), 13},
      {"'6' - '4'", D(2), 0},
      {"'6' * '4'", D(24), 0},
  };
  for (const Row& r : rows) {
    CExpression e;
    e.Expression(r.text);
    ASSERT_EQ(e.ErrorCode(), 0) << r.text;
    const Outcome o = Evaluate(e);
    EXPECT_EQ(o.runtimeError, r.runtimeError) << r.text;
    EXPECT_EQ(o.value, r.value) << r.text;
  }
}

// RND fails on text before it draws, so a failed call leaves the sequence where it was.
TEST(GeneralInterpreter, RndDrawsOnlyForANumber) {
  CExpression e;
  e.Expression("RND(1)");
  e.Randomize(3);
  const ExprValue first = e.Value();
  e.Randomize(3);
  e.Expression("RND('one')");
  EXPECT_EQ(Evaluate(e).runtimeError, 13);
  e.Expression("RND(1)");
  EXPECT_EQ(e.Value(), first);
}

}  // namespace
}  // namespace plotara
