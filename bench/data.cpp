// Large data at full-HD size, each workload drawn by Plotara and, in the same run, by QCustomPlot into an
// offscreen image with its defaults; the ratios of the two are printed after the table.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "plotara/Plotara.h"

#ifdef PLOTARA_BENCH_QCUSTOMPLOT
#include <qcustomplot.h>
#include <QApplication>
#include <QPixmap>
#endif

namespace {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr double kXRange = 100;

// The signal of every workload: a sine with a fast ripple.
double Signal(double x) {
  return std::sin(x) + 0.1 * std::sin(x * 37.0);
}
double XAt(int64_t i, int64_t n) {
  return static_cast<double>(i) / static_cast<double>(n) * kXRange;
}

double PeakBytes() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_maxrss) * 1024.0;
}

enum class Look { Line, Circles, LineWithCircles };

// ---------------------------------------------------------------- Plotara

struct PlotaraChart {
  plotara::Plotara p;
  PlotaraChart(int64_t n, Look look) {
    p.ResizePicture(kWidth, kHeight);
    p.NewGraph("many points");
    p.NewDataSet("signal");
    p.SymbolStyle(look == Look::Line ? 0 : 3, 1.0f);
    if (look != Look::Circles) p.DataLine(0xC00000, 1, 1);
    for (int64_t i = 0; i < n; ++i) {
      const double x = XAt(i, n);
      p.AddDataPoint(x, Signal(x), 0);
    }
    p.Refresh();  // the first drawing takes the round limits
  }
  void Range(int16_t axis, double a, double b) {
    p.SetSelectedAxis(axis);
    p.AxisScaleStyle(a, b);
  }
};

void PlotaraRefresh(benchmark::State& state, int64_t n, Look look) {
  PlotaraChart k(n, look);
  for (auto _ : state) k.p.Refresh();
  state.SetItemsProcessed(state.iterations() * n);
}

// A view of a hundredth of the X range, panned a little at every refresh.
void PlotaraZoomed(benchmark::State& state, int64_t n) {
  PlotaraChart k(n, Look::Line);
  k.Range(1, -1.2, 1.2);
  int step = 0;
  for (auto _ : state) {
    const double from = 50 + 0.01 * (step++ % 10);
    k.Range(0, from, from + kXRange / 100);
    k.p.Refresh();
  }
  state.counters["peak_bytes_per_point"] = PeakBytes() / static_cast<double>(n);
}

// One step of dragging the plot: the X range moves and the front graph alone is drawn again.
void PlotaraDragStep(benchmark::State& state, int64_t n) {
  PlotaraChart k(n, Look::Line);
  k.Range(1, -1.2, 1.2);
  const int16_t front = k.p.GraphIndex();
  int step = 0;
  for (auto _ : state) {
    const double shift = 0.5 * (step++ % 10);
    k.Range(0, shift, shift + kXRange);
    k.p.RefreshGraphs(front, true);
  }
}

// ---------------------------------------------------------------- QCustomPlot

#ifdef PLOTARA_BENCH_QCUSTOMPLOT
struct PeerChart {
  QCustomPlot plot;
  PeerChart(int64_t n, Look look) {
    plot.resize(kWidth, kHeight);
    QCPGraph* g = plot.addGraph();
    g->setPen(QPen(QColor(0, 0, 0xC0)));
    if (look == Look::Circles) g->setLineStyle(QCPGraph::lsNone);
    if (look != Look::Line)
      g->setScatterStyle(
          QCPScatterStyle(QCPScatterStyle::ssCircle, QColor(0, 0, 0xC0), QColor(0, 0, 0xC0), 8));
    QVector<double> keys(n), values(n);
    for (int64_t i = 0; i < n; ++i) {
      keys[i] = XAt(i, n);
      values[i] = Signal(keys[i]);
    }
    g->setData(keys, values, true);
    plot.xAxis->setRange(0, kXRange);
    plot.yAxis->setRange(-1.2, 1.2);
  }
  void Draw() { benchmark::DoNotOptimize(plot.toPixmap(kWidth, kHeight)); }
};

void PeerRefresh(benchmark::State& state, int64_t n, Look look) {
  PeerChart k(n, look);
  for (auto _ : state) k.Draw();
  state.SetItemsProcessed(state.iterations() * n);
}

