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

// Runs Data on a file into a graph whose X axis is a time axis; the instants of the points, as the axis
// holds them (its origin plus each point's offset), to the millisecond.
Loaded LoadTimes(const std::string& fileText, const std::string& args) {
  const std::string file = test::WriteScratch("times.txt", fileText);
  Plotara control;
  std::ostringstream out, err;
  ScriptRunner runner(control, {}, out, err);
  const int status =
      runner.Run("NewGraph \"G\"\nAxisTime = True\nNewDataSet \"d\"\nData \"" + file + "\"" + args + "\n",
                 "test.plotara");
  const GraphRecord& g = Internals(control).State.Graphs[0];
  std::ostringstream points;
  points.setf(std::ios::fixed);
  points.precision(3);
  for (size_t i = 0; i < g.Points.Count(); ++i)
    points << (i ? "; " : "") << g.Axes[0].TimeOrigin + g.Points[i].X << " " << g.Points[i].Y;
  return {status, points.str(), err.str()};
}

TEST(DataFile, ReadsInstantsAsSecondsSince1970) {
  struct Row {
    const char* what;
    const char* text;
    const char* args;
    const char* points;
  } rows[] = {
      {"ISO dates and date-times, UTC without an offset",
       "time,v\n2026-01-01,1\n2026-01-01T06:30,2\n2026-01-01 06:30:15.25,3\n", ", \"time\", \"v\"",
       "1767225600.000 1.000; 1767249000.000 2.000; 1767249015.250 3.000"},
      {"zone offsets", "2026-01-01T00:00:00Z,1\n2026-01-01T01:00+01:00,2\n2025-12-31T19:00:00-0500,3\n", "",
       "1767225600.000 1.000; 1767225600.000 2.000; 1767225600.000 3.000"},
      {"local times of a zone: the fold's first, the gap's end",
       "2026-10-25 02:30,1\n2026-03-29 02:30,2\n2026-07-01 12:00:00Z,3\n", ", Zone:=\"Europe/Berlin\"",
       "1792888200.000 1.000; 1774746000.000 2.000; 1782907200.000 3.000"},
      {"Unix seconds", "1767225600,1\n1767225600.5,2\n", "", "1767225600.000 1.000; 1767225600.500 2.000"},
      {"Unix milliseconds", "t;v\n1767225600123;1\n1767225601000;2,5\n", ", 1, 2, Time:=\"ms\"",
       "1767225600.123 1.000; 1767225601.000 2.500"},
      {"a format of its own, in a zone", "when\tv\n31.12.2025 23:00:00\t1\n01.01.2026 00:00:30.5\t2\n",
       ", 1, 2, Zone:=\"Europe/Berlin\", Time:=\"%d.%m.%Y %H:%M:%S\"",
       "1767218400.000 1.000; 1767222030.500 2.000"},
      {"a format with its offset", "2026/01/01 00:00 +0100,1\n", ", 1, 2, Time:=\"%Y/%m/%d %H:%M %z\"",
       "1767222000.000 1.000"},
      {"times in the Y column too", "1,2026-01-01T00:00Z\n", "", "1.000 1767225600.000"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const Loaded r = LoadTimes(row.text, row.args);
    EXPECT_EQ(r.status, kScriptOk) << r.err;
    EXPECT_EQ(r.points, row.points);
  }
}

TEST(DataFile, TellsWhichTimesItCannotRead) {
  struct Row {
    const char* text;
    const char* args;
    const char* problem;
  } rows[] = {
      {"2026-02-29,1\n", "", ":1: field 1 '2026-02-29' is not a number or an ISO 8601 date"},
      {"2026-1-1,1\n", "", ":1: field 1 '2026-1-1' is not a number or an ISO 8601 date"},
      {"2026-01-01T25:00,1\n", "", ":1: field 1 '2026-01-01T25:00' is not a number or an ISO 8601 date"},
      {"2026-01-01T10:00+1:00,1\n", "", "is not a number or an ISO 8601 date"},
      {"2026-01-01,1\n", ", 1, 2, Time:=\"%d.%m.%Y\"",
       ":1: field 1 '2026-01-01' does not match the time format '%d.%m.%Y'"},
      {"01.01.2026 extra,1\n", ", 1, 2, Time:=\"%d.%m.%Y\"", "does not match the time format"},
      {"2026-01-01,1\n", ", 1, 2, Time:=\"dd.mm.yyyy\"",
       "Time:= takes \"s\", \"ms\" or a strftime-style format"},
      {"2026-01-01,1\n", ", Zone:=\"Mars/Olympus_Mons\"",
       "no time zone 'Mars/Olympus_Mons' in the zone database"},
  };
  for (const Row& row : rows) {
    const Loaded r = LoadTimes(row.text, row.args);
    EXPECT_EQ(r.status, kScriptFailed) << row.text;
    EXPECT_NE(r.err.find(row.problem), std::string::npos) << r.err;
  }
  EXPECT_EQ(LoadTimes("1,2\n", ", Time:=\"ms\", 1, 2").status, kScriptSyntaxError) << "columns come first";
  EXPECT_EQ(LoadTimes("1,2\n", ", When:=\"ms\"").status, kScriptSyntaxError);
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
