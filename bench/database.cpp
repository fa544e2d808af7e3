// A table of 10^7 rows (PLOTARA_BENCH_ROWS=100000000 for 10^8) in SQLite and in PostgreSQL, with an index
// on X, viewed at full-HD size: the first picture, a zoom step and a pan step through the fold query
// (DataQuery), against selecting every row of the view and drawing it from points, with Plotara and with
// QCustomPlot (where it is built in), in the same run. Each step's counters give the rows and bytes that
// crossed from the database. The PostgreSQL server is a throw-away cluster the benchmark starts itself, as
// the tests do.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Ratios.h"

#ifdef PLOTARA_BENCH_QCUSTOMPLOT
#include <qcustomplot.h>
#endif
#include "control/Internals.h"
#include "plotara/Plotara.h"
#include "support/PostgresServer.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

int64_t RowCount() {
  const char* n = std::getenv("PLOTARA_BENCH_ROWS");
  return n ? std::atoll(n) : 10'000'000;
}
double Signal(double x) {
  return std::sin(x * 1e-5) + 0.1 * std::sin(x * 3.7e-4) + 0.05 * std::sin(x * 0.37);
}

// ---------------------------------------------------------------- the databases

struct Databases {
  int64_t rows = RowCount();
  std::string folder = (std::filesystem::temp_directory_path() / "plotara-bench-db").string();
  std::string sqlite = folder + "/rows.db";
  plotara::test::PostgresServer postgres;

