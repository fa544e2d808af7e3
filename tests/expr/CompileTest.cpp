// Compilation: program shapes, literals, compile errors with their positions, limits, names.
#include <string>

#include "ExprTesting.h"

namespace plotara {
namespace {

TEST(Compile, ProgramShapes) {
  struct Row {
    const char* text;
    const char* rpn;
  };
  const Row rows[] = {
      {"2+3*4", " 2 3 4 * +"},
      {"MAX(a,b)-1", " a b MAX 1 -"},
      {"-x^2", " x 2 ^ -"},     // the sign applies to the power
      {"-2^2", " -2 2 ^"},      // a literal takes the sign
      {"2^3^2", " 2 3 ^ 2 ^"},  // left to right
      {"-x*2", " x - 2 *"},
      {"2--3", " 2 -3 -"},
      {"+2", " 2"},
      {"2*x", " 2 x *"},
      {"5 MOD(3)", " 5 3 MOD"},
      {"5 | 3", " 5 3 |"},
      {"NOT 1 > 2", " 1 2 > NOT"},
      {"a AND b OR c XOR d", " a b AND c OR d XOR"},
      {"'x' & 1 + 2", " \"x\" 1 2 + &"},
      {"IIF(x > 0, 1, -1)", " x 0 > 1 -1 IIF"},
      {"MID('hello', 2, 3)", " \"hello\" 2 3 MID"},
      {"pi() * Deg + rad", " PI DEG * RAD +"},
      {"Sin(x) + cos (x)", " x SIN x COS +"},
      {"1.5E2 + 1E-3 + 2D1", " 150 0.001 + 20 +"},
      {"((((1))))", " 1"},
  };
  for (const Row& r : rows) {
    CExpression e;
    e.Expression(r.text);
    EXPECT_EQ(e.ErrorCode(), 0) << r.text << ": " << e.ErrorDescription();
    EXPECT_EQ(e.ErrorPos(), 0) << r.text;
    EXPECT_EQ(e.RPNExpression(), r.rpn) << r.text;
  }
}

TEST(Compile, Literals) {
  struct Row {
    const char* text;
    ExprValue value;
  };
  const Row rows[] = {
      {"12", L(12)},
      {"0000000000000000000012", L(12)},
      {"2147483647", L(2147483647)},
      {"1E-3", D(0.001)},
      {"1.5E2", D(150)},
      {"1.5e+2", D(150)},
      {"1D2", D(100)},
      {"5.", D(5)},
      {".5", D(0.5)},
      {".", D(0)},
      {"1E", D(1)},  // an exponent without digits is 0
      {"1e-400", D(0)},
      {"'it''s'", S("it's")},
      {"\"say \"\"hi\"\"\"", S("say \"hi\"")},
      {"\"it's\"", S("it's")},
      {"'a\"b'", S("a\"b")},
      {"''", S("")},
  };
  for (const Row& r : rows) {
    CExpression e;
    e.Expression(r.text);
    ASSERT_EQ(e.ErrorCode(), 0) << r.text << ": " << e.ErrorDescription();
    EXPECT_EQ(e.Value(), r.value) << r.text;
  }
}

TEST(Compile, Errors) {
  struct Row {
    std::string text;
    int code;
    const char* description;
    int pos;
  };
  const Row rows[] = {
      {"MIN(1)", 4, "Wrong number of arguments for MIN", 6},
      {"MIN(1,2,3)", 4, "Wrong number of arguments for MIN", 8},
      {"Max(1, IIF(1, 2))", 4, "Wrong number of arguments for IIF", 16},
      {"(1,2)", 4, "Wrong number of arguments for ", 3},
      {"1,2", 4, "Wrong number of arguments for ", 2},
      {"SIN 1", 1, "Syntax Error: Missing brackets", 1},
      {"1 + SIN", 1, "Syntax Error: Missing brackets", 5},
      {"(1+2", 1, "Syntax Error", 5},
      {"1+2)", 1, "Syntax Error", 4},
      {"'abc", 1, "Syntax Error: Missing string delimiter", 1},
      {"1 & \"a''", 1, "Syntax Error: Missing string delimiter", 5},
      {"2 3", 3, "Unknown operator", 3},
      {"1 ! 2", 3, "Unknown operator", 3},
      {"1 NOT 2", 3, "Unknown operator", 3},
      {"PI(1)", 3, "Unknown operator", 3},
      {"1\t+ 2", 3, "Unknown operator", 2},  // only the space is white space
      {"FOO(1)", 2, "Unknown function: FOO", 1},
      {"2 * foo (1)", 2, "Unknown function: FOO", 5},
      {"5MOD3", 1, "Syntax Error", 2},
      {"5 MOD3", 1, "Syntax Error", 3},
      {"x ANDy", 1, "Syntax Error", 3},
      {"", 1, "Syntax Error: Unexpected end of expression", 1},
      {"   ", 1, "Syntax Error: Unexpected end of expression", 4},
      {"1 +", 1, "Syntax Error: Unexpected end of expression", 4},
      {"NOT", 1, "Syntax Error: Unexpected end of expression", 4},
      {"1 + #", 1, "Syntax Error: Unknown symbol", 5},
      {"MIN(,2)", 1, "Syntax Error: Unknown symbol", 5},
      {"2 * \xC3\xA9", 1, "Syntax Error: Unknown symbol", 5},
      // Only the end of the text ends it: a NUL inside is an unknown character, not a place to stop.
      {std::string("1+2\0+3", 6), 3, "Unknown operator", 4},
      {std::string("1+\0", 3), 1, "Syntax Error: Unknown symbol", 3},
  };
  for (const Row& r : rows) {
    CExpression e;
    e.Expression(r.text);
    EXPECT_EQ(e.ErrorCode(), r.code) << r.text;
    EXPECT_EQ(e.ErrorDescription(), r.description) << r.text;
    EXPECT_EQ(e.ErrorPos(), r.pos) << r.text;
    EXPECT_TRUE(e.Value().IsEmpty()) << r.text;
    EXPECT_EQ(e.RPNExpression(), "") << r.text;
  }
}

TEST(Compile, UndefinedVariableWhenNotCreatedAutomatically) {
  CExpression e;
  e.AutoCreateVariables(false);
  e.Expression("1 + foo");
  EXPECT_EQ(e.ErrorCode(), 2);
  EXPECT_EQ(e.ErrorDescription(), "Unknown functionfoo");
  EXPECT_EQ(e.ErrorPos(), 5);
  e.Variable("FOO", true, 4);
  e.Expression("1 + foo");  // an existing variable is found, and compiling sets it to 0
  EXPECT_EQ(e.ErrorCode(), 0);
  EXPECT_EQ(e.Value(), D(1));
}

TEST(Compile, NamedVariablesAreCreatedAndSetToZero) {
  CExpression e;
  e.Variable("x", true, 5);
  e.Expression("x + 1 + Y");
  ASSERT_EQ(e.VariablesCount(), 2);
  EXPECT_EQ(e.Variable(1)->Value, D(0));
  EXPECT_EQ(e.Variable(2)->Name, "Y");
}

TEST(Compile, ANewCompileReplacesTheErrorAndTheTrigFlag) {
  struct Row {
    const char* text;
    bool trig;
  };
  const Row rows[] = {{"SIN(x)", true},    {"atan(1)", true}, {"2 * Acos(0)", true}, {"SINH(x)", false},
                      {"ATANH(0)", false}, {"2 + 2", false},  {"'SIN(x)'", false}};
  CExpression e;
  for (const Row& r : rows) {
    e.Expression("1 +");  // an error, to be cleared by the next compile
    e.Expression(r.text);
    EXPECT_EQ(e.ErrorCode(), 0) << r.text;
    EXPECT_EQ(e.ErrorDescription(), "") << r.text;
    EXPECT_EQ(e.CompiledExprUsesTrig(), r.trig) << r.text;
  }
}

TEST(Compile, AFailedCompileLeavesNothingToRunEvenAfterClearError) {
  CExpression e;
  e.Expression("1 + 2 3");  // stops with "1 2 +" compiled
  ASSERT_EQ(e.ErrorCode(), 3);
  e.ClearError();
  EXPECT_EQ(e.ErrorCode(), 0);
  EXPECT_EQ(e.ErrorDescription(), "");
  EXPECT_TRUE(e.Value().IsEmpty());
  EXPECT_EQ(e.RPNExpression(), "");
}

TEST(Compile, LimitsRaiseRunTimeErrorsAndLeaveNoProgram) {
  const std::string sum150 = [] {
    std::string s = "1";
    for (int i = 0; i < 150; ++i) s += "+1";
    return s;
  }();
  struct Row {
    std::string text;
    int error;  // 0: compiles
  };
  const Row rows[] = {
      {"2147483648", 6},
      {"-2147483648", 6},  // the literal overflows before it takes the sign
      {"1e400", 6},
      {std::string(39, '(') + "1" + std::string(39, ')'), 0},
      {std::string(40, '(') + "1" + std::string(40, ')'), 28},
      {sum150.substr(0, sum150.size() - 2), 0},  // 299 instructions
      {sum150, 6},                               // 301
      {std::string(1000000, '('), 28},
      {std::string(1000000, '-') + "1", 28},
      {std::string(1000000, '9'), 6},
      {"1." + std::string(1000000, '9'), 0},
      {std::string(1000000, ' ') + "1", 0},
      {"x" + std::string(1000000, 'y'), 0},
      {"'" + std::string(1000000, 'y') + "'", 0},
  };
  for (const Row& r : rows) {
    CExpression e;
    e.Expression("1");
    int raised = 0;
    try {
      e.Expression(r.text);
    } catch (const RuntimeError& x) {
      raised = x.Number();
    }
    EXPECT_EQ(raised, r.error) << r.text.substr(0, 40);
    if (raised) {
      EXPECT_TRUE(e.Value().IsEmpty());
      EXPECT_EQ(e.RPNExpression(), "");
    } else {
      EXPECT_EQ(e.ErrorCode(), 0) << r.text.substr(0, 40) << ": " << e.ErrorDescription();
    }
  }
}

TEST(Compile, ReservedName) {
  struct Row {
    const char* name;
    const char* preText;
    bool reserved;
    const char* description;
  };
  const Row rows[] = {
      {"Sin", "(User-defined Functions) ", true, "(User-defined Functions)  sin(...) is a Reserved Name."},
      {"PI", "", true, " pi(...) is a Reserved Name."},
      {"not", "x", true, "x not(...) is a Reserved Name."},
      {"instr", "x", true, "x instr(...) is a Reserved Name."},
      {"User3", "x", true, "x user3(...) has already been reserved as a User Function."},
      {"USER_20", "x", true, "x user_20(...) has already been reserved as a User Function."},
      {"AND", "x", false, "before"},
      {"MOD", "x", false, "before"},
      {"sinus", "x", false, "before"},
  };
  for (const Row& r : rows) {
    CExpression e;
    e.Expression("1 +");
    const std::string before = e.ErrorDescription();
    EXPECT_EQ(e.ReservedName(r.name, r.preText), r.reserved) << r.name;
    if (r.reserved) {
      EXPECT_EQ(e.ErrorCode(), 9) << r.name;
      EXPECT_EQ(e.ErrorDescription(), r.description) << r.name;
    } else {
      EXPECT_EQ(e.ErrorCode(), 1) << r.name;
      EXPECT_EQ(e.ErrorDescription(), before) << r.name;
    }
  }
}

}  // namespace
}  // namespace plotara
