// CVariable: a named value of an expression. Compiled programs hold the variables they use, so the caller
// changes a variable's Value and evaluates again without recompiling.
#pragma once

#include <string>

#include "expr/ExprValue.h"

namespace plotara {

class CVariable {
 public:
  CVariable() = default;
  CVariable(std::string name, ExprValue value) : Name(std::move(name)), Value(std::move(value)) {}

  std::string Name;  // in the letter case first given
  ExprValue Value;   // never a reference: assignments through the evaluator store the referenced value
};

}  // namespace plotara
