// Numbers as a host script and its data files write them.
#pragma once

#include <cmath>
#include <string_view>

#include "platform/RuntimeError.h"
#include "plotara/Variant.h"

namespace plotara {

// TextToNumber that reports a number too large or too small for a Double as false, with v infinite, so
// that a message can tell "out of range" from "not a number".
inline bool ReadNumber(std::string_view text, double& v) {
  try {
    return TextToNumber(text, v);
  } catch (const RuntimeError&) {
    v = HUGE_VAL;
    return false;
  }
}

}  // namespace plotara
