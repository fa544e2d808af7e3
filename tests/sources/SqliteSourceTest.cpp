// An SQLite table drawn through the fold query gives the pixels of the same rows drawn from memory; bad
// input is reported naming the source, and never reaches the database as SQL.
#include <sqlite3.h>

#include <filesystem>
#include <string>

#include "SourceRows.h"
#include "support/Events.h"

namespace plotara::test {
namespace {

// A database file in the test's scratch folder with table samples (t, v, name) holding rows, and a table
// words (w) of text.
class SqliteFile {
 public:
  SqliteFile(const std::string& name, const Rows& rows) : path_(ScratchPath(name)) {
    std::filesystem::remove(path_);
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    Exec(db,
         "CREATE TABLE samples (t REAL, v REAL, name TEXT); CREATE TABLE words (w TEXT, n REAL);"
         "INSERT INTO words VALUES ('one', 1), ('two', 2); BEGIN");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO samples VALUES (?, ?, 'row')", -1, &insert, nullptr);
    for (const auto& [x, y] : rows) {
      sqlite3_bind_double(insert, 1, x);
      sqlite3_bind_double(insert, 2, y);
      EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    // Rows that are no rows of the line: a missing value, and values beyond single precision.
    Exec(db, "INSERT INTO samples VALUES (NULL, 1, 'x'), (2, NULL, 'y'), (3, 1e300, 'z'); COMMIT");
    sqlite3_close(db);
  }
  ~SqliteFile() { std::filesystem::remove(path_); }
  std::string Connection() const { return "sqlite:" + path_; }

 private:
  static void Exec(sqlite3* db, const char* sql) {
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
  }
  std::string path_;
};

TEST(SqliteSource, DrawsThePixelsOfAMillionRowsFromMemory) {
  const Rows rows = WalkRows(1000000);
  const SqliteFile file("million.db", rows);
  for (const bool logX : {false, true}) {
    TwoCharts charts(
        rows, [&](Plotara& p) { p.DataQuery(file.Connection(), "SELECT t, v FROM samples"); }, logX, 1);
    for (const char* view : {"full", "zoomed in X"}) {
      if (std::string(view) != "full") charts.Both([](Plotara& p) { p.Wheel(5000, 2500, 5 * 120, 1); });
      for (const int16_t thickness : {1, 2}) {
        charts.Both([&](Plotara& p) { p.DataLine(0x00FF0000, thickness, 1); });
        EXPECT_EQ(charts.Differences(), 0) << view << (logX ? ", log X, " : ", ") << thickness << " px";
      }
    }
  }
}

TEST(SqliteSource, ATableOrAQueryWithNamedColumns) {
  const Rows rows = WalkRows(3000);
  const SqliteFile file("forms.db", rows);
  struct Form {
    const char* query;
    const char* x;
    const char* y;
  };
  const Form forms[] = {
      {"samples", "", ""},
      {"samples", "T", "v"},
      {"SELECT name, v * 1, t FROM samples -- a comment at the end", "t", "v * 1"},
      {"  with s AS (SELECT * FROM samples) SELECT t, v FROM s", "", ""},
  };
  for (const Form& f : forms) {
    TwoCharts charts(
        rows, [&](Plotara& p) { p.DataQuery(file.Connection(), f.query, f.x, f.y); }, false, 1);
    EXPECT_EQ(charts.Differences(), 0) << f.query;
  }
}

TEST(SqliteSource, AColumnOfDatesAndTimesIsReadAsInstants) {
  const Rows rows = InstantRows(20000);
  const std::string path = ScratchPath("times.db");
  std::filesystem::remove(path);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "CREATE TABLE times (at DATETIME, v REAL); BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  // ISO 8601 texts to the millisecond, and Unix seconds as numbers, in the same column.
  sqlite3_prepare_v2(db,
                     "INSERT INTO times VALUES (CASE WHEN ?3 THEN ?1 ELSE strftime('%Y-%m-%dT%H:%M:%fZ', ?1, "
                     "'unixepoch') END, ?2)",
                     -1, &insert, nullptr);
  for (size_t i = 0; i < rows.size(); ++i) {
    sqlite3_bind_double(insert, 1, rows[i].first);
    sqlite3_bind_double(insert, 2, rows[i].second);
    sqlite3_bind_int(insert, 3, i % 5 == 0);
    EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_exec(db, "INSERT INTO times VALUES ('not a time', 1); COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  TwoCharts charts(
      rows, [&](Plotara& p) { p.DataQuery("sqlite:" + path, "times"); }, false, 1, false,
      [](Plotara& p) { p.AxisTime(true); });
  EXPECT_EQ(charts.Differences(), 0);
  charts.Both([](Plotara& p) { p.Wheel(5000, 2500, 6 * 120, 1); });
  EXPECT_EQ(charts.Differences(), 0) << "zoomed";
  std::filesystem::remove(path);
}

TEST(SqliteSource, BadInputIsReportedNamingTheSourceAndWhatFailed) {
  const SqliteFile file("bad.db", WalkRows(100));
  const std::string db = file.Connection();
  struct Bad {
    std::string connection, query, x, y;
    std::string says;  // a part of the description
  };
  const Bad cases[] = {
      {"sqlite:/no/such/folder/data.db", "samples", "", "", "sqlite:/no/such/folder/data.db: unable to open"},
      {db, "SELECT t, v FROM nowhere", "", "", db + ": no such table: nowhere"},
      {db, "SELECT t, v, FROM samples", "", "", "syntax error"},
      {db, "samples", "t", "missing", "has no column 'missing' (it has t, v, name)"},
      {db, "words", "", "", "column 'w' holds 'one', not a number"},
      {db, "SELECT t FROM samples", "", "", "the query has 1 column(s); X and Y take two"},
      {db, "", "", "", "no query or table given"},
      {"mysql://host/db", "samples", "", "", "names no data source"},
      // Names are quoted, never pasted: these name no table and no column, and the table stays.
      {db, "samples; DROP TABLE samples", "", "", "no such table: samples; DROP TABLE samples"},
      {db, "samples", "t\" FROM samples; DROP TABLE samples; --", "v", "has no column 't\" FROM samples;"},
  };
  for (const Bad& b : cases) {
    const QueryOutcome q = Query(b.connection, b.query, b.x, b.y);
    ASSERT_EQ(q.events.size(), 1u) << b.query;
    EXPECT_EQ(q.events[0].find("Error 3146 has occured in Plotara.ocx, DataQuery / "), 0u) << q.events[0];
    EXPECT_NE(q.events[0].find(b.says), std::string::npos) << q.events[0];
    EXPECT_FALSE(q.fed) << "the data set stays as it was";
  }
  Chart chart;
  SourceGraph(chart.p, false, 1);
  chart.p.DataQuery(db, "samples");
  EXPECT_EQ(chart.state().Current().DataSets.back().Feed->Extent().Rows, 100) << "the table is still there";
}

}  // namespace
}  // namespace plotara::test
