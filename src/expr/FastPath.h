// FastProgram: the numeric form of a compiled program. When a program is made only of numbers,
// variables and numeric operators, and its result type does not depend on the values, Value runs this
// form instead: doubles in registers, operands folded into the instruction that uses them, constant
// parts computed once, variables read through pointers. It calls the same kernels as the general
// interpreter and gives up (returns false) at the first failing operation or when a variable does not
// hold a double, so that the general interpreter, which then runs from the start, reports exactly what
// it would have reported anyway. RND is never compiled here, so running twice draws no extra numbers.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "expr/CExpression.h"

namespace plotara {

// Two-operand operations; each exists with its operands on the stack or with one of them folded in.
// clang-format off
#define PLOTARA_FAST_BINARY_OPS(X)                                                                      \
  X(Add) X(Sub) X(Mul) X(Div) X(Pow) X(IntDiv) X(Mod) X(Eq) X(Ne) X(Le) X(Lt) X(Ge) X(Gt) X(And) X(Or) \
  X(Xor) X(Min) X(Max) X(Ncr) X(Npr)

#define PLOTARA_FAST_UNARY_OPS(X)                                                                       \
  X(Negate) X(Not) X(Abs) X(Int) X(Fix) X(Sgn) X(Round) X(Sqr) X(Log) X(Ln) X(Exp) X(Sin) X(Asin)       \
  X(Cos) X(Acos) X(Tan) X(Atn) X(Sinh) X(Cosh) X(Tanh) X(Asinh) X(Acosh) X(Atanh) X(Fact) X(Square)    \
  X(NegateInteger)
// clang-format on

class FastProgram {
 public:
  // Every operation exists in several operand forms, numbered from its first one (the Form values):
  // two-operand operations take their operands from the stack and the accumulator or have one or both
  // folded in; one-operand operations work on the accumulator or load a variable first.
  enum Form : uint8_t {
    kStack = 0,       // acc = pop() op acc
    kRightConst = 1,  // acc = acc op k
    kRightVar = 2,    // acc = acc op *p
    kLeftConst = 3,   // acc = k op acc
    kLeftVar = 4,     // acc = *p op acc
    kVarConst = 5,    // push acc; acc = *p op k
    kConstVar = 6,    // push acc; acc = k op *p
    kVarVar = 7,      // push acc; acc = *p op *q
    kBinaryForms = 8,
    kOnAcc = 0,  // acc = f(acc)
    kOnVar = 1,  // push acc; acc = f(*p)
    kUnaryForms = 2,
  };
  enum Op : uint8_t {
    PushK,  // push the accumulator, load a constant
    PushV,  // push the accumulator, load a variable
#define PLOTARA_X(name) name, name##K, name##V, name##KL, name##VL, name##VK, name##KV, name##VV,
    PLOTARA_FAST_BINARY_OPS(PLOTARA_X)
#undef PLOTARA_X
#define PLOTARA_X(name) name, name##OnVar,
        PLOTARA_FAST_UNARY_OPS(PLOTARA_X)
#undef PLOTARA_X
            Iif,
  };

  struct Step {
    Op op;
    double k = 0;
    const double* p = nullptr;
    const double* q = nullptr;
  };

  // The numeric form of e's program, or null when the program needs the general interpreter.
  static std::unique_ptr<FastProgram> Build(const CExpression& e);

  // Runs with the given angle factor. False when an operation fails or a variable holds anything but a
  // double; the result is then meaningless.
  bool Run(double angleFactor, double& result) const noexcept;

  // The general interpreter would return a 16-bit integer (a comparison, a logical operator, SGN).
  bool ResultIsInteger() const noexcept {
    return integerResult_;
  }

 private:
  std::vector<Step> steps_;
  std::vector<const ExprValue*> guards_;  // each must hold a double
  bool integerResult_ = false;
};

}  // namespace plotara