  Databases() {
    std::filesystem::create_directories(folder);
    std::filesystem::remove(sqlite);
    sqlite3* db = nullptr;
    sqlite3_open(sqlite.c_str(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode = OFF; CREATE TABLE samples (t REAL, v REAL); BEGIN", nullptr,
                 nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO samples VALUES (?, ?)", -1, &insert, nullptr);
    std::string copy;
    for (int64_t i = 0; i < rows; ++i) {
      const double x = static_cast<double>(i);
      sqlite3_bind_double(insert, 1, x);
      sqlite3_bind_double(insert, 2, Signal(x));
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT; CREATE INDEX samples_t ON samples (t)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    if (!postgres.Why().empty()) {
      std::fprintf(stderr, "PostgreSQL workloads left out: %s\n", postgres.Why().c_str());
      return;
    }
    postgres.Exec("CREATE UNLOGGED TABLE samples (t DOUBLE PRECISION, v DOUBLE PRECISION)");
    constexpr int64_t kBatch = 1'000'000;
    char line[64];
    for (int64_t from = 0; from < rows; from += kBatch) {
      copy.clear();
      for (int64_t i = from; i < std::min(rows, from + kBatch); ++i) {
        std::snprintf(line, sizeof line, "%lld\t%.17g\n", static_cast<long long>(i),
                      Signal(static_cast<double>(i)));
        copy += line;
      }
      postgres.Copy("samples", copy);
    }
    postgres.Exec("CREATE INDEX samples_t ON samples (t)");
    postgres.Exec("VACUUM ANALYZE samples");
  }
  ~Databases() { std::filesystem::remove_all(folder); }
  std::string Connection(bool pg) const { return pg ? postgres.Connection() : "sqlite:" + sqlite; }
};

Databases* dbs = nullptr;

// ---------------------------------------------------------------- Plotara through the fold query

struct FedChart {
  plotara::Plotara p;
  explicit FedChart(bool pg) {
    p.ResizePicture(kWidth, kHeight);
    p.NewGraph("a table");
    p.NewDataSet("samples");
    p.DataLine(0xC00000, 1, 1);
    p.DataQuery(dbs->Connection(pg), "samples");
    p.Refresh();
  }
  const plotara::SourceFeed& Feed() { return *plotara::Internals(p).State.Current().DataSets.back().Feed; }
  void Show() { benchmark::DoNotOptimize(p.Picture1().Pixels); }
};

// The rows and bytes one step moved.
void Moved(benchmark::State& s, int64_t rows, int64_t bytes) {
  s.counters["rows"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kAvgIterations);
  s.counters["bytes"] = benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kAvgIterations);
}

void FedFirst(benchmark::State& s, bool pg) {
  int64_t rows = 0, bytes = 0;
  for (auto _ : s) {
    FedChart k(pg);
    k.Show();
    rows += k.Feed().RowsMoved();
    bytes += k.Feed().BytesMoved();
  }
  Moved(s, rows, bytes);
}

// A zoom step: from the whole table to a view half as wide about a point that moves each time, so that
// no view is answered from what was kept; a pan step moves a zoomed view by a twentieth of its width.
void FedStep(benchmark::State& s, bool pg, bool pan) {
  FedChart k(pg);
  if (pan) k.p.Wheel(14000, 8000, 4 * 120, 1);
  int64_t rows = 0, bytes = 0, step = 0;
  for (auto _ : s) {
    s.PauseTiming();
    if (!pan) k.p.KeyDown(36, 0);  // Home: the whole table, kept from before
    const int64_t rowsBefore = k.Feed().RowsMoved(), bytesBefore = k.Feed().BytesMoved();
    s.ResumeTiming();
    ++step;
    if (pan) {
      k.p.Pan(14000, 8000, -600, 0);
    } else {
      k.p.Wheel(static_cast<float>(6000 + 1500 * step), 8000, 4 * 120, 1);
    }
    k.Show();
    rows += k.Feed().RowsMoved() - rowsBefore;
    bytes += k.Feed().BytesMoved() - bytesBefore;
  }
  Moved(s, rows, bytes);
}

// ---------------------------------------------------------------- every row selected and drawn

// Selects the rows with X in [a, b] and passes each to add; returns the bytes that crossed.
template <class Add>
int64_t SelectRows(bool pg, double a, double b, Add add) {
  int64_t bytes = 0;
  if (pg) {
    PGconn* c = PQconnectdb(dbs->postgres.Connection().substr(11).c_str());
    const std::string sql =
        "SELECT t, v FROM samples WHERE t BETWEEN " + std::to_string(a) + " AND " + std::to_string(b);
    PGresult* r = PQexecParams(c, sql.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 1);
    for (int i = 0; i < PQntuples(r); ++i) {
      double v[2];
      for (int k = 0; k < 2; ++k) {
        uint64_t u = 0;
        const char* p = PQgetvalue(r, i, k);
        for (int j = 0; j < 8; ++j) u = (u << 8) | static_cast<unsigned char>(p[j]);
        std::memcpy(&v[k], &u, 8);
      }
      bytes += 16;
      add(v[0], v[1]);
    }
    PQclear(r);
    PQfinish(c);
    return bytes;
  }
  sqlite3* db = nullptr;
  sqlite3_open_v2(dbs->sqlite.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT t, v FROM samples WHERE t BETWEEN ? AND ?", -1, &st, nullptr);
  sqlite3_bind_double(st, 1, a);
  sqlite3_bind_double(st, 2, b);
  while (sqlite3_step(st) == SQLITE_ROW) {
    bytes += 16;
    add(sqlite3_column_double(st, 0), sqlite3_column_double(st, 1));
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  return bytes;
}

// The view of a select-all step: the whole table, or a view a share of it wide that moves on each step.
struct SelectedView {
  double a, width;
};
SelectedView ViewOf(double share, double shift, int64_t step) {
  const double n = static_cast<double>(dbs->rows), width = n * share;
  return {share < 1 ? n * 0.1 + shift * width * static_cast<double>(step) : 0, width};
}

// A view drawn by Plotara from its rows, all selected.
void SelectAll(benchmark::State& s, bool pg, double share, double shift) {
  int64_t rows = 0, bytes = 0, step = 0;
  for (auto _ : s) {
    const auto [a, width] = ViewOf(share, shift, ++step);
    plotara::Plotara p;
    p.ResizePicture(kWidth, kHeight);
    p.NewGraph("a table", a, a + width);
    p.NewDataSet("samples");
    p.DataLine(0xC00000, 1, 1);
    bytes += SelectRows(pg, a, a + width, [&](double x, double y) {
      p.AddDataPoint(x, y);
      ++rows;
    });
    p.Refresh();
    benchmark::DoNotOptimize(p.Picture1().Pixels);
  }
  Moved(s, rows, bytes);
}

#ifdef PLOTARA_BENCH_QCUSTOMPLOT
// The same view drawn by QCustomPlot from its rows, all selected (they come in order of X).
void SelectAllQCustomPlot(benchmark::State& s, bool pg, double share, double shift) {
  int64_t rows = 0, bytes = 0, step = 0;
  for (auto _ : s) {
    const auto [a, width] = ViewOf(share, shift, ++step);
    QCustomPlot plot;
    plot.resize(kWidth, kHeight);
    QCPGraph* g = plot.addGraph();
    g->setPen(QPen(QColor(0, 0, 0xC0)));
    QVector<double> keys, values;
    bytes += SelectRows(pg, a, a + width, [&](double x, double y) {
      keys.push_back(x);
      values.push_back(y);
    });
    rows += keys.size();
    g->setData(keys, values, true);
    plot.xAxis->setRange(a, a + width);
    plot.yAxis->setRange(-1.2, 1.2);
    benchmark::DoNotOptimize(plot.toPixmap(kWidth, kHeight));
  }
  Moved(s, rows, bytes);
}
#endif

// The workloads against selecting every row: drawn by Plotara (peer false) or by QCustomPlot.
std::vector<bench::Workload> Workloads(bool qcustomplot) {
  std::vector<bench::Workload> w;
  const auto all = [=](bool pg, double share, double shift) -> std::function<void(benchmark::State&)> {
#ifdef PLOTARA_BENCH_QCUSTOMPLOT
    if (qcustomplot) return [=](benchmark::State& s) { SelectAllQCustomPlot(s, pg, share, shift); };
#endif
    if (qcustomplot) return nullptr;
    return [=](benchmark::State& s) { SelectAll(s, pg, share, shift); };
  };
  for (const bool pg : {false, true}) {
    if (pg && !dbs->postgres.Why().empty()) continue;
    const std::string engine = pg ? "PostgreSQL" : "SQLite";
    w.push_back({engine + "/FirstPicture", [=](benchmark::State& s) { FedFirst(s, pg); }, all(pg, 1, 0)});
    w.push_back(
        {engine + "/ZoomStep", [=](benchmark::State& s) { FedStep(s, pg, false); }, all(pg, 0.5, 0.15)});
    w.push_back(
        {engine + "/PanStep", [=](benchmark::State& s) { FedStep(s, pg, true); }, all(pg, 0.5, 0.05)});
  }
  return w;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef PLOTARA_BENCH_QCUSTOMPLOT
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  Databases databases;
  dbs = &databases;
  const std::vector<bench::Workload> plotara = Workloads(false), peer = Workloads(true);
  bench::Register(plotara, "SelectAll");
  for (const bench::Workload& w : peer)
    if (w.peer)
      benchmark::RegisterBenchmark(("QCustomPlot/" + w.name).c_str(), w.peer)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bench::PrintRatios(reporter, plotara, "SelectAll");
  bench::PrintRatios(reporter, peer, "QCustomPlot");
  benchmark::Shutdown();
  return 0;
}
