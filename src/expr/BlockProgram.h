// BlockProgram: the numeric form of a program over many values of one variable, for a curve that
// evaluates its formula at every x in one pass. Blocks of kBlock values go through the instructions one
// after the other, each instruction a loop over the block that calls the same kernels as the one-value
// forms, so every result has the bits Value gives. Parts that do not depend on the variable are computed
// once per run, equal parts once per block, and SIN and COS of the same operand in one call.
//
// Where an operation fails at a value, that value's result is NaN: the caller runs Value there, which
// fails as it always does and reports the failure the general interpreter's way.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "expr/CExpression.h"

namespace plotara {

class BlockProgram {
 public:
  static constexpr int kBlock = 256;

  // The form of e's program over values of the variable whose double payload is at x (which the
  // program may not read at all), or null when the program has no numeric form.
  static std::unique_ptr<BlockProgram> Build(const CExpression& e, const double* x);

  const double* Variable() const noexcept { return x_; }

  // ys[i] = the program's value with the variable at xs[i], or NaN where an operation fails there or
  // another variable it reads holds anything but a double. ys has at least the size of xs.
  void Run(double angleFactor, std::span<const double> xs, std::span<double> ys) noexcept;

  // Where an instruction finds an operand or puts its result.
  struct Ref {
    enum Where : uint8_t { Input, Register, Slot } where = Slot;
    uint16_t index = 0;
  };
  // Runs an instruction over m values: operands a, b, c, results to out (and out2), failures added to
  // check as NaN, f the angle factor.
  using Loop = void (*)(const double* a, const double* b, const double* c, double* out, double* out2,
                        double* check, int m, double f);
  struct Instruction {
    Loop loop = nullptr;
    Ref a, b, c, out, out2;
  };

 private:
  friend class BlockBuilder;
  double* Address(Ref r, const double* input) noexcept;

  const double* x_ = nullptr;
  std::vector<const ExprValue*> guards_;                   // variables other than x: each a double
  std::vector<std::pair<uint16_t, const double*>> reads_;  // slots loaded from variables per run
  std::vector<double> slots_;                              // constants and once-per-run values
  std::vector<Instruction> once_;                          // on slots, once per run
  std::vector<Instruction> body_;                          // on registers, per block
  std::vector<double> registers_;                          // kBlock values each
  std::vector<double> check_;                              // per value: NaN once an operation failed
  Ref result_;
  bool integerResult_ = false;
};

}  // namespace plotara
