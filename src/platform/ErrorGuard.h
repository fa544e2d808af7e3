// The error guard: every method and internal routine of the control runs its body through Guarded().
// A failure abandons the body, is handed to the reporter with the routine's name, and the routine then
// returns to its caller as if it had succeeded. No exception leaves the outermost guarded routine of a
// call.
//
// The reporter calls the host back (events, error messages), and the host may call the control from
// there: add or remove graphs, axes, data sets, reset it. An operation that holds references into the
// records cannot go on after that. The reporter then throws OperationAbandoned; it passes through the
// guards of the routines inside the operation and stops at the outermost one, which returns false with
// nothing reported.
#pragma once

#include <new>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "platform/RuntimeError.h"

namespace plotara {

// The records an operation works on changed under it, in a call the host made back into the control.
struct OperationAbandoned {};

class ErrorReporter {
 public:
  // Called with the routine's own name ("NewGraph", "DrawGraph") and the error number. Throws
  // OperationAbandoned when the host's handler changed the records under a running operation.
  virtual void ReportError(std::string_view routine, int number) = 0;
  // The same with a message of its own in place of the number's standard text.
  virtual void ReportFailure(std::string_view routine, int number, std::string_view description) {
    static_cast<void>(description);
    ReportError(routine, number);
  }

  // The guards open in the host's call now running; 0 outside any guarded routine and while the host
  // runs a handler (its calls begin operations of their own).
  int OpenGuards() const { return openGuards_; }

  // One guarded routine while it runs.
  class Scope {
   public:
    explicit Scope(ErrorReporter& r) : r_(r), outermost_(r.openGuards_ == 0) { ++r_.openGuards_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    ~Scope() { --r_.openGuards_; }
    bool Outermost() const { return outermost_; }

   private:
    ErrorReporter& r_;
    bool outermost_;
  };

 protected:
  ~ErrorReporter() = default;

  // While the host runs a handler, the guards of the operation that raised it do not count.
  class HostCall {
   public:
    explicit HostCall(ErrorReporter& r) : r_(r), saved_(r.openGuards_) { r_.openGuards_ = 0; }
    HostCall(const HostCall&) = delete;
    HostCall& operator=(const HostCall&) = delete;
    ~HostCall() { r_.openGuards_ = saved_; }

   private:
    ErrorReporter& r_;
    int saved_;
  };

 private:
  int openGuards_ = 0;
};

// Runs body(); returns true when it completed, false when it failed and was reported (or, for the
// outermost guard, when the operation was abandoned).
template <class Body>
bool Guarded(ErrorReporter& reporter, std::string_view routine, Body&& body) {
  ErrorReporter::Scope scope(reporter);
  int number = 0;
  std::optional<DescribedError> described;  // a failure with a message of its own
  try {
    body();
    return true;
  } catch (const OperationAbandoned&) {
    if (!scope.Outermost()) throw;
    return false;
  } catch (const DescribedError& e) {
    number = e.Number();
    described = e;
  } catch (const RuntimeError& e) {
    number = e.Number();
  } catch (const std::bad_alloc&) {
    number = err::OutOfMemory;
  } catch (...) {
    number = err::InvalidProcedureCall;
  }
  // Reported outside the handlers above, so that an abandonment the report raises unwinds like any other.
  try {
    if (described) {
      reporter.ReportFailure(routine, number, described->what());
    } else {
      reporter.ReportError(routine, number);
    }
  } catch (const OperationAbandoned&) {
    if (!scope.Outermost()) throw;
  }
  return false;
}

}  // namespace plotara
