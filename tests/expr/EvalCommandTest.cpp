// The `plotara eval` command. Its source needs only the evaluator, so it is compiled into this test
// program, which links nothing else.
#include <sstream>
#include <string>
#include <vector>

#include "../../hosts/cli/EvalCommand.cpp"
#include "ExprTesting.h"

namespace plotara {
namespace {

struct CommandRun {
  int status;
  std::string out, err;
};

CommandRun Eval(std::vector<std::string> args) {
  args.insert(args.begin(), "eval");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  std::ostringstream out, err;
  const int status = EvalCommand(static_cast<int>(argv.size()), argv.data(), out, err);
  return {status, out.str(), err.str()};
}

TEST(EvalCommand, PrintsTheValueOrTheError) {
  struct Row {
    std::vector<std::string> args;
    int status;
    const char* out;
  };
  const Row rows[] = {
      {{"2^3^2"}, 0, "64\n"},
      {{"x * 3", "--var", "x=0.1"}, 0, "0.30000000000000004\n"},
      {{"-x^2", "--var", "X=2"}, 0, "-4\n"},
      {{"a & b", "--var", "a=tick", "--var", "b=2"}, 0, "tick2\n"},
      {{"SIN(90)", "--deg"}, 0, "1\n"},
      {{"F(2, 3)", "--func", "f(a, b) = a*b+1"}, 0, "7\n"},
      {{"MID('hello', 2, 3)"}, 0, "ell\n"},
      {{"2+3*4", "--rpn"}, 0, " 2 3 4 * +\n"},
      {{"--var", "x=1", "--", "--x"}, 0, "1\n"},  // after "--" only the formula
      {{"--1"}, 0, "1\n"},
      {{"MIN(1)"}, 1, "Error 4: Wrong number of arguments for MIN (at 6)\n"},
      {{"1/x"}, 1, "Error 5: Div by zero (at 0)\n"},
      {{"F(1)", "--func", "f(x) = x+"},
       1,
       "Error 1: Syntax Error: Unexpected end of expression in User Function (at 3)\n"},
      {{"SQR(-1)"}, 1, "Run-time error 5: Invalid procedure call or argument\n"},
      {{"2147483648"}, 1, "Run-time error 6: Overflow\n"},
  };
  for (const Row& r : rows) {
    const CommandRun run = Eval(r.args);
    EXPECT_EQ(run.status, r.status) << r.args[0];
    EXPECT_EQ(run.out, r.out) << r.args[0];
    EXPECT_EQ(run.err, "") << r.args[0];
  }
}

TEST(EvalCommand, WrongUsage) {
  const std::vector<std::string> cases[] = {
      {}, {"1", "2"}, {"1", "--bogus"}, {"x", "--var"}, {"x", "--var", "x"}};
  for (const auto& args : cases) {
    const CommandRun run = Eval(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("usage: plotara eval"), std::string::npos);
  }
}

}  // namespace
}  // namespace plotara
