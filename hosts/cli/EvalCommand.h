// plotara eval: evaluates one expression with the control's expression evaluator.
//
//   plotara eval EXPR [--deg] [--var NAME=VALUE]... [--func "F(a,b) = ..."]... [--rpn]
//
// Prints the value (numbers in the shortest text that reads back the same, texts as they are) and exits
// with 0; on an evaluator error prints "Error N: DESCRIPTION (at P)", on a run-time error "Run-time
// error N: TEXT", and exits with 1. --rpn prints the compiled program instead of the value.
#pragma once

#include <iosfwd>

namespace plotara {

// argv[0] is "eval" (the command name), the rest as on the command line. Returns the exit status:
// 0 success, 1 evaluation failure, 2 wrong usage.
int EvalCommand(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace plotara
