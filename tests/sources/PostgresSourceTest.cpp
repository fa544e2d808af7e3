// A PostgreSQL table drawn through the fold query gives the pixels of the same rows drawn from memory,
// on a server the test starts itself; a server that goes away is reported and the picture stays.
#include <cstdio>
#include <memory>
#include <string>

#include "SourceRows.h"
#include "support/Events.h"
#include "support/PostgresServer.h"

namespace plotara::test {
namespace {

class Postgres : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server = new PostgresServer;
    if (!server->Why().empty()) return;
    // Rows of other types, and rows that are no rows of the line.
    ASSERT_TRUE(
        server->Exec("CREATE TABLE mixed (i INTEGER, n NUMERIC, w TEXT);"
                     "INSERT INTO mixed SELECT g, g * 0.5, 'w' || g FROM generate_series(1, 500) AS g;"
                     "INSERT INTO mixed VALUES (NULL, 1, 'x'), (2, NULL, 'y'), (3, 1e300, 'z')"));
  }
  static void TearDownTestSuite() { delete server; }
  void SetUp() override {
    if (!server->Why().empty()) GTEST_SKIP() << server->Why();
  }
  static PostgresServer* server;
};
PostgresServer* Postgres::server = nullptr;

TEST_F(Postgres, DrawsThePixelsOfAMillionRowsFromMemory) {
  const Rows rows = WalkRows(1000000);
  std::string text = CopyText(rows);
  text += "\\N\t1\n2\t\\N\n3\t1e300\n";  // no rows of the line
  ASSERT_TRUE(server->Exec("CREATE TABLE samples (t DOUBLE PRECISION, v DOUBLE PRECISION)"));
  ASSERT_TRUE(server->Copy("samples", text));
  for (const bool logX : {false, true}) {
    TwoCharts charts(
        rows, [&](Plotara& p) { p.DataQuery(server->Connection(), "samples"); }, logX, 1);
    for (const char* view : {"full", "zoomed in X"}) {
      if (std::string(view) != "full") charts.Both([](Plotara& p) { p.Wheel(5000, 2500, 5 * 120, 1); });
      for (const int16_t thickness : {1, 2}) {
        charts.Both([&](Plotara& p) { p.DataLine(0x00FF0000, thickness, 1); });
        EXPECT_EQ(charts.Differences(), 0) << view << (logX ? ", log X, " : ", ") << thickness << " px";
      }
    }
  }
}

TEST_F(Postgres, IntegerAndNumericColumnsAreNumbers) {
  Rows mixed = {{3, 1e300}};  // beyond single precision: no row of the line
  for (int i = 1; i <= 500; ++i) mixed.push_back({i, i * 0.5});
  TwoCharts charts(
      mixed, [&](Plotara& p) { p.DataQuery(server->Connection(), "SELECT i, n FROM mixed"); }, false, 1);
  EXPECT_EQ(charts.Differences(), 0);
}

TEST_F(Postgres, TimestampsAndDatesAreReadAsInstants) {
  const Rows rows = InstantRows(20000);
  std::string text = CopyText(rows);
  ASSERT_TRUE(server->Exec("CREATE TABLE seconds (s DOUBLE PRECISION, v DOUBLE PRECISION)"));
  ASSERT_TRUE(server->Copy("seconds", text));
  ASSERT_TRUE(
      server->Exec("CREATE TABLE times AS SELECT to_timestamp(s) AS at, "
                   "to_timestamp(s) AT TIME ZONE 'UTC' AS local, v FROM seconds"));
  for (const char* column : {"at", "local"}) {
    TwoCharts charts(
        rows, [&](Plotara& p) { p.DataQuery(server->Connection(), "times", column, "v"); }, false, 1, false,
        [](Plotara& p) { p.AxisTime(true); });
    EXPECT_EQ(charts.Differences(), 0) << column;
  }
}

TEST_F(Postgres, BadInputIsReportedNamingTheSourceAndWhatFailed) {
  const std::string db = server->Connection();
  struct Bad {
    std::string connection, query, x, y, says;
  };
  const Bad cases[] = {
      {"postgresql://nobody:secret@/nowhere?host=/no/such/folder", "samples", "", "",
       "postgresql://nobody@/nowhere"},
      {db, "SELECT t, v FROM nowhere", "", "", "relation \"nowhere\" does not exist"},
      {db, "mixed", "i", "w", "column 'w' is of type text, not a number"},
      {db, "mixed; DROP TABLE mixed", "", "", "relation \"mixed; DROP TABLE mixed\" does not exist"},
      {db, "mixed", "i\" FROM mixed; DROP TABLE mixed; --", "n", "has no column"},
  };
  for (const Bad& b : cases) {
    const QueryOutcome q = Query(b.connection, b.query, b.x, b.y);
    ASSERT_EQ(q.events.size(), 1u) << b.query;
    EXPECT_EQ(q.events[0].find("Error 3146 has occured in Plotara.ocx, DataQuery / "), 0u) << q.events[0];
    EXPECT_NE(q.events[0].find(b.says), std::string::npos) << q.events[0];
    EXPECT_EQ(q.events[0].find("secret"), std::string::npos) << "no password in messages";
  }
  std::string error;
  EXPECT_TRUE(server->Exec("SELECT COUNT(*) FROM mixed", &error)) << error << ": the table is still there";
}

TEST_F(Postgres, AServerThatGoesAwayIsReportedAndComesBack) {
  Chart chart(600, 400);
  EventLog log(chart.p);
  SourceGraph(chart.p, false, 1);
  chart.p.DataQuery(server->Connection(), "SELECT i, n FROM mixed");
  chart.p.Refresh();
  const int drawn = CountColor(chart.picture(), 0, 0, 600, 400, 0x00FF0000);
  ASSERT_GT(drawn, 200);
  log.events.clear();
  server->Stop();
  chart.p.Wheel(5000, 2500, 120, 1);
  ASSERT_FALSE(log.events.empty());
  EXPECT_NE(log.events.back().find("DataQuery / postgresql:host="), std::string::npos) << log.events.back();
  EXPECT_GT(CountColor(chart.picture(), 0, 0, 600, 400, 0x00FF0000), 200) << "the last rows are drawn";
  server->Start();
  log.events.clear();
  chart.p.Wheel(5000, 2500, 120, 1);
  EXPECT_TRUE(log.events.empty()) << log.events.front();
}

}  // namespace
}  // namespace plotara::test
