// Large data at full-HD size, each workload drawn by Plotara and, in the same run, by QCustomPlot into an
// offscreen image; the ratios of the two are printed after the table. The plain workloads leave the peer
// at its defaults; the anti-aliased ones smooth everything on both sides (Plotara's Antialias option,
// QCustomPlot's aeAll). A frame is what a host shows: the drawing and then Picture1's pixels. A pan step
// moves a zoomed view by the scroll bar's small change (Plotara) or by the same share of the range
// (QCustomPlot) and draws the frame. Loading puts 10 M x, y pairs into a new data set with one bulk call
// (Plotara's AddDataPoints, QCustomPlot's setData of sorted keys); one read of the same arrays is its
// floor.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Ratios.h"
#include "control/Internals.h"
#include "plotara/Plotara.h"
#include "render/Pipeline.h"

#ifdef PLOTARA_BENCH_QCUSTOMPLOT
#include <qcustomplot.h>
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
  PlotaraChart(int64_t n, Look look, bool smooth = false) : p(plotara::PlotaraOptions{.Antialias = smooth}) {
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
  // The frame a host shows.
  void Show() { benchmark::DoNotOptimize(p.Picture1().Pixels); }
};

void PlotaraRefresh(benchmark::State& state, int64_t n, Look look, bool smooth) {
  PlotaraChart k(n, look, smooth);
  for (auto _ : state) {
    k.p.Refresh();
    k.Show();
  }
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
    k.Show();
  }
  state.counters["peak_bytes_per_point"] = PeakBytes() / static_cast<double>(n);
}

// A hundredth of the X range, zoomed into with a rubber band over nine tenths of the plot's height, then
// panned back and forth by the scroll bar's small change.
void PlotaraPan(benchmark::State& state, int64_t n, bool smooth) {
  PlotaraChart k(n, Look::Line, smooth);
  const plotara::GraphRecord& g = plotara::Internals(k.p).State.Current();
  const plotara::PlotBox box = plotara::PlotOf(g);
  const float x = box.L + 0.5f * (box.R - box.L), w = 0.01f * (box.R - box.L), h = box.B - box.T;
  k.p.Picture1_MouseDown(1, 0, x, box.T + 0.05f * h);
  k.p.Picture1_MouseMove(1, 0, x + w, box.B - 0.05f * h);
  k.p.Picture1_MouseUp(1, 0, x + w, box.B - 0.05f * h);
  const int32_t from = k.p.HScroll1().Value, step = k.p.HScroll1().SmallChange;
  int i = 0;
  for (auto _ : state) {
    k.p.HScroll1_Change(from + ((i++ % 2) ? step : 0));
    k.Show();
  }
  state.counters["view_share"] = (g.Axes[0].AxisValue2 - g.Axes[0].AxisValue1) / kXRange;
  state.counters["step_share"] = static_cast<double>(step) / k.p.HScroll1().Max;
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
    k.Show();
  }
}

// Loading: n points from arrays in one bulk call into a new data set (the control and the data set are
// made outside the timing).
struct Arrays {
  std::vector<double> x, y;
  explicit Arrays(int64_t n) : x(static_cast<size_t>(n)), y(x.size()) {
    for (int64_t i = 0; i < n; ++i) {
      x[static_cast<size_t>(i)] = XAt(i, n);
      y[static_cast<size_t>(i)] = Signal(x[static_cast<size_t>(i)]);
    }
  }
};

