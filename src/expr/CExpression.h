// CExpression: compiles a line of formula text (2*SIN(x)+1) into a postfix program and evaluates it, many
// times, with the current values of its variables. The control plots function curves with it: it resets
// the variables, assigns the formula to Expression, checks ErrorCode, then for each x sets the variable
// "x" and reads Value.
//
// The class is split by concern:
//   Symbols.cpp        construction, the symbol table, ReservedName, settings
//   Compiler.cpp       the scanner and the conversion to postfix form (assigning Expression)
//   Evaluation.cpp     Value, Evaluate, RPNExpression and the general interpreter
//   Builtins.cpp       operators and built-in functions on values, the operation table
//   NumberText.cpp     NumberText, the number text of evaluation error messages
//   NumericTree.cpp    the numeric tree of an all-numeric program, its types and folded constants
//   FastPath.cpp       the all-numeric program that Value runs when it can
//   BlockProgram.cpp   the same over arrays of values, for Values
//   UserFunctions.cpp  variables and user-defined functions
//
// Errors. The evaluator's own codes are kept in ErrorCode / ErrorDescription / ErrorPos and are never
// thrown: 1 syntax, 2 unknown function or variable, 3 unknown operator, 4 wrong number of arguments,
// 5 evaluation error, 7 too many user functions, 8 invalid user function definition, 9 reserved name.
// Run-time errors (plotara::RuntimeError) are thrown to the caller:
//   - assigning Expression: 6 (Overflow) for an integer literal outside 32 bits, a real literal too
//     large for a double or a program over 300 instructions; 28 (Out of stack space) for more than 40
//     pending operators and brackets. The evaluator then holds no program: Value returns empty.
//   - Value, while RaiseErrors is true: the failure of an operation (5 square root of a negative number
//     and other invalid arguments, 6 overflow, 11 MOD by zero or ATANH(1), 13 text that is not a number,
//     14 a text longer than MaxTextLength). While RaiseErrors is false, Value returns DefaultValue.
//
// Text is handled as bytes: positions (ErrorPos, MID, INSTR) and lengths count bytes, which are the
// characters of ASCII text.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "expr/CVariable.h"
#include "expr/ExprValue.h"

namespace plotara {

class FastProgram;
class BlockProgram;
class NumericTree;
struct BuiltinCall;

class CExpression {
 public:
  static constexpr int kMaxInstructions = 300;     // program capacity
  static constexpr int kMaxPendingOperators = 40;  // operator and argument-counter stacks
  static constexpr int kUserSlots = 20;
  static constexpr size_t kMaxTextLength = size_t{1} << 20;  // longest text an operation may build

  CExpression();
  ~CExpression();
  CExpression(const CExpression&) = delete;
  CExpression& operator=(const CExpression&) = delete;

  // ---- Compilation ----
  const std::string& Expression() const noexcept { return expression_; }
  // Stores the text and compiles it; replaces the previous program, error state and trig flag.
  void Expression(std::string_view newValue);

  int32_t ErrorCode() const noexcept { return errorCode_; }
  const std::string& ErrorDescription() const noexcept { return errorDescription_; }
  int32_t ErrorPos() const noexcept { return errorPos_; }  // 1-based; 0 after a successful compile
  // Clears the error state. After an evaluation error Value works again; a text that failed to compile
  // still has no program to run until it is assigned again.
  void ClearError() noexcept;

  // True when the compiled text calls SIN, ASIN, COS, ACOS, TAN, ATN or ATAN.
  bool CompiledExprUsesTrig() const noexcept { return usesTrig_; }
  void CompiledExprUsesTrig(bool v) noexcept { usesTrig_ = v; }

  // True when name is a constant, built-in, string or user function name or NOT; then sets error 9.
  bool ReservedName(std::string_view name, std::string_view preText);

  // ---- Evaluation ----
  // Copies vars into variables 1, 2, ... (creation order) and runs the program. Returns empty when there
  // is no expression or ErrorCode is not 0, DefaultValue after an evaluation error.
  ExprValue Value(std::span<const ExprValue> vars = {});
  // The values of the program with var at each of xs, in one pass over arrays of values: ys[i] gets the
  // number Value gives with var.Value = xs[i] and ErrorCode 0, bit for bit, or NaN where the caller must
  // call Value itself: where Value fails (and reports as it does) or gives what is not a number, where it
  // gives NaN, and at every x when the program has no all-numeric form (text, RND, user functions) or
  // ErrorCode is not 0. ys has at least the size of xs. var holds the last of xs afterwards.
  void Values(CVariable& var, std::span<const double> xs, std::span<double> ys);
  // Compiles expr, copies vars into the variables and evaluates.
  ExprValue Evaluate(std::string_view expr, std::span<const ExprValue> vars = {});
  // The program as text, each item preceded by a space; "" when there is none or ErrorCode is not 0.
  std::string RPNExpression() const;

