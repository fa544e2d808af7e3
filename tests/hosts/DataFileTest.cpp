// The Data statement reads what spreadsheets and loggers write: quoted fields (RFC 4180), a byte-order
// mark, decimal commas beside semicolons and tabs, and missing values under a rule the script chooses.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "control/Internals.h"
#include "hosts/cli/Script.h"
#include "support/Command.h"

namespace plotara {
namespace {

struct Loaded {
  int status;
  std::string points;  // "x y; x y; ..." as stored
  std::string err;
};

// Runs Data on a file of the given text with the given arguments after the file name.
Loaded Load(const std::string& fileText, const std::string& args = "") {
  const std::string file = test::WriteScratch("data.txt", fileText);
  Plotara control;
  std::ostringstream out, err;
  int status;
  {
    ScriptRunner runner(control, {}, out, err);
    status =
        runner.Run("NewGraph \"G\"\nNewDataSet \"d\"\nData \"" + file + "\"" + args + "\n", "test.plotara");
  }
  std::ostringstream points;
  const PointList& stored = Internals(control).State.Graphs[0].Points;
  for (size_t i = 0; i < stored.Count() && i < 8; ++i)
    points << (i ? "; " : "") << stored[i].X << " " << stored[i].Y;
  return {status, points.str(), err.str()};
}

TEST(DataFile, ReadsWhatSpreadsheetsAndLoggersWrite) {
  struct Row {
    const char* what;
    const char* text;
    const char* args;
    const char* points;
  } rows[] = {
      {"quoted names holding the separator", "\"time\",\"temp, C\"\n1,20.5\n2,21\n",
       ", \"time\", \"temp, C\"", "1 20.5; 2 21"},
      {"a quoted header over two lines", "\"time\";\"temp\r\n(C)\"\r\n1;20\r\n", ", 1, 2", "1 20"},
      {"quotes inside a quoted field", "\"say \"\"x\"\"\",y\n\"1\",\"2\"\n", "", "1 2"},
      {"a byte-order mark before numbers",
       "\xEF\xBB\xBF"
       "1,2\n3,4\n",
       "", "1 2; 3 4"},
      {"a byte-order mark before the header", "\xEF\xBB\xBFtime,temp\n1,2\n", ", \"time\", \"temp\"", "1 2"},
      {"decimal commas in a semicolon file", "x;y\n1,5;2,25\n-0,5;3\n", "", "1.5 2.25; -0.5 3"},
      {"decimal commas in a tab file", "1,5\t2\n", "", "1.5 2"},
      {"decimal points in a semicolon file", "1.5;2\n", "", "1.5 2"},
      {"a comment sign inside quotes", "\"#1\",\"y\"\n1,2 # after\n", "", "1 2"},
      {"empty cells and NaN skipped", "1,2\n3,\n,4\n5,NaN\nnan,1\n6,7\n", ", Missing:=Skip", "1 2; 6 7"},
      {"a missing column not read", "1,2,\n3,4,\n", ", 1, 2", "1 2; 3 4"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const Loaded r = Load(row.text, row.args);
    EXPECT_EQ(r.status, kScriptOk) << r.err;
    EXPECT_EQ(r.points, row.points);
  }
}

TEST(DataFile, MissingValuesFollowTheRuleTheScriptChooses) {
  // The default is an error at the first missing value, naming its row: no point is guessed.
  Loaded r = Load("1,2\n3,\n5,6\n");
  EXPECT_EQ(r.status, kScriptFailed);
  EXPECT_NE(
      r.err.find("data.txt:2: field 2 is empty (a missing value; Data ..., Missing:=Skip skips such rows)"),
      std::string::npos)
      << r.err;
  EXPECT_EQ(r.points, "1 2");
  r = Load("1,NaN\n", ", Missing:=Error");
  EXPECT_NE(r.err.find("data.txt:1: field 2 'NaN' is a missing value"), std::string::npos) << r.err;
  // Skipped rows are counted on the error stream, and the run succeeds.
  r = Load("1,2\n3,\n,4\n5,6\n", ", Missing:=Skip");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(r.err, "test.plotara:3: Data: note: " + test::ScratchPath("data.txt") +
                       ": 2 rows with a missing value skipped (the first: row 2)\n");
  EXPECT_EQ(Load("1,2\n", ", Missing:=Maybe").status, kScriptSyntaxError);
}

TEST(DataFile, ReportsMalformedQuotingWithItsRow) {
  struct Row {
    const char* text;
    const char* problem;
  } rows[] = {
      {"1,2\n\"3,4\n5,6\n", ":2: a quoted field is not closed"},
      {"\"1\"x,2\n", ":1: field 1 has text after its closing quote"},
      {"1;2,5,5\n", ":1: field 2 '2,5,5' is not a number"},
  };
  for (const Row& row : rows) {
    const Loaded r = Load(row.text);
    EXPECT_EQ(r.status, kScriptFailed) << row.text;
    EXPECT_NE(r.err.find(std::string("data.txt") + row.problem + "\n"), std::string::npos) << r.err;
  }
}

TEST(DataFile, ALongStreamIsReadRowByRow) {
  std::string text;
  constexpr int kRows = 300000;
  for (int i = 0; i < kRows; ++i) text += std::to_string(i) + ";" + std::to_string(i % 7) + ",5\n";
  std::istringstream in(text);
  Plotara control;
  std::ostringstream out, err;
  ScriptOptions options;
  options.Stdin = &in;
  ScriptRunner runner(control, options, out, err);
  EXPECT_EQ(runner.Run("NewGraph \"G\"\nNewDataSet \"d\"\nData \"-\"\n", "t"), kScriptOk) << err.str();
  const PointList& points = Internals(control).State.Graphs[0].Points;
  ASSERT_EQ(points.Count(), static_cast<size_t>(kRows));
  EXPECT_EQ(points[kRows - 1].X, kRows - 1);
  EXPECT_EQ(points[kRows - 1].Y, (kRows - 1) % 7 + 0.5f);
}

}  // namespace
}  // namespace plotara
