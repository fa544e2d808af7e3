// Compilation: assigning Expression scans the text and converts it to a postfix program with an operator
// stack (precedences) and an argument-counter stack (function arity).
//
//   Scanner     ScanNumber, ScanString, ScanIdentifier, ScanOperator, SkipSpaces
//   Compiler    the operand / operator loop, the pop loop, separators, errors
//   Program     AppendInstruction and FinishProgram (stack depth, fast path)
#include <cstdint>
#include <limits>

#include "expr/BlockProgram.h"
#include "expr/CExpression.h"
#include "expr/FastPath.h"
#include "expr/Symbols.h"
#include "platform/AsciiCase.h"
#include "platform/RuntimeError.h"

namespace plotara {

namespace {

bool IsDigit(char c) noexcept {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) noexcept {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Exceeding the fixed program or operator capacity fails the assignment with these run-time errors.
constexpr int kProgramTooLong = err::Overflow;
constexpr int kTooManyPending = 28;  // Out of stack space
constexpr int kLiteralOverflow = err::Overflow;

}  // namespace

// ---------------------------------------------------------------------------------------------------
// Scanner and compiler state of one compilation.
class CExpression::Compiler {
 public:
  explicit Compiler(CExpression& e) : e_(e), text_(e.expression_), end_(text_.size()) {}

  void Run();

 private:
  // The character at a position; the end marker (NUL) one past the text. A NUL inside the text is just
  // an unknown character: only the marker ends the text.
  char At(size_t p) const noexcept { return p < end_ ? text_[p] : '\0'; }
  bool AtEnd(size_t p) const noexcept { return p >= end_; }

  void SkipSpaces() noexcept {
    while (!AtEnd(pos_) && text_[pos_] == ' ') ++pos_;
  }
  ExprValue ScanNumber();
  bool ScanString(std::string& value);
  std::string_view ScanIdentifier();
  int ScanOperator();

  void Push(int16_t code);
  int16_t ArgCount(int code) const noexcept { return e_.symbols_[code].ArgCount; }
  uint8_t Precedence(int code) const noexcept { return e_.symbols_[code].Precedence; }

  void SyntaxError(std::string_view detail) { Fail(1, "Syntax Error" + std::string(detail)); }
  void WrongArgumentCount() {
    const int below = opTop_ >= 1 ? ops_[opTop_ - 1] : 0;  // entry 0 is the nameless code 0
    Fail(4, "Wrong number of arguments for " + e_.symbols_[below].Name);
  }
  void Fail(int code, std::string description) {
    e_.errorCode_ = code;
    e_.errorDescription_ = std::move(description);
  }

  CExpression& e_;
  const std::string& text_;
  const size_t end_;  // position of the end marker
  size_t pos_ = 0;    // 0-based here; ErrorPos is 1-based