void PeerZoomed(benchmark::State& state, int64_t n) {
  PeerChart k(n, Look::Line);
  int step = 0;
  for (auto _ : state) {
    const double from = 50 + 0.01 * (step++ % 10);
    k.plot.xAxis->setRange(from, from + kXRange / 100);
    k.Draw();
  }
}

void PeerDragStep(benchmark::State& state, int64_t n) {
  PeerChart k(n, Look::Line);
  int step = 0;
  for (auto _ : state) {
    const double shift = 0.5 * (step++ % 10);
    k.plot.xAxis->setRange(shift, shift + kXRange);
    k.Draw();
  }
}
#endif

// ---------------------------------------------------------------- workloads and ratios

struct Workload {
  std::string name;
  std::function<void(benchmark::State&)> plotara, peer;
};

std::vector<Workload> Workloads() {
  std::vector<Workload> w;
  auto refresh = [&](const char* name, int64_t n, Look look) {
    w.push_back({name, [=](benchmark::State& s) { PlotaraRefresh(s, n, look); },
#ifdef PLOTARA_BENCH_QCUSTOMPLOT
                 [=](benchmark::State& s) { PeerRefresh(s, n, look); }
#else
                 nullptr
#endif
    });
  };
  refresh("Line1M", 1'000'000, Look::Line);
  refresh("Line10M", 10'000'000, Look::Line);
  refresh("Circles100k", 100'000, Look::Circles);
  refresh("LineWithCircles1k", 1'000, Look::LineWithCircles);
  for (const int64_t n : {10'000'000LL, 100'000'000LL}) {
    w.push_back({n == 10'000'000 ? "Zoomed1Percent10M" : "Zoomed1Percent100M",
                 [=](benchmark::State& s) { PlotaraZoomed(s, n); },
#ifdef PLOTARA_BENCH_QCUSTOMPLOT
                 [=](benchmark::State& s) { PeerZoomed(s, n); }
#else
                 nullptr
#endif
    });
  }
  w.push_back({"DragStep1M", [](benchmark::State& s) { PlotaraDragStep(s, 1'000'000); },
#ifdef PLOTARA_BENCH_QCUSTOMPLOT
               [](benchmark::State& s) { PeerDragStep(s, 1'000'000); }
#else
               nullptr
#endif
  });
  return w;
}

// The console table, and each run's time kept for the ratios: with repetitions, their median.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      if ((r.run_type == Run::RT_Iteration || median) && !r.error_occurred)
        times_[r.run_name.str()] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
    }
    ConsoleReporter::ReportRuns(runs);
  }
  struct Times {
    double real, cpu;
  };
  const std::map<std::string, Times>& All() const { return times_; }

 private:
  std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
#ifdef PLOTARA_BENCH_QCUSTOMPLOT
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  const std::vector<Workload> workloads = Workloads();
  for (const Workload& w : workloads) {
    benchmark::RegisterBenchmark(("Plotara/" + w.name).c_str(), w.plotara)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    if (w.peer)
      benchmark::RegisterBenchmark(("QCustomPlot/" + w.name).c_str(), w.peer)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  // Times faster than QCustomPlot: its time over Plotara's, by wall clock (as the table above) and by
  // processor time, which a busy machine disturbs less.
  const auto& t = reporter.All();
  std::printf("\n%-20s %12s %12s %9s %12s %12s %9s\n", "workload", "Plotara ms", "QCP ms", "faster",
              "Plotara cpu", "QCP cpu", "faster");
  for (const Workload& w : workloads) {
    const auto a = t.find("Plotara/" + w.name + "/real_time"),
               b = t.find("QCustomPlot/" + w.name + "/real_time");
    if (a == t.end()) continue;
    if (b == t.end()) {
      std::printf("%-20s %12.3f %12s %9s %12.3f\n", w.name.c_str(), a->second.real, "-", "-", a->second.cpu);
    } else {
      std::printf("%-20s %12.3f %12.3f %9.2f %12.3f %12.3f %9.2f\n", w.name.c_str(), a->second.real,
                  b->second.real, b->second.real / a->second.real, a->second.cpu, b->second.cpu,
                  b->second.cpu / a->second.cpu);
    }
  }
  benchmark::Shutdown();
  return 0;
}
