// Turning the run-time errors of an accessor body into the AutomationError the host receives.
#pragma once

#include <new>

#include "platform/RuntimeError.h"
#include "plotara/AutomationError.h"

namespace plotara {

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