  // Index 0 of both stacks is never used, leaving 40 entries each.
  int16_t ops_[kMaxPendingOperators + 1] = {};
  int16_t counters_[kMaxPendingOperators + 1] = {};
  int opTop_ = 0;
  int counterTop_ = 0;
};

ExprValue CExpression::Compiler::ScanNumber() {
  const size_t start = pos_;
  bool real = false;
  while (IsDigit(At(pos_))) ++pos_;
  if (At(pos_) == '.') {
    real = true;
    ++pos_;
    while (IsDigit(At(pos_))) ++pos_;
  }
  const char e = At(pos_);
  if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
    real = true;
    ++pos_;
    if (At(pos_) == '+' || At(pos_) == '-') ++pos_;
    while (IsDigit(At(pos_))) ++pos_;
  }
  const std::string_view literal(text_.data() + start, pos_ - start);
  if (real) {
    std::string normal(literal);
    for (char& c : normal) {
      if (c == 'D' || c == 'd' || c == 'E') c = 'e';
    }
    double v = 0;
    if (!DecimalToDouble(normal, v)) Raise(kLiteralOverflow);
    return ExprValue(v);
  }
  int64_t v = 0;
  for (char c : literal) {
    v = v * 10 + (c - '0');
    if (v > std::numeric_limits<int32_t>::max()) Raise(kLiteralOverflow);
  }
  return ExprValue(static_cast<int32_t>(v));
}

// Reads a literal quoted with " or '; a doubled quote stands for one. False when the text ends first.
bool CExpression::Compiler::ScanString(std::string& value) {
  const char quote = text_[pos_++];
  for (;;) {
    if (AtEnd(pos_)) return false;
    const char c = text_[pos_];
    if (c == quote) {
      if (!AtEnd(pos_ + 1) && text_[pos_ + 1] == quote) {
        value += quote;
        pos_ += 2;
        continue;
      }
      ++pos_;
      return true;
    }
    value += c;
    ++pos_;
  }
}

std::string_view CExpression::Compiler::ScanIdentifier() {
  const size_t start = pos_;
  while (!AtEnd(pos_) && (IsDigit(text_[pos_]) || IsLetter(text_[pos_]) || text_[pos_] == '_')) ++pos_;
  const std::string_view id(text_.data() + start, pos_ - start);
  SkipSpaces();
  return id;
}

// The first of codes 6..26 whose name the text continues with, letter case aside; 0 when none.
int CExpression::Compiler::ScanOperator() {
  for (int code = sym::End; code <= sym::Concat; ++code) {
    if (code == sym::End) {
      if (AtEnd(pos_)) {
        ++pos_;
        return code;
      }
      continue;
    }
    const std::string& name = e_.symbols_[code].Name;
    if (end_ - pos_ >= name.size() && EqualsUpper(std::string_view(text_).substr(pos_, name.size()), name)) {
      pos_ += name.size();
      return code;
    }
  }
  return sym::None;
}

void CExpression::Compiler::Push(int16_t code) {
  if (opTop_ >= kMaxPendingOperators) Raise(kTooManyPending);
  ops_[++opTop_] = code;
  if (ArgCount(code) > 0) {
    if (counterTop_ >= kMaxPendingOperators) Raise(kTooManyPending);
    counters_[++counterTop_] = ArgCount(code);
  }
}

void CExpression::Compiler::Run() {
  Push(sym::Sentinel);
  int operandCount = 0;
  bool expectOperator = false;
  for (;;) {
    SkipSpaces();
    e_.errorPos_ = static_cast<int32_t>(pos_ + 1);
    if (!expectOperator) {
      // ---- an operand is awaited ----
      const char c = At(pos_);
      if (IsDigit(c) || c == '.') {
        ExprValue number = ScanNumber();
        if (ops_[opTop_] == sym::Negate) {
          // Fold the sign into the literal: -2^2 is (-2)^2 while -x^2 is -(x^2).
          number = number.Type() == ExprType::Long ? ExprValue(static_cast<int32_t>(-number.LongValue()))
                                                   : ExprValue(-number.DoubleValue());
          --opTop_;
        }
        e_.AppendInstruction(sym::Operand, std::move(number));
        ++operandCount;
        expectOperator = true;
      } else if (c == '"' || c == '\'') {
        std::string value;
        if (!ScanString(value)) return SyntaxError(": Missing string delimiter");
        e_.AppendInstruction(sym::Operand, ExprValue(std::move(value)));
        ++operandCount;
        expectOperator = true;
      } else if (c == '+' && !AtEnd(pos_)) {
        ++pos_;  // unary plus
      } else if (c == '-' && !AtEnd(pos_)) {
        Push(sym::Negate);
        ++pos_;
      } else if (c == '(' && !AtEnd(pos_)) {
        Push(sym::LParen);
        ++pos_;
      } else if (IsLetter(c)) {
        const std::string_view id = ScanIdentifier();
        const std::string upper = UpperCase(id);
        const int code = e_.LookupName(upper);
        if (code == sym::Not) {
          Push(sym::Not);
        } else if (code == sym::None) {
          if (At(pos_) == '(' && !AtEnd(pos_)) return Fail(2, "Unknown function: " + upper);
          CVariable* var = e_.Variable(id, e_.autoCreateVariables_, 0);
          if (!var) return Fail(2, "Unknown function" + std::string(id));
          e_.programVars_.push_back(e_.FindVariable(id)->Var);
          e_.AppendInstruction(sym::Operand, ExprValue::Ref(&var->Value), var);
          ++operandCount;
          expectOperator = true;
        } else if (ArgCount(code) != 0) {
          if (At(pos_) != '(' || AtEnd(pos_)) return SyntaxError(": Missing brackets");
          Push(static_cast<int16_t>(code));
          Push(sym::LParen);
          --counterTop_;  // the function's own counter stays on top
          ++pos_;
        } else {
          // PI, DEG, RAD or a user-function slot without parameters
          e_.AppendInstruction(static_cast<int16_t>(code));
          ++operandCount;
          expectOperator = true;
          if (pos_ + 1 < end_ && text_[pos_] == '(' && text_[pos_ + 1] == ')') pos_ += 2;
        }
      } else {
        return SyntaxError(AtEnd(pos_) ? ": Unexpected end of expression" : ": Unknown symbol");
      }
      continue;
    }

    // ---- an operator is awaited ----
    const char before = pos_ > 0 ? text_[pos_ - 1] : '\0';
    const int code = ScanOperator();
    if (code == sym::None) return Fail(3, "Unknown operator");
    if (code == sym::Mod || code == sym::And || code == sym::Or || code == sym::Xor) {
      // Word operators must stand apart from their operands: "5 MOD 3" or "5 MOD(3)", not "5MOD3".
      const char after = At(pos_);
      if (!(before == ' ' || before == ')') || !((after == ' ' || after == '(') && !AtEnd(pos_))) {
        return SyntaxError("");
      }
    }
    if (code != sym::RParen) expectOperator = false;

    while (Precedence(ops_[opTop_]) >= Precedence(code) && Precedence(ops_[opTop_]) != 255) {
      const int16_t top = ops_[opTop_--];
      const int16_t args = ArgCount(top);
      e_.AppendInstruction(top, ExprValue(), nullptr, sym::IsUserFunction(top) ? args : 0);
      if (top > sym::RParen && args == 0) {
        operandCount -= 1;
      } else if (args > 0) {
        operandCount -= args - 1;
      }
      if (operandCount < 1) return SyntaxError("");
    }

    if (ArgCount(code) == -1 && --counters_[counterTop_] < 0) return WrongArgumentCount();

    if (code == sym::End) {
      if (opTop_ != 1) return SyntaxError("");
      if (counters_[counterTop_] != 0) return WrongArgumentCount();
      e_.FinishProgram();
      return;
    }
    if (code == sym::RParen) {
      if (ops_[opTop_] != sym::LParen) return SyntaxError("");
      if (counters_[counterTop_] != 0) return WrongArgumentCount();
      --opTop_;
      --counterTop_;
    } else if (code == sym::Comma) {
      if (counters_[counterTop_] == 0) return WrongArgumentCount();
    } else {
      Push(static_cast<int16_t>(code));
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// Program

void CExpression::Expression(std::string_view newValue) {
  expression_.assign(newValue);
  try {
    CompileExpression();
  } catch (...) {
    // A compilation stopped by a limit leaves no program behind.
    program_.clear();
    programVars_.clear();
    fast_.reset();
    block_.reset();
    runnable_ = false;
    throw;
  }
}

void CExpression::CompileExpression() {
  usesTrig_ = false;
  program_.clear();
  programVars_.clear();
  fast_.reset();
  block_.reset();
  runnable_ = false;
  errorCode_ = 0;
  errorDescription_.clear();
  Compiler(*this).Run();
  if (!runnable_) {
    // A partial program is never run, not even after ClearError.
    program_.clear();
    programVars_.clear();
  }
}

void CExpression::AppendInstruction(int16_t code, ExprValue value, CVariable* var, int16_t argCount) {
  if (program_.size() >= static_cast<size_t>(kMaxInstructions)) Raise(kProgramTooLong);
  Instruction& in = program_.emplace_back();
  in.Code = code;
  in.ArgCount = argCount;
  in.Operand = std::move(value);
  in.Var = var;
}

void CExpression::FinishProgram() {
  program_.shrink_to_fit();
  // The deepest stack the program reaches: every operand pushes the accumulator, a call of n arguments
  // pops n - 1 entries. Sized here, evaluation never runs out of stack and never allocates.
  long depth = 0, deepest = 0;
  for (const Instruction& in : program_) {
    const int code = in.Code;
    if (code == sym::Operand || (code >= sym::Pi && code <= sym::Rad) ||
        (sym::IsUserFunction(code) && in.ArgCount == 0)) {
      ++depth;
    } else if (sym::IsUserFunction(code)) {
      depth -= in.ArgCount - 1;
    } else if (code == sym::Negate || code == sym::Not) {
      // one operand in, one result out
    } else if (symbols_[code].ArgCount > 0) {
      depth -= symbols_[code].ArgCount - 1;
    } else {
      depth -= 1;
    }
    if (depth > deepest) deepest = depth;
  }
  stack_.assign(static_cast<size_t>(deepest) + 1, ExprValue());
  errorPos_ = 0;
  runnable_ = true;
  fast_ = FastProgram::Build(*this);
}

}  // namespace plotara