void PlotaraLoad(benchmark::State& state, int64_t n) {
  const Arrays a(n);
  for (auto _ : state) {
    state.PauseTiming();
    auto p = std::make_unique<plotara::Plotara>();
    p->NewGraph("loaded");
    p->NewDataSet("signal");
    state.ResumeTiming();
    p->AddDataPoints(a.x, a.y);
    state.PauseTiming();
    p.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// The floor of loading: one read of the same arrays.
void ReadOnce(benchmark::State& state, int64_t n) {
  const Arrays a(n);
  for (auto _ : state) {
    double sum = 0;
    for (size_t i = 0; i < a.x.size(); ++i) sum += a.x[i] + a.y[i];
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// ---------------------------------------------------------------- QCustomPlot

#ifdef PLOTARA_BENCH_QCUSTOMPLOT
struct PeerChart {
  QCustomPlot plot;
  PeerChart(int64_t n, Look look, bool smooth = false) {
    plot.resize(kWidth, kHeight);
    if (smooth) plot.setAntialiasedElements(QCP::aeAll);
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

void PeerRefresh(benchmark::State& state, int64_t n, Look look, bool smooth) {
  PeerChart k(n, look, smooth);
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

// The same view and step as Plotara's pan: a hundredth of the range, moved by a fiftieth of a view.
void PeerPan(benchmark::State& state, int64_t n, bool smooth) {
  PeerChart k(n, Look::Line, smooth);
  const double from = 50, view = kXRange / 100, step = view / 50;
  int i = 0;
  for (auto _ : state) {
    const double at = from + ((i++ % 2) ? step : 0);
    k.plot.xAxis->setRange(at, at + view);
    k.Draw();
  }
}

// setData of sorted keys into a new graph, as the bulk call of the peer.
void PeerLoad(benchmark::State& state, int64_t n) {
  QVector<double> keys(n), values(n);
  for (int64_t i = 0; i < n; ++i) {
    keys[i] = XAt(i, n);
    values[i] = Signal(keys[i]);
  }
  QCustomPlot plot;
  for (auto _ : state) {
    state.PauseTiming();
    QCPGraph* g = plot.addGraph();
    state.ResumeTiming();
    g->setData(keys, values, true);
    state.PauseTiming();
    plot.removeGraph(g);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * n);
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

#ifdef PLOTARA_BENCH_QCUSTOMPLOT
#define PLOTARA_PEER(call) [=](benchmark::State& s) { call; }
#else
#define PLOTARA_PEER(call) nullptr
#endif

std::vector<bench::Workload> Workloads() {
  std::vector<bench::Workload> w;
  for (const bool smooth : {false, true}) {
    const std::string prefix = smooth ? "Antialiased" : "";
    auto refresh = [&](const char* name, int64_t n, Look look) {
      w.push_back({prefix + name, [=](benchmark::State& s) { PlotaraRefresh(s, n, look, smooth); },
                   PLOTARA_PEER(PeerRefresh(s, n, look, smooth))});
    };
    refresh("Line1M", 1'000'000, Look::Line);
    refresh("Line10M", 10'000'000, Look::Line);
    refresh("Circles100k", 100'000, Look::Circles);
    refresh("LineWithCircles1k", 1'000, Look::LineWithCircles);
    w.push_back({prefix + "PanStep10M", [=](benchmark::State& s) { PlotaraPan(s, 10'000'000, smooth); },
                 PLOTARA_PEER(PeerPan(s, 10'000'000, smooth))});
  }
  for (const int64_t n : {10'000'000LL, 100'000'000LL}) {
    w.push_back({n == 10'000'000 ? "Zoomed1Percent10M" : "Zoomed1Percent100M",
                 [=](benchmark::State& s) { PlotaraZoomed(s, n); }, PLOTARA_PEER(PeerZoomed(s, n))});
  }
  w.push_back({"DragStep1M", [](benchmark::State& s) { PlotaraDragStep(s, 1'000'000); },
               PLOTARA_PEER(PeerDragStep(s, 1'000'000))});
  w.push_back({"Load10M", [](benchmark::State& s) { PlotaraLoad(s, 10'000'000); },
               PLOTARA_PEER(PeerLoad(s, 10'000'000))});
  w.push_back({"ReadOnce10M", [](benchmark::State& s) { ReadOnce(s, 10'000'000); }, nullptr});
  return w;
}

}  // namespace

int main(int argc, char** argv) {
  return bench::RunAgainstQCustomPlot(argc, argv, Workloads);
}
