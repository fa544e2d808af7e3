// The failure a property accessor (or the by-name interface) returns to the host: an error number and
// its description. Unlike methods, accessors have no error guard and raise no ErrorMsg event.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

#include "platform/RuntimeError.h"

namespace plotara {

class AutomationError : public std::runtime_error {
 public:
  explicit AutomationError(int number) : AutomationError(number, std::string(ErrorText(number))) {}
  AutomationError(int number, std::string description)
      : std::runtime_error(description), number_(number), description_(std::move(description)) {}

  int Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }

 private:
  int number_;
  std::string description_;
};

// Runs an accessor body and turns a run-time error into the automation error the host receives.
template <class Body>
auto AsAutomation(Body&& body) -> decltype(body()) {
  try {
    return body();
  } catch (const RuntimeError& e) {
    throw AutomationError(e.Number());
  } catch (const std::bad_alloc&) {
    throw AutomationError(err::OutOfMemory);
  }
}

}  // namespace plotara
