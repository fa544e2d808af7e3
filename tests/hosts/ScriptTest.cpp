#include "hosts/cli/Script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "control/Internals.h"

namespace plotara {
namespace {

struct ScriptResult {
  int status;
  std::string out, err;
};

ScriptResult RunText(const std::string& text, ScriptOptions options = {}) {
  Plotara control(options.Dpi);
  SizePicture(control, options.Width, options.Height);
  std::ostringstream out, err;
  ScriptRunner runner(control, options, out, err);
  const int status = runner.Run(text, "test.plotara");
  return {status, out.str(), err.str()};
}

TEST(Script, PrintsValuesTabSeparated) {
  const ScriptResult r = RunText(
      "' a comment\nPrint Version, GraphIndex\n\n# another\nPrint \"a \"\"b\"\"\", -3, 0.1, &HFF, True\n");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(r.out, "1.02\t0\na \"b\"\t-3\t0.1\t255\tTrue\n");
  EXPECT_EQ(r.err, "");
}

TEST(Script, AByteOrderMarkBeforeTheFirstLineIsPassedOver) {
  for (const char* text : {"\xEF\xBB\xBFPrint 1\n", "\xEF\xBB\xBF' a comment\nPrint 1\n", "Print 1\n"}) {
    const ScriptResult r = RunText(text);
    EXPECT_EQ(r.status, kScriptOk) << r.err;
    EXPECT_EQ(r.out, "1\n");
  }
}

TEST(Script, PutsPropertiesAndCallsMethods) {
  const ScriptResult r = RunText(
      "SuppressRaisingEvents = True\nPrint SuppressRaisingEvents\nReset\nReset()\nPrint GraphIndex()\n");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(r.out, "True\n0\n");
}

TEST(Script, AutomationErrorsGoToTheErrorStreamWithFileLineAndMemberAndTheScriptGoesOn) {
  const ScriptResult r =
      RunText("Print NoSuch\nVersion = \"2\"\nReset 1\nPrint GetSelectedGraph(1)\nPrint -&HFF, Version\n");
  EXPECT_EQ(r.status, kScriptFailed);
  EXPECT_EQ(r.out, "-255\t1.02\n");
  EXPECT_EQ(
      r.err,
      "test.plotara:1: NoSuch: Automation error 438: Object doesn't support this property or method\n"
      "test.plotara:2: Version: Automation error 383: Property is read-only\n"
      "test.plotara:3: Reset: Automation error 450: Wrong number of arguments or invalid property "
      "assignment\n"
      "test.plotara:4: GetSelectedGraph: Automation error 450: Wrong number of arguments or invalid property "
      "assignment\n");
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
      // Control bytes are shown, not sent to the terminal; a byte-order mark is only allowed first.
      {"Print 1 \x1b[2J\n", "test.plotara:1: syntax error: unexpected character U+001B\n"},
      {"Print 1\n\xEF\xBB\xBFPrint 2\n", "test.plotara:2: syntax error: unexpected character U+FEFF\n"},
      {"Print \xFF\n", "test.plotara:1: syntax error: unexpected byte \\xFF (not UTF-8)\n"},
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

// Pixels at 96 dpi: at any resolution the client area is the same in twips, so the page keeps its
// layout, and the picture has as many more pixels as the resolution is finer.
TEST(Script, SizePictureKeepsTheLayoutAtAnyResolution) {
  struct Row {
    double dpi;
    int pixelsWide;  // of a 400 x 300 picture at 96 dpi; 0: not a whole number
  };
  for (const Row r : {Row{96, 400}, Row{192, 800}, Row{144, 600}, Row{72, 300}, Row{100, 0}}) {
    SCOPED_TRACE(r.dpi);
    Plotara control(r.dpi);
    SizePicture(control, 400, 300);
    const Control& c = Internals(control);
    EXPECT_EQ(c.State.ClientWidth, 400 * 15 + control.VScroll1().Width);
    EXPECT_EQ(c.State.ClientHeight, 300 * 15 + control.HScroll1().Height);
    EXPECT_EQ(c.State.PageWidth, 400 * 15 - 70);
    if (r.pixelsWide) {
      EXPECT_EQ(control.Picture1().Width, r.pixelsWide);
    }
  }
}

TEST(Script, HostStatementsFailClearly) {
  ScriptResult r = RunText("Save \"/no/such/dir/x.png\"\nPrint 1\n");
  EXPECT_EQ(r.status, kScriptFailed);
  EXPECT_EQ(r.err, "test.plotara:1: Save: cannot write '/no/such/dir/x.png': Path/File access error\n");
  r = RunText("Data \"/no/such/points.csv\"\n");
  EXPECT_EQ(r.status, kScriptFailed);
  EXPECT_EQ(r.err,
            "test.plotara:1: Data: cannot open data file '/no/such/points.csv': No such file or directory\n");
  r = RunText("Save \"x.bmp\"\n");
  EXPECT_EQ(r.status, kScriptFailed);
  EXPECT_EQ(r.err,
            "test.plotara:1: Save: cannot write 'x.bmp': unsupported format '.bmp' (supported: .png, .svg, "
            ".pdf)\n");
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
  EXPECT_EQ(
      r.out,
      "Event ErrorMsg \"Error 9 has occured in Plotara.ocx, SetSelectedData\" \"Subscript out of range\"\n"
      "Event GraphScaleChanged\n"
      "Event GraphScaleChanged\n");
  EXPECT_EQ(r.status, kScriptFailed);
  const std::string failures =
      "test.plotara:1: SetSelectedData: Error 9 has occured in Plotara.ocx, SetSelectedData: Subscript out "
      "of range\n"
      "test.plotara:2: AxisColor: Automation error 9: Subscript out of range\n";
  EXPECT_EQ(r.err, failures);
  const ScriptResult quiet = RunText("SetSelectedData 1\nAxisColor = 5\nNewGraph \"G\"\n");
  EXPECT_EQ(quiet.out, "");
  EXPECT_EQ(quiet.err, failures) << "without --events failures still show, on the error stream";
}

TEST(Script, DataReadsRowsIntoTheLastDataSet) {
  const std::string csv = ::testing::TempDir() + "/points.csv";
  {
    std::ofstream f(csv);
    f << "x,y,e\n1,2\n\n3, 4, 0.5\n";
  }
  ScriptOptions o;
  o.BaseDir = ::testing::TempDir();
  ScriptResult r =
      RunText("NewGraph \"G\"\nNewDataSet \"d\"\nData \"points.csv\"\nPrint AxisValue1, AxisValue2\n", o);
  EXPECT_EQ(r.status, kScriptOk) << r.err;
  EXPECT_EQ(r.out, "1\t3\n");
  {
    std::ofstream f(csv);
    f << "1,2\n3,four\n";
  }
  r = RunText("NewGraph \"G\"\nNewDataSet \"d\"\nData \"points.csv\"\n", o);
  EXPECT_EQ(r.status, kScriptFailed);
  EXPECT_EQ(r.err.rfind("test.plotara:3: Data: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("points.csv:2: field 2 'four' is not a number\n"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace plotara

namespace plotara {
namespace {

TEST(Script, ANumberOutOfRangeIsASyntaxErrorOfItsLine) {
  struct Row {
    const char* text;
    const char* message;
  } rows[] = {
      {"Print 1\nPrint 1e999\n", "test.plotara:2: syntax error: number '1e999' is out of range\n"},
      {"NewGraph \"g\", -1e400\n", "test.plotara:1: syntax error: number '1e400' is out of range\n"},
      {"Print 2.5e-400\n", "test.plotara:1: syntax error: number '2.5e-400' is out of range\n"},
      {"AxisColor = &H1FFFFFFFF\n", "test.plotara:1: syntax error: bad hexadecimal number '&H1FFFFFFFF'\n"},
  };
  for (const Row& row : rows) {
    const ScriptResult r = RunText(row.text);
    EXPECT_EQ(r.status, kScriptSyntaxError) << row.text;
    EXPECT_EQ(r.err, row.message);
  }
  EXPECT_EQ(RunText("Print 1.5e308, 2e-300\n").out, "1.5e+308\t2e-300\n")
      << "large and small numbers that fit";
}

TEST(Script, RgbMakesTheControlsColourValue) {
  const ScriptResult r = RunText(
      "NewGraph \"g\"\n"
      "AxisColor = RGB(255, 0, 0)\nPrint AxisColor, RGB(0, 255, 0), rgb(0, 0, 255), RGB(1, 2, 3)\n"
      "AxisColor = RGB(256, 0, 0)\nAxisColor = RGB(1, 2)\nPrint AxisColor\n");
  EXPECT_EQ(r.out, "255\t65280\t16711680\t197121\n255\n");
  EXPECT_EQ(r.status, kScriptFailed);
  EXPECT_EQ(r.err,
            "test.plotara:4: RGB: Automation error 5: Invalid procedure call or argument\n"
            "test.plotara:5: RGB: Automation error 450: Wrong number of arguments or invalid property "
            "assignment\n");
}

// Runs Data on the given file text and prints the axis ranges the points produced.
// Each test process writes its own file: CTest runs the tests side by side.
ScriptResult ReadDataText(const std::string& fileText, const std::string& args = "") {
  const std::string dir = ::testing::TempDir() + "/data" + std::to_string(::getpid());
  std::filesystem::create_directories(dir);
  std::ofstream(dir + "/data.txt") << fileText;
  ScriptOptions o;
  o.BaseDir = dir;
  return RunText(
      "NewGraph \"G\"\nNewDataSet \"d\"\nData \"data.txt\"" + args +
          "\nRefresh\nSelectXaxis\nPrint AxisValue1, AxisValue2\nSelectYaxis\nPrint AxisValue1, AxisValue2\n",
      o);
}

TEST(Script, DataReadsFilesAsUsersWriteThem) {
  struct Row {
    const char* what;
    const char* text;
    const char* args;
  } rows[] = {
      {"commas", "0,10\n100,20\n", ""},
      {"semicolons with decimal points", "0;10\n100;20\n", ""},
      {"tabs and a header", "x\ty\n0\t10\n100\t20\n", ""},
      {"blanks, comments and empty rows", "# measured\n\n  0   10  # first\n100 20\n\n", ""},
      {"CRLF rows and a quoted header", "\"x\",\"y\"\r\n0,10\r\n100,20\r\n", ""},
      {"columns by number", "a,b,c\n5,0,10\n5,100,20\n", ", 2, 3"},
      {"columns by name", "time;volts;temp\n0;7;10\n100;8;20\n", ", \"time\", \"TEMP\""},
      {"error values", "0,10,1\n100,20,2\n", ""},
  };
  for (const Row& row : rows) {
    const ScriptResult r = ReadDataText(row.text, row.args);
    EXPECT_EQ(r.status, kScriptOk) << row.what << ": " << r.err;
    // Points at x 0..100 and y 10..20: automatic axes round outwards around them.
    std::istringstream in(r.out);
    double x1, x2, y1, y2;
    in >> x1 >> x2 >> y1 >> y2;
    EXPECT_TRUE(x1 <= 0 && x2 >= 100 && x2 < 200) << row.what << ": " << r.out;
    EXPECT_TRUE(y1 <= 10 && y1 > 0 && y2 >= 20 && y2 < 40) << row.what << ": " << r.out;
  }
}

TEST(Script, DataReportsABadRowWithFileAndLineAndReadsNothingElse) {
  struct Row {
    const char* text;
    const char* args;
    const char* problem;  // after "test.plotara:3: Data: .../data.txt"
  } rows[] = {
      {"1,2\n3,four\n", "", ":2: field 2 'four' is not a number"},
      {"x;y\n1;2,5,0\n", "", ":2: field 2 '2,5,0' is not a number"},  // one decimal comma at most
      {"1,2\n3,,4\n", "", ":2: field 2 is empty (a missing value; Data ..., Missing:=Skip skips such rows)"},
      {"1,2\n3\n", "",
       ":2: 1 field; expected x,y or x,y,e (or choose the columns: Data \"file\", X, Y[, E])"},
      {"1,2,3,4\n", "",
       ":1: 4 fields; expected x,y or x,y,e (or choose the columns: Data \"file\", X, Y[, E])"},
      {"x,y\n1,2\nx,y\n", "", ":3: field 1 'x' is not a number"},   // only the first row may be a header
      {"1,oops\n3,4\n", "", ":1: field 2 'oops' is not a number"},  // a header has no number in it
      {"1,2\n1e999,2\n", "", ":2: field 1 '1e999' is out of range"},
      {"1,2\n2,1e300\n", "", ":2: field 2 '1e300' is out of range"},  // a point holds Singles
      {"1,2\n-3.5e38,1\n", "", ":2: field 1 '-3.5e38' is out of range"},
      {"1,\x1b[2J\n", "", ":1: field 2 '\\x1B[2J' is not a number"},
      {"a,b\n1,2\n", ", \"a\", \"c\"", ":1: no column named 'c' in the header"},
      {"1,2\n", ", \"a\", \"b\"", ":1: no header row to find the columns 'a' in"},
      {"1,2,3\n4,5\n", ", 1, 3", ":2: 2 fields, but column 3 is read"},
      {"1,2\n", ", 0, 1", ": column numbers start at 1"},
  };
  for (const Row& row : rows) {
    const ScriptResult r = ReadDataText(row.text, row.args);
    EXPECT_EQ(r.status, kScriptFailed) << row.text;
    EXPECT_EQ(r.out, "") << "the script stops at the bad row: " << row.text;
    EXPECT_EQ(r.err.rfind("test.plotara:3: Data: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(std::string("data.txt") + row.problem + "\n"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

TEST(Script, DataDashReadsTheInputStream) {
  std::istringstream in("# from a pipe\n0 10\n100 20\n");
  ScriptOptions o;
  o.Stdin = &in;
  const ScriptResult r =
      RunText("NewGraph \"G\"\nNewDataSet \"d\"\nData \"-\"\nRefresh\nPrint AxisValue2\n", o);
  EXPECT_EQ(r.status, kScriptOk) << r.err;
  EXPECT_EQ(r.out, "100\n");
  std::istringstream bad("1 2\n3 x\n");
  o.Stdin = &bad;
  EXPECT_EQ(RunText("NewGraph \"G\"\nNewDataSet \"d\"\nData \"-\"\n", o).err,
            "test.plotara:3: Data: <stdin>:2: field 2 'x' is not a number\n");
}

}  // namespace
}  // namespace plotara

namespace plotara {
namespace {

TEST(ScriptPick, PickSetsWhatTheNextDialogReturns) {
  struct Row {
    const char* script;
    const char* out;
  };
  const Row rows[] = {
      {"Pick Cancel\nPrint GetGradient\n", "-1\t-1\t0\t0\t1\n"},
      // Shift comes before Angle in Pick, as the picker offers them; Print follows the parameters.
      {"Pick Okay, &HFF, &HFF00, 0.5, 45, -2\nPrint GetGradient\n", "255\t65280\t45\t0.5\t-2\n"},
      {"Pick Okay, &HFF, &HFF00, 0.5, 45, 3\nPrint GetColor\n", "255\n"},
      // Without a Pick the dialog is closed another way: the form's values stay.
      {"Pick Cancel\nPrint GetGradient\nPrint GetGradient\n", "-1\t-1\t0\t0\t1\n-1\t-1\t0\t0\t1\n"},
      // GetColor leaves the picker at style 0; Okay alone takes the picker's state as it is (here the
      // painter's defaults: pale cyan, dark blue, 315 degrees).
      {"Pick Cancel\nPrint GetColor\nPick Okay\nPrint GetGradient\n", "-1\n16777168\t4194304\t315\t0\t0\n"},
      {"Pick Okay, 1, 2, 0, 90, 5\nPrint GetGradient\nPick Okay\nPrint GetGradient\n",
       "1\t2\t90\t0\t5\n1\t2\t90\t0\t5\n"},
      {"pick okay, 1, 2, 0, 90, 5\nPrint GetGradient(, , , , )\n", "1\t2\t90\t0\t5\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.script);
    const ScriptResult r = RunText(row.script);
    EXPECT_EQ(r.status, kScriptOk);
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(r.err, "");
  }
}

TEST(Script, AControlOutlivesItsRunner) {
  Plotara control;
  {
    std::ostringstream out, err;
    ScriptRunner runner(control, {}, out, err);
    runner.Run("Pick Cancel\n", "test.plotara");
  }
  // The runner's streams, picker and clipboard are gone: no handler of the control may reach them.
  const EventHandlers& ev = control.Events();
  EXPECT_FALSE(ev.ErrorMsg || ev.NewGraphInFront || ev.GraphScaleChanged || ev.GraphPositionChanged ||
               ev.LegendPositionChanged);
  int32_t colour = 7;
  control.GetColor(colour);  // no dialog any more: reported, and the argument stays
  EXPECT_EQ(colour, 7);
}

TEST(ScriptPick, MalformedPickIsASyntaxError) {
  const char* scripts[] = {"Pick Maybe\n", "Pick\n", "Pick Cancel, 1, 2, 3, 4, 5\n", "Pick Okay, 1, 2\n"};
  for (const char* s : scripts) {
    const ScriptResult r = RunText(s);
    EXPECT_EQ(r.status, kScriptSyntaxError) << s;
    EXPECT_NE(r.err.find("test.plotara:1: syntax error: Pick"), std::string::npos) << r.err;
  }
}

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
      "SaveClipboard \"" +
      dir + "/copy.png\"\n");
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

TEST(Script, WheelNotchesZoomAboutThePointerAndReportTheView) {
  ScriptOptions options;
  options.PrintEvents = true;
  const ScriptResult r = RunText(
      "Size 400, 300\n"
      "NewGraph \"G\", 0, 100, 0, 100\n"
      "Refresh\n"
      "Wheel 3000, 2000, 480, 1\n"  // Shift: X only, by 2
      "SelectXaxis\n"
      "Print AxisViewValue1, AxisViewValue2\n"
      "SelectYaxis\n"
      "Print AxisViewValue1, AxisViewValue2\n"
      "Wheel 3000, 2000, -480\n"
      "Wheel 10, 10, 120\n",  // beside the plot: nothing
      options);
  EXPECT_EQ(r.status, kScriptOk) << r.err;
  std::istringstream out(r.out.substr(r.out.find("Event ViewChanged")));
  std::string event, again;
  double x1, x2, y1, y2;
  std::getline(out, event);
  out >> x1 >> x2 >> y1 >> y2 >> std::ws;
  std::getline(out, again);
  EXPECT_EQ(event, "Event ViewChanged 0");
  EXPECT_NEAR(x2 - x1, 50, 1e-9);
  EXPECT_EQ(y2 - y1, 100);
  EXPECT_EQ(again, "Event ViewChanged 0");
  EXPECT_TRUE(out.get() == EOF) << "the wheel beside the plot changes nothing";
  EXPECT_EQ(RunText("Wheel 1, 2\n").err,
            "test.plotara:1: syntax error: Wheel takes X, Y, Delta[, Modifier]\n");
}

TEST(Script, SavingAnEmptyClipboardIsAClearError) {
  const ScriptResult r = RunText("SaveClipboard \"x.png\"\nMouse Sideways, 1, 0, 1, 1\n");
  EXPECT_EQ(r.status, kScriptFailed);
  EXPECT_EQ(
      r.err,
      "test.plotara:1: SaveClipboard: the clipboard holds no picture (CopyToClipboard puts one there)\n");
  const ScriptResult bad = RunText("Mouse Sideways, 1, 0, 1, 1\n");
  EXPECT_EQ(bad.status, kScriptSyntaxError);
  EXPECT_EQ(bad.err, "test.plotara:1: syntax error: Mouse takes Down, Move or Up\n");
  EXPECT_EQ(RunText("Print Label1.Colour\n").status, kScriptSyntaxError);
}

}  // namespace
}  // namespace plotara

namespace plotara {
namespace {

TEST(Script, DataRefusesAFolderAndARowWithoutEnd) {
  const std::string dir = ::testing::TempDir() + "/plotara-data";
  std::filesystem::create_directories(dir + "/folder");
  std::ofstream(dir + "/endless.csv") << std::string((1 << 20) + 10, '1');
  std::ofstream(dir + "/last.csv") << "1,2\n3,4";  // the last row has no line break
  ScriptOptions options;
  options.BaseDir = dir;
  const struct {
    const char* file;
    int status;
    const char* message;
  } rows[] = {
      {"folder", kScriptFailed, "is a folder, not a data file"},
      {"endless.csv", kScriptFailed, "endless.csv:1: a row longer than 1048576 characters"},
      {"last.csv", kScriptOk, ""},
  };
  for (const auto& r : rows) {
    const ScriptResult result =
        RunText(std::string("NewGraph \"g\"\nNewDataSet \"d\"\nData \"") + r.file + "\"\nPrint AxisValue2\n",
                options);
    EXPECT_EQ(result.status, r.status) << r.file;
    EXPECT_NE(result.err.find(r.message), std::string::npos) << r.file << ": " << result.err;
    if (r.status == kScriptOk) {
      EXPECT_EQ(result.out, "3\n") << "both rows read";
    }
  }
}

}  // namespace
}  // namespace plotara