  bool DeGRad() const noexcept { return deGRad_; }  // angles in degrees when true
  void DeGRad(bool v) noexcept { deGRad_ = v; }
  const ExprValue& DefaultValue() const noexcept { return defaultValue_; }
  void DefaultValue(ExprValue v);  // a reference is stored as the value it refers to
  bool RaiseErrors() const noexcept { return raiseErrors_; }
  void RaiseErrors(bool v) noexcept { raiseErrors_ = v; }

  // Number text of error descriptions: 12.345, 123.46, 5, 1.235E+07.
  static std::string NumberText(double x);
  static double SafeLog10(double x);

  // Restarts RND's sequence. A new evaluator starts from a fixed seed, so sequences repeat by default.
  void Randomize(uint64_t seed) noexcept;

  // ---- Variables and user functions ----
  // Looks a variable up by name without regard to letter case and sets its Value to varValue; creates it
  // when missing and createIfNeeded is true. Null when there is none. The variable lives while this
  // evaluator or a compiled program holds it. (No defaults: a lookup always assigns.)
  CVariable* Variable(std::string_view varName, bool createIfNeeded, double varValue);
  // The variable at a 1-based position in creation order, or null; changes no value.
  CVariable* Variable(int32_t position, bool createIfNeeded = false, double varValue = 0);
  // Appends newVar, replacing a variable of the same name; returns the number of variables.
  int32_t AddVariable(std::shared_ptr<CVariable> newVar);
  int16_t VariablesCount() const;
  void ResetVariables();
  bool AutoCreateVariables() const noexcept { return autoCreateVariables_; }
  void AutoCreateVariables(bool v) noexcept { autoCreateVariables_ = v; }

  // Defines a function "NAME(p1, p2, ...) = body"; reports problems through the error state.
  void UserFunc(std::string_view userFunction);
  void ResetUserFuncs();
  int16_t NumUserFunctions() const noexcept { return numUserFunctions_; }
  void NumUserFunctions(int16_t v) noexcept;  // kept within 0..20

 private:
  struct Symbol {
    std::string Name;
    uint8_t Precedence = 0;
    int16_t ArgCount = 0;  // -1 separator, 0 operator or constant, n > 0 opens n arguments
  };
  struct Instruction {
    int16_t Code = 0;
    int16_t ArgCount = 0;      // arguments of a user-function call, fixed when compiled
    ExprValue Operand;         // number, string or a reference to Var's value
    CVariable* Var = nullptr;  // the variable of a variable operand
  };
  struct NamedVariable {
    std::string Key;  // upper case
    std::shared_ptr<CVariable> Var;
  };
  class Compiler;
  friend class Compiler;
  friend class NumericTree;
  friend struct BuiltinCall;  // an operation of the general interpreter, run by Execute

  // Symbols.cpp
  void DefineSymbol(int code, std::string_view name, uint8_t precedence, int16_t argCount);
  int LookupName(std::string_view upperName);
  // Compiler.cpp
  void CompileExpression();
  void AppendInstruction(int16_t code, ExprValue value = {}, CVariable* var = nullptr, int16_t argCount = 0);
  void FinishProgram();
  // Evaluation.cpp
  [[gnu::noinline]] ExprValue Run();  // kept out of Value, whose fast path stays small
  // Builtins.cpp: executes one instruction other than an operand push through the operation table.
  // Returns 0, or a run-time error number, or kEvaluationError after setting error 5.
  int Execute(const Instruction& in, ExprValue& acc, ExprValue* stack, size_t& sp);
  int CallUserFunction(const Instruction& in, ExprValue& acc, ExprValue* stack, size_t& sp);
  int SetEvaluationError(std::string description);
  double NextRandom() noexcept;
  double AngleFactor() const noexcept { return deGRad_ ? 3.14159265358979 / 180 : 1.0; }
  // UserFunctions.cpp
  NamedVariable* FindVariable(std::string_view name) noexcept;

  // Compilation state
  std::string expression_;
  int32_t errorCode_ = 0;
  std::string errorDescription_;
  int32_t errorPos_ = 0;
  bool usesTrig_ = false;
  std::array<Symbol, 87> symbols_;
  std::vector<Instruction> program_;
  std::vector<std::shared_ptr<CVariable>> programVars_;  // keeps the program's variables alive
  bool runnable_ = false;                                // a successfully compiled program is held
  std::vector<ExprValue> stack_;                         // sized for the program's deepest stack
  std::unique_ptr<FastProgram> fast_;                    // the numeric form of the program, when it has one
  std::unique_ptr<BlockProgram> block_;  // the form over arrays, built by Values for its variable

  // Settings
  int16_t numUserFunctions_ = 0;
  bool deGRad_ = false;
  bool raiseErrors_ = true;
  bool autoCreateVariables_ = true;
  ExprValue defaultValue_;
  uint64_t rndState_ = 0;

  std::vector<NamedVariable> variables_;
  std::array<std::unique_ptr<CExpression>, kUserSlots> userFunctionEvaluators_;
};

}  // namespace plotara
