// libFuzzer target for the C interface: see CInterfaceSequence.h for how an input is decoded.
#include <cstddef>
#include <cstdint>

#include "fuzz/CInterfaceSequence.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return plotara::fuzz::RunCInterfaceSequence(data, size) ? 0 : -1;
}
