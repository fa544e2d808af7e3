// Replays the C-interface sequences capi_fuzz keeps (fuzz/regressions/capi/) and its seeds, each through
// the same code the target runs: a sequence breaks the interface's contract by aborting, its memory
// faults show in the sanitized build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/CInterfaceSequence.h"

namespace plotara {
namespace {

TEST(CInterfaceFuzzRegressions, KeptSequencesAndSeedsRun) {
  std::vector<std::filesystem::path> files;
  for (const char* folder : {"regressions/capi", "capi-seeds"})
    for (const auto& e :
         std::filesystem::directory_iterator(std::filesystem::path(PLOTARA_SOURCE_DIR) / "fuzz" / folder))
      if (e.path().filename().string()[0] != '.') files.push_back(e.path());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty());
  for (const auto& f : files) {
    SCOPED_TRACE(f.string());
    std::ifstream in(f, std::ios::binary);
    const std::string input{std::istreambuf_iterator<char>(in), {}};
    EXPECT_TRUE(fuzz::RunCInterfaceSequence(reinterpret_cast<const uint8_t*>(input.data()), input.size()));
  }
}

}  // namespace
}  // namespace plotara
