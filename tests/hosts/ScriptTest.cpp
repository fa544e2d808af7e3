#include "hosts/cli/Script.h"

#include <gtest/gtest.h>

#include <fstream>
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
  const ScriptResult r =
      RunText("Print NoSuch\nVersion = \"2\"\nReset 1\nPrint GetSelectedGraph(1)\nPrint -&HFF, Version\n");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(r.out,
            "Automation error 438: Object doesn't support this property or method\n"
            "Automation error 383: Property is read-only\n"
            "Automation error 450: Wrong number of arguments or invalid property assignment\n"
            "Automation error 450: Wrong number of arguments or invalid property assignment\n"
            "-255\t1.02\n");
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
  EXPECT_EQ(control.Picture1().Width, 800);
  EXPECT_EQ(control.Picture1().Height, 600);
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

namespace plotara {
namespace {

TEST(Script, BuildsAGraphAndPrintsOutParameters) {
  const ScriptResult r = RunText(
      "NewGraph \"A\"\n"
      "NewGraph \"B\", 0, 10\n"
      "NewYAxis \"right\"\n"
      "Print GetGraphNames\n"
      "Print GetAxisNames, GetSelectedAxisIndex(1)\n"
      "NewDataSet \"sales\"\n"
      "SymbolStyle Symbol:=5, Color1:=&HFF\n"
      "AxisStyle , , True\n"
      "Print DataSymbol, DataSymbolEdgeColor, AxisLog, AxisColor\n"
      "Print GetSelectedData\n"
      "Print SelectYaxis(), SelectYaxis(Index:=2)\n");
  EXPECT_EQ(r.status, kScriptOk) << r.err;
  EXPECT_EQ(r.out,
            "2\t\tA\tB\n"
            "3\tx-axis\ty-axis\tright\t\t2\n"
            "5\t255\tTrue\t0\n"
            "0\n"
            "1\t2\n");
}

TEST(Script, ReportsEventsWhenAskedTo) {
  ScriptOptions o;
  o.PrintEvents = true;
  const ScriptResult r = RunText("SetSelectedData 1\nAxisColor = 5\nNewGraph \"G\"\n", o);
  EXPECT_EQ(r.out,
            "Event ErrorMsg \"Error 9 has occured in Plotara.ocx, SetSelectedData\" \"Subscript out of range\"\n"
            "Automation error 9: Subscript out of range\n"
            "Event GraphScaleChanged\n"
            "Event GraphScaleChanged\n");
  EXPECT_EQ(RunText("SetSelectedData 1\n").err,
            "Event ErrorMsg \"Error 9 has occured in Plotara.ocx, SetSelectedData\" \"Subscript out of range\"\n")
      << "without --events failures still show, on the error stream";
}

TEST(Script, DataReadsRowsIntoTheLastDataSet) {
  const std::string csv = ::testing::TempDir() + "/points.csv";
  {
    std::ofstream f(csv);
    f << "x,y,e\n1,2\n\n3, 4, 0.5\n";
  }
  ScriptOptions o;
  o.BaseDir = ::testing::TempDir();
  ScriptResult r = RunText("NewGraph \"G\"\nNewDataSet \"d\"\nData \"points.csv\"\nPrint AxisValue1, AxisValue2\n", o);
  EXPECT_EQ(r.status, kScriptOk) << r.err;
  EXPECT_EQ(r.out, "1\t3\n");
  {
    std::ofstream f(csv);
    f << "1,2\n3,four\n";
  }
  r = RunText("NewGraph \"G\"\nNewDataSet \"d\"\nData \"points.csv\"\n", o);
  EXPECT_EQ(r.status, kScriptFailed);
  EXPECT_NE(r.err.find("points.csv:2: expected x,y or x,y,e"), std::string::npos);
}

}  // namespace
}  // namespace plotara

namespace plotara {
namespace {

TEST(Script, MouseScrollAndChildElementsDriveTheControlHeadless) {
  const std::string dir = ::testing::TempDir();
  const ScriptResult r = RunText(
      "Size 400, 300\n"
      "NewGraph \"G\", 0, 100, 0, 100\n"
      "Refresh\n"
      "Mouse Move, 0, 0, 3000, 2000\n"
      "Print MousePointer, Label1.Visible, HScroll1.Visible\n"
      "Mouse Down, 1, 1, 3000, 2000\n"
      "Print HScroll1.Visible, HScroll1.LargeChange, HScroll1.SmallChange, VScroll1.Value\n"
      "Scroll H, 0\n"
      "Scroll V, 1000, Drag\n"
      "Print HScroll1.Value, VScroll1.Value, HScroll1.Left\n"
      "CopyToClipboard\n"
      "SaveClipboard \"" + dir + "/copy.png\"\n");
  EXPECT_EQ(r.status, kScriptOk) << r.err;
  std::istringstream lines(r.out);
  std::string first, second, third;
  std::getline(lines, first);
  std::getline(lines, second);
  std::getline(lines, third);
  EXPECT_EQ(first, "2\tTrue\tFalse") << "a cross hair over the plot";
  EXPECT_EQ(second.substr(0, 12), "True\t500\t10\t") << second;
  EXPECT_EQ(third.substr(0, 7), "0\t1000\t");
  EXPECT_TRUE(std::ifstream(dir + "/copy.png").good());
}

TEST(Script, SavingAnEmptyClipboardIsAClearError) {
  const ScriptResult r = RunText("SaveClipboard \"x.png\"\nMouse Sideways, 1, 0, 1, 1\n");
  EXPECT_EQ(r.status, kScriptFailed);
  EXPECT_EQ(r.err, "test.plotara:1: the clipboard holds no picture (CopyToClipboard puts one there)\n");
  const ScriptResult bad = RunText("Mouse Sideways, 1, 0, 1, 1\n");
  EXPECT_EQ(bad.status, kScriptSyntaxError);
  EXPECT_EQ(bad.err, "test.plotara:1: syntax error: Mouse takes Down, Move or Up\n");
  EXPECT_EQ(RunText("Print Label1.Colour\n").status, kScriptSyntaxError);
}

}  // namespace
}  // namespace plotara
