// Evaluation: Value, Evaluate, the general interpreter and RPNExpression.
#include <algorithm>
#include <limits>

#include "expr/BlockProgram.h"
#include "expr/CExpression.h"
#include "expr/FastPath.h"
#include "expr/Kernels.h"
#include "expr/Symbols.h"
#include "platform/RuntimeError.h"

namespace plotara {

ExprValue CExpression::Value(std::span<const ExprValue> vars) {
  // Only a non-empty text compiles, so a runnable program implies an expression.
  if (!runnable_ || errorCode_ != 0) return ExprValue();
  if (!vars.empty()) {
    const size_t n = std::min(vars.size(), variables_.size());
    for (size_t i = 0; i < n; ++i) variables_[i].Var->Value = vars[i].Deref();
  }
  if (fast_) {
    double r;
    if (fast_->Run(AngleFactor(), r)) {
      if (fast_->ResultIsInteger()) return ExprValue(static_cast<int16_t>(r));
      return ExprValue(r);
    }
  }
  return Run();
}

void CExpression::Values(CVariable& var, std::span<const double> xs, std::span<double> ys) {
  const double* x = var.Value.DoubleSlot();
  // The array form exists exactly when the one-value form does: both come from the numeric tree.
  const bool numeric = runnable_ && errorCode_ == 0 && fast_;
  if (numeric && (!block_ || block_->Variable() != x)) block_ = BlockProgram::Build(*this, x);
  if (numeric && block_) {
    block_->Run(AngleFactor(), xs, ys);
  } else {
    std::fill_n(ys.begin(), xs.size(), std::numeric_limits<double>::quiet_NaN());
  }
  if (!xs.empty()) var.Value = xs.back();
}

ExprValue CExpression::Evaluate(std::string_view expr, std::span<const ExprValue> vars) {
  Expression(expr);
  if (expression_.empty() || errorCode_ != 0) return ExprValue();
  return Value(vars);
}

// The general interpreter: an accumulator holds the latest value, the stack the ones below it.
ExprValue CExpression::Run() {
  ExprValue acc;
  ExprValue* stack = stack_.data();
  size_t sp = 0;
  for (const Instruction& in : program_) {
    if (in.Code == sym::Operand) {
      stack[sp++] = std::move(acc);
      acc = in.Operand;
      continue;
    }
    const int status = Execute(in, acc, stack, sp);
    if (status == kernels::kOk) continue;
    if (status == kernels::kEvaluationError) return defaultValue_;  // error 5 is set
    if (raiseErrors_) Raise(status);
    return defaultValue_;
  }
  return acc.Deref();
}

std::string CExpression::RPNExpression() const {
  if (expression_.empty() || errorCode_ != 0 || !runnable_) return std::string();
  std::string out;
  for (const Instruction& in : program_) {
    out += ' ';
    if (in.Code != sym::Operand) {
      out += symbols_[in.Code].Name;
    } else if (in.Var) {
      out += in.Var->Name;
    } else if (in.Operand.IsString()) {
      const std::string& s = in.Operand.StringValue();
      if (s.find('"') == std::string::npos) {
        out += '"' + s + '"';
      } else if (s.find('\'') == std::string::npos) {
        out += '\'' + s + '\'';
      } else {
        out += '"';
        for (char c : s) {
          if (c == '"') out += '"';
          out += c;
        }
        out += '"';
      }
    } else {
      out += ToText(in.Operand);
    }
  }
  return out;
}

}  // namespace plotara
