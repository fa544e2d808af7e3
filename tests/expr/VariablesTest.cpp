// Variables and user-defined functions.
#include <cmath>
#include <string>

#include "ExprTesting.h"

namespace plotara {
namespace {

double At(double v) {  // keeps the compiler from folding a library call
  volatile double x = v;
  return x;
}

TEST(Variables, LookupIgnoresLetterCaseAndKeepsTheFirstName) {
  CExpression e;
  CVariable* x = e.Variable("x", true, 1);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(e.Variable("X", true, 5), x);
  EXPECT_EQ(x->Value, D(5));
  EXPECT_EQ(x->Name, "x");
  EXPECT_EQ(e.Variable("y", false, 1), nullptr);
  EXPECT_EQ(e.VariablesCount(), 1);
}

TEST(Variables, ByPosition) {
  CExpression e;
  e.Variable("a", true, 1);
  CVariable* b = e.Variable("b", true, 2);
  EXPECT_EQ(e.Variable(2, false, 0), b);
  EXPECT_EQ(b->Value, D(2));  // no value changed
  EXPECT_EQ(e.Variable(9, false, 0), nullptr);
  EXPECT_EQ(e.Variable(0, false, 0), nullptr);
}

TEST(Variables, AddVariableReplacesAndMovesToTheEnd) {
  CExpression e;
  e.Variable("a", true, 1);
  e.Variable("b", true, 2);
  EXPECT_EQ(e.AddVariable(std::make_shared<CVariable>("A", S("new"))), 2);
  EXPECT_EQ(e.Variable(1)->Name, "b");
  EXPECT_EQ(e.Variable(2)->Name, "A");
  EXPECT_EQ(e.Variable(2)->Value, S("new"));
  EXPECT_EQ(e.AddVariable(nullptr), 2);
}

TEST(Variables, CompiledProgramsKeepTheirVariables) {
  CExpression e;
  e.Expression("x * 2");
  CVariable* x = e.Variable(1);
  x->Value = D(3);
  EXPECT_EQ(e.Value(), D(6));
  e.ResetVariables();
  EXPECT_EQ(e.VariablesCount(), 0);
  x->Value = D(4);  // still alive: the program holds it
  EXPECT_EQ(e.Value(), D(8));
  e.Variable("x", true, 10);  // a new variable of that name is not the compiled one
  EXPECT_EQ(e.Value(), D(8));
}

TEST(UserFunctions, Definitions) {
  struct Row {
    const char* definition;
    int code;
    const char* description;
    int pos;
  };
  const Row rows[] = {
      {"f(a, b) = a*b+1", 0, "", 0},
      {"  g ( x ) =  x  ", 0, "", 0},
      {"k() = 42", 0, "", 0},
      {"f(x) = x", 9, "(User-defined Functions)  f(...) has already been reserved as a User Function.", 0},
      {"h(pi) = pi", 9, "(User-defined Functions)  pi(...) is a Reserved Name.", 0},
      {"Sin(x) = x", 9, "(User-defined Functions)  sin(...) is a Reserved Name.", 0},
      {"user5(x) = x", 9,
       "(User-defined Functions)  user5(...) has already been reserved as a User Function.", 0},
      {"h(x) x+1", 8, "Invalid User Function Definition: H", 0},
      {"h x = 1", 8, "Invalid User Function Definition: H", 0},
      {"h(x = 1", 8, "Invalid User Function Definition: H", 0},
      {"h(x y) = 1", 8, "Invalid User Function Definition: H", 0},
      {"(x) = 1", 8, "Invalid User Function Definition: ", 0},
      {"1h(x) = 1", 8, "Invalid User Function Definition: 1H", 0},
      {"h(1) = 1", 8, "Invalid User Function Definition: H", 0},
      {"h(,x) = x", 8, "Invalid User Function Definition: H", 0},
      {"h(x, x) = x", 8, "Invalid User Function Definition: H", 0},  // parameters are distinct
      {"h(x) = x+", 1, "Syntax Error: Unexpected end of expression in User Function", 3},
      {"m(x) = foo(x)", 2, "Unknown function: FOO in User Function", 1},
      {"n(x) = MIN(x)", 4, "Wrong number of arguments for MIN in User Function", 6},
  };
  CExpression e;
  for (const Row& r : rows) {
    e.ClearError();
    e.UserFunc(r.definition);
    EXPECT_EQ(e.ErrorCode(), r.code) << r.definition;
    EXPECT_EQ(e.ErrorDescription(), r.description) << r.definition;
    EXPECT_EQ(e.ErrorPos(), r.pos) << r.definition;
  }
  // Slots are taken by the good definitions and by those whose body failed to compile.
  EXPECT_EQ(e.NumUserFunctions(), 6);
  EXPECT_TRUE(e.ReservedName("m", ""));
}

TEST(UserFunctions, Calls) {
  struct Row {
    const char* expression;
    ExprValue value;
  };
  const Row rows[] = {
      {"F(2,3)", L(7)},
      {"f(2, 3) * 2", L(14)},
      {"D(5, 3)", L(2)},  // arguments in declaration order
      {"T(1, 2, 3)", L(123)},
      {"F(D(9, 4), 2) + G(1)", L(13)},
      {"F(2.5, 2)", D(6)},
      {"K + K()", L(84)},  // no parameters: a constant
      {"AB(0)", S("AB")},  // the body was upper-cased, its literal too
      {"CAT('x', 1)", S("x1")},
      {"RS(90)", D(std::sin(At(90)))},  // radians inside, whatever the caller's mode
      {"x + G(x)", D(5)},
  };
  CExpression e;
  e.UserFunc("f(a, b) = a*b+1");
  e.UserFunc("d(a, b) = a - b");
  e.UserFunc("t(a, b, c) = 100*a + 10*b + c");
  e.UserFunc("g(x) = x + 1");
  e.UserFunc("k() = 42");
  e.UserFunc("ab(x) = 'ab'");
  e.UserFunc("cat(a, b) = a & b");
  e.UserFunc("rs(x) = SIN(x)");
  ASSERT_EQ(e.ErrorCode(), 0) << e.ErrorDescription();
  e.DeGRad(true);
  for (const Row& r : rows) {
    e.Expression(r.expression);
    ASSERT_EQ(e.ErrorCode(), 0) << r.expression << ": " << e.ErrorDescription();
    e.Variable("x", true, 2);
    EXPECT_EQ(e.Value(), r.value) << r.expression;
  }
  e.Expression("F(2)");
  EXPECT_EQ(e.ErrorCode(), 4);
  EXPECT_EQ(e.ErrorDescription(), "Wrong number of arguments for F");
  EXPECT_EQ(e.RPNExpression(), "");
  e.Expression("F(1, x) - 1");
  EXPECT_EQ(e.RPNExpression(), " 1 x F 1 -");
}

TEST(UserFunctions, AnErrorInTheBodyStaysThereUntilItIsDefinedAgain) {
  CExpression e;
  e.UserFunc("inv(x) = 1/x");
  e.Expression("INV(x) + 1");
  e.Variable("x", true, 0);
  EXPECT_EQ(e.Value(), L(1));  // the call gives empty, which adds as 0
  EXPECT_EQ(e.ErrorCode(), 0);
  e.Variable("x", false, 2);
  EXPECT_EQ(e.Value(), L(1));  // still empty
  e.ResetUserFuncs();
  e.UserFunc("inv(x) = 1/x");  // compiled again, in the same nested evaluator
  e.Expression("INV(x) + 1");
  e.Variable("x", false, 2);
  EXPECT_EQ(e.Value(), D(1.5));
}

TEST(UserFunctions, AFailureInTheBodyIsTheCallersFailure) {
  CExpression e;
  e.UserFunc("r(x) = SQR(x)");
  e.Expression("R(x)");
  e.Variable("x", true, -1);
  try {
    e.Value();
    ADD_FAILURE() << "no run-time error";
  } catch (const RuntimeError& x) {
    EXPECT_EQ(x.Number(), 5);
  }
  e.RaiseErrors(false);
  e.DefaultValue(S("n/a"));
  EXPECT_EQ(e.Value(), S("n/a"));
  e.Variable("x", false, 9);
  EXPECT_EQ(e.Value(), D(3));
}

TEST(UserFunctions, TwentySlots) {
  CExpression e;
  for (int i = 1; i <= 20; ++i) {
    if (i == 20) {
      EXPECT_TRUE(e.ReservedName("USER_20", ""));
      e.ClearError();
    }
    e.UserFunc("f" + std::to_string(i) + "(x) = x + " + std::to_string(i));
    ASSERT_EQ(e.ErrorCode(), 0) << i << ": " << e.ErrorDescription();
  }
  e.Expression("F20(1)");
  EXPECT_EQ(e.Value(), L(21));
  e.UserFunc("extra(x) = x");
  EXPECT_EQ(e.ErrorCode(), 7);
  EXPECT_EQ(e.ErrorDescription(), "Too Many User Functions");
  EXPECT_EQ(e.NumUserFunctions(), 20);

  e.ResetUserFuncs();
  e.ClearError();
  EXPECT_EQ(e.NumUserFunctions(), 0);
  EXPECT_FALSE(e.ReservedName("f1", ""));
  for (int i = 1; i <= 20; ++i) e.UserFunc("g" + std::to_string(i) + "(x) = x * " + std::to_string(i));
  EXPECT_EQ(e.ErrorCode(), 0);
  e.Expression("G20(2) + G1(1)");
  EXPECT_EQ(e.Value(), L(41));
}

TEST(UserFunctions, ParameterLimits) {
  std::string twenty = "p(";
  for (int i = 1; i <= 20; ++i) twenty += (i > 1 ? ", a" : "a") + std::to_string(i);
  CExpression e;
  e.UserFunc(twenty + ") = a1 - a20");
  ASSERT_EQ(e.ErrorCode(), 0) << e.ErrorDescription();
  e.Expression("P(1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20)");
  EXPECT_EQ(e.Value(), L(-19));
  e.UserFunc("q" + twenty.substr(1) + ", a21) = 1");
  EXPECT_EQ(e.ErrorCode(), 8);
}

TEST(UserFunctions, NumUserFunctionsStaysWithinTheSlots) {
  CExpression e;
  e.NumUserFunctions(-5);
  EXPECT_EQ(e.NumUserFunctions(), 0);
  e.UserFunc("f(x) = x");
  EXPECT_EQ(e.ErrorCode(), 0);
  e.NumUserFunctions(99);
  EXPECT_EQ(e.NumUserFunctions(), 20);
  e.UserFunc("g(x) = x");
  EXPECT_EQ(e.ErrorCode(), 7);
}

// A body that exceeds the program's limits fails the definition as loudly as assigning Expression
// would, rather than leaving a function that silently gives nothing.
TEST(UserFunctions, ABodyOverTheLimitsRaises) {
  CExpression e;
  try {
    e.UserFunc("f(x) = " + std::string(50, '(') + "x" + std::string(50, ')'));
    ADD_FAILURE() << "no run-time error";
  } catch (const RuntimeError& x) {
    EXPECT_EQ(x.Number(), 28);
  }
  EXPECT_EQ(e.NumUserFunctions(), 1);
}

TEST(UserFunctions, UndefinedSlotsGiveEmpty) {
  CExpression e;
  e.Expression("USER3 + 1");
  ASSERT_EQ(e.ErrorCode(), 0);
  EXPECT_EQ(e.Value(), L(1));
  EXPECT_EQ(e.RPNExpression(), " USER3 1 +");
}

}  // namespace
}  // namespace plotara
