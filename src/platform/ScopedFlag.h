// A re-entry flag set for the length of a scope.
#pragma once

namespace plotara {

// Sets a flag for a scope and puts back the value it found on the way out, also when a failure ends the
// scope: a flag left set would silence drawing or the mouse for good, and a nested scope must not clear
// the flag of the scope around it.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = saved_; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

}  // namespace plotara
