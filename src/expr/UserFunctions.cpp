// Variables and user-defined functions.
//
//   Variables       Variable, AddVariable, VariablesCount, ResetVariables
//   Definitions     UserFunc: NAME(p1, p2, ...) = body, compiled into a nested evaluator per slot
//   Calls           CallUserFunction, during Value
#include <algorithm>

#include "expr/CExpression.h"
#include "expr/Kernels.h"
#include "expr/Symbols.h"
#include "platform/AsciiCase.h"
#include "platform/RuntimeError.h"

namespace plotara {

// ---------------------------------------------------------------------------------------------------
// Variables

CExpression::NamedVariable* CExpression::FindVariable(std::string_view name) noexcept {
  for (NamedVariable& v : variables_) {
    if (EqualsUpper(name, v.Key)) return &v;
  }
  return nullptr;
}

CVariable* CExpression::Variable(std::string_view varName, bool createIfNeeded, double varValue) {
  if (NamedVariable* found = FindVariable(varName)) {
    found->Var->Value = varValue;
    return found->Var.get();
  }
  if (!createIfNeeded) return nullptr;
  auto created = std::make_shared<CVariable>(std::string(varName), ExprValue(varValue));
  CVariable* raw = created.get();
  AddVariable(std::move(created));
  return raw;
}

CVariable* CExpression::Variable(int32_t position, bool, double) {
  if (position < 1 || static_cast<size_t>(position) > variables_.size()) return nullptr;
  return variables_[static_cast<size_t>(position) - 1].Var.get();
}

int32_t CExpression::AddVariable(std::shared_ptr<CVariable> newVar) {
  if (newVar) {
    newVar->Value = ExprValue(newVar->Value.Deref());  // a variable holds values, never references
    std::string key = UpperCase(newVar->Name);
    std::erase_if(variables_, [&](const NamedVariable& v) { return v.Key == key; });
    variables_.push_back({std::move(key), std::move(newVar)});
  }
  return static_cast<int32_t>(variables_.size());
}

int16_t CExpression::VariablesCount() const {
  if (variables_.size() > 32767) Raise(err::Overflow);
  return static_cast<int16_t>(variables_.size());
}

void CExpression::ResetVariables() {
  variables_.clear();
}

// ---------------------------------------------------------------------------------------------------
// Definitions

namespace {

constexpr std::string_view kUserFuncPrefix = "(User-defined Functions) ";

bool IsNameStart(char c) {
  return c >= 'A' && c <= 'Z';
}  // the definition is upper case
bool IsNameChar(char c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '_';
}

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

void CExpression::UserFunc(std::string_view userFunction) {
  const std::string text = UpperCase(TrimSpaces(userFunction));
  if (text.empty()) return;
  size_t pos = 0;
  auto at = [&](size_t p) { return p < text.size() ? text[p] : '\0'; };
  auto skipSpaces = [&] {
    while (at(pos) == ' ') ++pos;
  };
  auto scanIdentifier = [&] {
    const size_t start = pos;
    while (IsNameChar(at(pos))) ++pos;
    std::string id = text.substr(start, pos - start);
    skipSpaces();
    return id;
  };

  const std::string name = scanIdentifier();
  if (ReservedName(name, kUserFuncPrefix)) return;
  auto invalid = [&] {
    errorCode_ = 8;
    errorDescription_ = "Invalid User Function Definition: " + name;
  };
  // A name must be callable: it starts with a letter, like every identifier of a formula.
  if (name.empty() || !IsNameStart(name[0]) || at(pos) != '(') return invalid();

  std::vector<std::string> params;
  while (at(pos) != ')' && pos < text.size() && params.size() < static_cast<size_t>(kUserSlots)) {
    ++pos;  // "(" or ","
    skipSpaces();
    std::string param = scanIdentifier();
    if (param.empty() && params.empty() && at(pos) == ')') break;  // NAME() takes no parameters
    if (ReservedName(param, kUserFuncPrefix)) return;
    if (at(pos) != ',' && at(pos) != ')') return invalid();
    // Parameters are the body's variables by position: each must be a distinct identifier.
    if (param.empty() || !IsNameStart(param[0]) ||
        std::find(params.begin(), params.end(), param) != params.end()) {
      return invalid();
    }
    params.push_back(std::move(param));
  }
  ++pos;  // ")"
  skipSpaces();
  if (at(pos) != '=') return invalid();
  ++pos;
  const std::string_view body = TrimSpaces(std::string_view(text).substr(std::min(pos, text.size())));

  const int slot = numUserFunctions_ + 1;
  if (slot > kUserSlots) {
    errorCode_ = 7;
    errorDescription_ = "Too Many User Functions";
    return;
  }
  numUserFunctions_ = static_cast<int16_t>(slot);
  DefineSymbol(sym::User1 + slot - 1, name, 30, static_cast<int16_t>(params.size()));

  std::unique_ptr<CExpression>& nested = userFunctionEvaluators_[slot - 1];
  if (!nested) nested = std::make_unique<CExpression>();
  nested->ResetVariables();
  for (const std::string& p : params) nested->Variable(p, true, 0);
  // A body too long or too deeply nested fails here like any assignment of Expression: the caller is
  // told rather than left with a function that silently returns nothing.
  nested->Expression(body);
  if (nested->ErrorCode() != 0) {
    errorCode_ = nested->ErrorCode();
    errorDescription_ = nested->ErrorDescription() + " in User Function";
    errorPos_ = nested->ErrorPos();
  }
}

// ---------------------------------------------------------------------------------------------------
// Calls

// The n arguments are the n - 1 top stack entries and the accumulator, in declaration order; they become
// the nested evaluator's variables 1..n and its value replaces them. An error inside the body stays in
// the nested evaluator (the call then gives empty); a run-time failure is this instruction's failure.
int CExpression::CallUserFunction(const Instruction& in, ExprValue& acc, ExprValue* stack, size_t& sp) {
  const size_t n = static_cast<size_t>(in.ArgCount);
  CExpression* f = userFunctionEvaluators_[in.Code - sym::User1].get();
  if (n == 0) stack[sp++] = std::move(acc);
  ExprValue result;
  if (f) {
    const size_t bound = std::min(n, f->variables_.size());
    for (size_t i = 1; i <= bound; ++i) {
      const ExprValue& arg = i == n ? acc : stack[sp - (n - i)];
      f->variables_[i - 1].Var->Value = arg.Deref();
    }
    try {
      result = f->Value();
    } catch (const RuntimeError& e) {
      return e.Number();
    }
  }
  if (n > 0) sp -= n - 1;
  acc = std::move(result);
  return kernels::kOk;
}

}  // namespace plotara
