// Each database places every row in the pixel column the control's own mapping gives it, rows on a
// column's bound and one step of a double either side of it included, and takes the first and last row of
// a column by X, then Y: its answer to a view, and its extent, equal those the rows give in memory, field
// by field.
#include <sqlite3.h>

#include <cfloat>
#include <cmath>
#include <filesystem>
#include <string>

#include "SourceRows.h"
#include "sources/FoldGrid.h"
#include "sources/OpenSource.h"
#include "support/PostgresServer.h"

namespace plotara::test {
namespace {

// The request a view asks of its source.
class Recorder : public MemorySource {
 public:
  using MemorySource::MemorySource;
  FoldAnswer Fold(const FoldRequest& request) override {
    last = request;
    return MemorySource::Fold(request);
  }
  FoldRequest last;
};

struct ViewCase {
  const char* name;
  Rows rows;  // what sets the axes
  std::function<void(Plotara&)> setup, step;
};

FoldRequest RequestOf(const ViewCase& v) {
  Chart chart(700, 400);
  SourceGraph(chart.p, false, 1);
  v.setup(chart.p);
  auto recorder = std::make_shared<Recorder>("views", v.rows);
  chart.p.UseDataSource(recorder);
  chart.p.Refresh();
  v.step(chart.p);
  chart.p.Refresh();
  return recorder->last;
}

// Rows on every bound of a request, a double's step either side of it and between two bounds, some with
// equal X and several Y, and rows before and after the view.
Rows RowsAtBounds(const std::vector<double>& bounds) {
  Rows rows;
  for (size_t i = 0; i < bounds.size(); ++i) {
    const double b = bounds[i], y = std::sin(static_cast<double>(i));
    for (const double x : {std::nextafter(b, -DBL_MAX), b, std::nextafter(b, DBL_MAX)})
      for (int k = 0; k < 1 + static_cast<int>(i % 3); ++k) rows.push_back({x, y + 0.25 * k - 0.1 * (i % 5)});
    if (i + 1 < bounds.size()) rows.push_back({b + (bounds[i + 1] - b) / 3, -y});
  }
  const double span = bounds.back() - bounds.front();
  for (const double x : {bounds.front() - span, bounds.front() - span / 7, bounds.back() + span / 5})
    for (const double y : {1.0, -1.0}) rows.push_back({x, y});
  return rows;
}

void ExpectSameAnswer(const FoldAnswer& got, const FoldAnswer& want, const std::string& what) {
  ASSERT_EQ(got.Intervals.size(), want.Intervals.size()) << what;
  int wrong = 0;
  for (size_t k = 0; k < want.Intervals.size(); ++k) {
    const FoldedInterval &g = got.Intervals[k], &w = want.Intervals[k];
    const bool same = g.Rows == w.Rows &&
                      (w.Rows == 0 || (g.FirstX == w.FirstX && g.FirstY == w.FirstY && g.LastX == w.LastX &&
                                       g.LastY == w.LastY && g.LowY == w.LowY && g.HighY == w.HighY));
    if (!same && ++wrong <= 3)
      ADD_FAILURE() << what << ": interval " << k << " holds " << g.Rows << " rows, not " << w.Rows
                    << " (first " << g.FirstX << ", " << g.FirstY << " / " << w.FirstX << ", " << w.FirstY
                    << ")";
  }
  for (const auto& [g, w, side] :
       {std::tuple{got.Before, want.Before, "before"}, std::tuple{got.After, want.After, "after"}}) {
    EXPECT_EQ(g.Exists, w.Exists) << what << ", the row " << side;
    EXPECT_TRUE(!w.Exists || (g.X == w.X && g.Y == w.Y)) << what << ", the row " << side;
  }
}

const Rows kSpan = {{1, 0}, {1000, 1}};
const Rows kTimes = {{1774742400, 0}, {1774742400 + 86400, 1}};

const ViewCase kViews[] = {
    {"linear", kSpan, [](Plotara&) {}, [](Plotara&) {}},
    {"linear zoomed", kSpan, [](Plotara&) {}, [](Plotara& p) { p.Wheel(5000, 2500, 4 * 120, 1); }},
    // So deep that the single-precision X the control maps crowds the columns.
    {"linear zoomed to single precision",
     {{1e6, 0}, {2e6, 1}},
     [](Plotara&) {},
     [](Plotara& p) { p.Wheel(5000, 2500, 50 * 120, 1); }},
    {"logarithmic", kSpan, [](Plotara& p) { p.AxisStyle(-1, -1, true); }, [](Plotara&) {}},
    {"logarithmic zoomed", kSpan, [](Plotara& p) { p.AxisStyle(-1, -1, true); },
     [](Plotara& p) { p.Wheel(7000, 2500, 6 * 120, 1); }},
    {"reversed", kSpan, [](Plotara& p) { p.AxisStyle(-1, -1, false, true); }, [](Plotara&) {}},
    {"a day of instants", kTimes, [](Plotara& p) { p.AxisTime(true); },
     [](Plotara& p) { p.Wheel(6000, 2500, 8 * 120, 1); }},
};

// A database file with table samples (t, v) of rows, and an index on t when asked.
std::string SqliteTable(const std::string& name, const Rows& rows, bool indexed) {
  const std::string path = ScratchPath(name);
  std::filesystem::remove(path);
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "CREATE TABLE samples (t REAL, v REAL); BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO samples VALUES (?, ?)", -1, &insert, nullptr);
  for (const auto& [x, y] : rows) {
    sqlite3_bind_double(insert, 1, x);
    sqlite3_bind_double(insert, 2, y);
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_exec(db, indexed ? "CREATE INDEX samples_t ON samples (t); COMMIT" : "COMMIT", nullptr, nullptr,
               nullptr);
  sqlite3_close(db);
  return "sqlite:" + path;
}

TEST(FoldBounds, TheViewsHaveAGridThatCoversMostColumns) {
  for (const ViewCase& v : kViews) {
    const FoldRequest request = RequestOf(v);
    const FoldGrid grid = MakeGrid(request.Bounds);
    // At single precision's limit the columns are too uneven for arithmetic: comparisons place every row.
    if (std::string(v.name).find("single precision") != std::string::npos) continue;
    EXPECT_GT(grid.Last - grid.First, request.Bounds.size() / 2) << v.name;
    EXPECT_EQ(grid.Log, std::string(v.name).find("logarithmic") == 0) << v.name;
  }
}

TEST(FoldBounds, EachDatabasePlacesRowsOnTheBoundsAsTheControlDoes) {
  PostgresServer postgres;
  int table = 0;
  for (const ViewCase& v : kViews) {
    const FoldRequest request = RequestOf(v);
    ASSERT_GT(request.Bounds.size(), 100u) << v.name;
    const Rows rows = RowsAtBounds(request.Bounds);
    MemorySource memory("memory", rows);
    const FoldAnswer want = memory.Fold(request);
    const SourceExtent extent = memory.Extent();
    for (const bool indexed : {false, true}) {
      const std::string kind = std::string(v.name) + (indexed ? ", indexed" : "");
      std::vector<std::string> connections = {SqliteTable("bounds.db", rows, indexed)};
      if (postgres.Why().empty()) {
        const std::string name = "bounds" + std::to_string(++table);
        ASSERT_TRUE(postgres.Exec("CREATE TABLE " + name + " (t DOUBLE PRECISION, v DOUBLE PRECISION)"));
        ASSERT_TRUE(postgres.Copy(name, CopyText(rows)));
        ASSERT_TRUE(postgres.Exec((indexed ? "CREATE INDEX ON " + name + " (t); " : "") + "ANALYZE " + name));
        connections.push_back(postgres.Connection() + "|" + name);
      }
      for (const std::string& c : connections) {
        const size_t bar = c.find('|');
        const std::shared_ptr<DataSource> source = OpenDataSource(
            c.substr(0, bar), {bar == std::string::npos ? "samples" : c.substr(bar + 1), "", ""});
        const std::string what = kind + ", " + source->Name().substr(0, 10);
        ExpectSameAnswer(source->Fold(request), want, what);
        const SourceExtent e = source->Extent();
        EXPECT_TRUE(e.Rows == extent.Rows && e.XMin == extent.XMin && e.XMax == extent.XMax &&
                    e.YMin == extent.YMin && e.YMax == extent.YMax && e.RowsAtEnd == extent.RowsAtEnd &&
                    e.LowestAtEnd == extent.LowestAtEnd && e.LastY == extent.LastY &&
                    e.BelowLastAtEnd == extent.BelowLastAtEnd)
            << what << ": the extent";
      }
    }
  }
  std::filesystem::remove(ScratchPath("bounds.db"));
  if (!postgres.Why().empty()) GTEST_SKIP() << "SQLite only: " << postgres.Why();
}

}  // namespace
}  // namespace plotara::test
