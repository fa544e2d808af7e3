// Helpers shared by the evaluator's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>

#include "expr/CExpression.h"
#include "platform/RuntimeError.h"

namespace plotara {

inline std::ostream& operator<<(std::ostream& os, const ExprValue& v) {
  static const char* const kNames[] = {"Empty", "Integer", "Long", "Double", "String", "VarRef"};
  os << kNames[static_cast<int>(v.Type())] << "(";
  if (v.Type() == ExprType::Double) {
    os.precision(17);
    os << v.DoubleValue();
  } else {
    os << ToText(v);
  }
  return os << ")";
}

inline ExprValue I(int16_t v) {
  return ExprValue(v);
}
inline ExprValue L(int32_t v) {
  return ExprValue(v);
}
inline ExprValue D(double v) {
  return ExprValue(v);
}
inline ExprValue S(const char* v) {
  return ExprValue(v);
}

// What one evaluation gave: a value, an evaluator error (code and text) or a run-time error number.
struct Outcome {
  ExprValue value;
  int errorCode = 0;
  std::string description;
  int runtimeError = 0;

  bool SameAs(const Outcome& o) const {
    if (errorCode != o.errorCode || description != o.description || runtimeError != o.runtimeError)
      return false;
    if (value.Type() != o.value.Type()) return false;
    if (value.Type() != ExprType::Double) return value == o.value;
    const double a = value.DoubleValue(), b = o.value.DoubleValue();
    return std::memcmp(&a, &b, sizeof a) == 0;  // same bits: sign of zero included
  }
};

inline Outcome Evaluate(CExpression& e) {
  Outcome o;
  try {
    o.value = e.Value();
  } catch (const RuntimeError& x) {
    o.runtimeError = x.Number();
  }
  o.errorCode = e.ErrorCode();
  o.description = e.ErrorDescription();
  e.ClearError();
  return o;
}

inline std::ostream& operator<<(std::ostream& os, const Outcome& o) {
  return os << o.value << " error " << o.errorCode << " [" << o.description << "] run-time "
            << o.runtimeError;
}

}  // namespace plotara
