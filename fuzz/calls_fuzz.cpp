// libFuzzer target for the by-name interface: see CallSequence.h for how an input is decoded.
#include <cstddef>
#include <cstdint>

#include "fuzz/CallSequence.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return plotara::fuzz::RunCallSequence(data, size) ? 0 : -1;
}
