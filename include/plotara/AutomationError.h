// The failure a property accessor (or the by-name interface) returns to the host: an error number and
// its description. Unlike methods, accessors have no error guard and raise no ErrorMsg event.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace plotara {

class AutomationError : public std::runtime_error {
 public:
  // The error with its standard description ("Subscript out of range" for 9).
  explicit AutomationError(int number);
  AutomationError(int number, std::string description)
      : std::runtime_error(description), number_(number), description_(std::move(description)) {}

  int Number() const noexcept { return number_; }
  const std::string& Description() const noexcept { return description_; }

 private:
  int number_;
  std::string description_;
};

}  // namespace plotara
