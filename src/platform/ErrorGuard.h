// The error guard: every method and internal routine of the control runs its body through Guarded().
// A failure abandons the body, is handed to the reporter with the routine's name, and the routine then
// returns to its caller as if it had succeeded. No exception leaves a guarded routine.
#pragma once

#include <new>
#include <stdexcept>
#include <string_view>

#include "platform/RuntimeError.h"

namespace plotara {

class ErrorReporter {
 public:
  // Called with the routine's own name ("NewGraph", "DrawGraph") and the error number.
  virtual void ReportError(std::string_view routine, int number) noexcept = 0;

 protected:
  ~ErrorReporter() = default;
};

// Runs body(); returns true when it completed, false when it failed and was reported.
template <class Body>
bool Guarded(ErrorReporter& reporter, std::string_view routine, Body&& body) noexcept {
  try {
    body();
    return true;
  } catch (const RuntimeError& e) {
    reporter.ReportError(routine, e.Number());
  } catch (const std::bad_alloc&) {
    reporter.ReportError(routine, err::OutOfMemory);
  } catch (...) {
    reporter.ReportError(routine, err::InvalidProcedureCall);
  }
  return false;
}

}  // namespace plotara
