#include "hosts/cli/Script.h"

#include <gtest/gtest.h>

#include <sstream>

namespace plotara {
namespace {

struct ScriptResult {
  int status;
  std::string out, err;
};

ScriptResult RunText(const std::string& text, ScriptOptions options = {}) {
  Plotara control(options.Dpi);
  ScriptRunner::SizeControl(control, options.Width, options.Height);
  std::ostringstream out, err;
  ScriptRunner runner(control, options, out, err);
  const int status = runner.Run(text, "test.plotara");
  return {status, out.str(), err.str()};
}

TEST(Script, PrintsValuesTabSeparated) {
  const ScriptResult r = RunText("' a comment\nPrint Version, GraphIndex\n\n# another\nPrint \"a \"\"b\"\"\", -3, 0.1, &HFF, True\n");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(r.out, "1.02\t0\na \"b\"\t-3\t0.1\t255\tTrue\n");
  EXPECT_EQ(r.err, "");
}

TEST(Script, PutsPropertiesAndCallsMethods) {
  const ScriptResult r = RunText("SuppressRaisingEvents = True\nPrint SuppressRaisingEvents\nReset\nReset()\nPrint GraphIndex()\n");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(r.out, "True\n0\n");
}

TEST(Script, AutomationErrorsPrintAndTheScriptGoesOn) {
  const ScriptResult r = RunText("Print NoSuch\nVersion = \"2\"\nReset 1\nPrint Version\n");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(r.out,
            "Automation error 438: Object doesn't support this property or method\n"
            "Automation error 383: Property is read-only\n"
            "Automation error 450: Wrong number of arguments or invalid property assignment\n"
            "1.02\n");
}

TEST(Script, ALineThatCannotBeParsedStopsWithItsNumber) {
  struct Row {
    const char* text;
    const char* message;
  };
  const Row rows[] = {
      {"Print 1\nPrint (1\nPrint 2\n", "test.plotara:2: syntax error: expected ')'\n"},
      {"Print \"open\n", "test.plotara:1: syntax error: missing closing quote\n"},
      {"Reset\n\n42\n", "test.plotara:3: syntax error: a statement starts with a name\n"},
      {"Size 10\n", "test.plotara:1: syntax error: Size takes a width and a height\n"},
      {"Print 1 2\n", "test.plotara:1: syntax error: expected the end of the line\n"},
      {"Print 1 ; 2\n", "test.plotara:1: syntax error: unexpected character ';'\n"},
  };
  for (const Row& row : rows) {
    const ScriptResult r = RunText(row.text);
    EXPECT_EQ(r.status, kScriptSyntaxError);
    EXPECT_EQ(r.err, row.message);
  }
  EXPECT_EQ(RunText("Print 1\nPrint (1\nPrint 2\n").out, "1\n") << "nothing after the bad line runs";
}

TEST(Script, SizeGivesThePictureItsPixels) {
  Plotara control(192);
  std::ostringstream out, err;
  ScriptRunner runner(control, ScriptOptions{}, out, err);
  EXPECT_EQ(runner.Run("Size 400, 300\n", "s"), kScriptOk);
  EXPECT_EQ(control.Picture1().PixelWidth(), 800);
  EXPECT_EQ(control.Picture1().PixelHeight(), 600);
  EXPECT_EQ(runner.Run("Size 0, 300\n", "s"), kScriptFailed);
}

TEST(Script, HostStatementsFailClearly) {
  ScriptResult r = RunText("Save \"/no/such/dir/x.png\"\nPrint 1\n");
  EXPECT_EQ(r.status, kScriptFailed);
  EXPECT_EQ(r.err, "test.plotara:1: cannot write '/no/such/dir/x.png': Path/File access error\n");
  r = RunText("Data \"/no/such/points.csv\"\n");
  EXPECT_EQ(r.status, kScriptFailed);
  EXPECT_EQ(r.err, "test.plotara:1: cannot open data file '/no/such/points.csv'\n");
}

}  // namespace
}  // namespace plotara
