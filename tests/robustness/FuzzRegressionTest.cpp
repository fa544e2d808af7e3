// Replays the inputs the fuzz targets kept (fuzz/regressions/<target>/), each through the same code
// the target runs, so that a fault once found stays fixed in every build, sanitized or not.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/CallSequence.h"
#include "fuzz/ScriptInput.h"

namespace plotara {
namespace {

std::vector<std::filesystem::path> Kept(const std::string& target) {
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(PLOTARA_SOURCE_DIR) /
                                                           "fuzz" / "regressions" / target))
    if (e.path().filename().string()[0] != '.') files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::string Bytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(FuzzRegressions, KeptScriptsRunToAStatus) {
  const auto files = Kept("script");
  ASSERT_FALSE(files.empty());
  for (const auto& f : files) {
    SCOPED_TRACE(f.filename().string());
    const std::string input = Bytes(f);
    // Inputs longer than the target takes are run whole here: a test has the time.
    std::ostringstream out, err;
    Plotara control(96);
    ScriptOptions options;
    options.Width = 160;
    options.Height = 120;
    options.SizeGiven = true;
    SizePicture(control, 160, 120);
    ScriptRunner runner(control, options, out, err);
    const int status = runner.Run(input, "kept");
    EXPECT_TRUE(status == kScriptOk || status == kScriptFailed || status == kScriptSyntaxError) << status;
    if (input.size() <= 4096) {
      EXPECT_TRUE(fuzz::RunFuzzScript(reinterpret_cast<const uint8_t*>(input.data()), input.size()));
    }
  }
}

TEST(FuzzRegressions, KeptCallSequencesRun) {
  const auto files = Kept("calls");
  for (const auto& f : files) {
    SCOPED_TRACE(f.filename().string());
    const std::string input = Bytes(f);
    EXPECT_TRUE(fuzz::RunCallSequence(reinterpret_cast<const uint8_t*>(input.data()), input.size()));
  }
}

// Brackets and signs nest by recursion in the script parser: past a bound a line is a syntax error with
// its line number, not a stack overflow; within it the value comes through.
TEST(ScriptNesting, ADeeplyNestedLineIsASyntaxErrorAndAShallowOneRuns) {
  struct Case {
    std::string line;
    int status;
    std::string printed;
  };
  const Case cases[] = {
      {"Print " + std::string(100000, '(') + "1" + std::string(100000, ')'), kScriptSyntaxError, ""},
      {"Print " + std::string(100000, '-') + "1", kScriptSyntaxError, ""},
      {"Print Version(" + std::string(5000, '(') + std::string(5000, ')') + ")", kScriptSyntaxError, ""},
      {"Print " + std::string(100, '(') + "7" + std::string(100, ')'), kScriptOk, "7\n"},
      {"Print " + std::string(100, '-') + "7", kScriptOk, "7\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line.substr(0, 20));
    Plotara control(96);
    std::ostringstream out, err;
    ScriptRunner runner(control, ScriptOptions{}, out, err);
    EXPECT_EQ(runner.Run("Print 1\n" + c.line + "\n", "nest"), c.status);
    if (c.status == kScriptSyntaxError) {
      EXPECT_NE(err.str().find("nest:2: syntax error"), std::string::npos) << err.str();
    } else {
      EXPECT_EQ(out.str(), "1\n" + c.printed);
    }
  }
}

}  // namespace
}  // namespace plotara
