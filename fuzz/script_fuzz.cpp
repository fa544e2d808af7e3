// libFuzzer target for host scripts: see ScriptInput.h for how an input is run.
#include <cstddef>
#include <cstdint>

#include "fuzz/ScriptInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return plotara::fuzz::RunFuzzScript(data, size) ? 0 : -1;
}
