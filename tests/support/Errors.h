// The error number a call raises, for tests: 0 when it raises none.
#pragma once

#include <functional>

#include "platform/AutomationError.h"
#include "platform/RuntimeError.h"

namespace plotara::test {

inline int ErrorNumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const RuntimeError& e) {
    return e.Number();
  } catch (const AutomationError& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace plotara::test
