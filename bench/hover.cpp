// The hover value: the drawn data point nearest the pointer (NearestPoint) among ten million points on a
// full-HD picture, against a plain search that maps every point, measured in the same run (counter
// "of_scan": the share of the plain search's time). Sorted X is searched through every level of the block
// index; data out of order through its first level only.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "control/Internals.h"
#include "plotara/Plotara.h"
#include "render/ItemView.h"
#include "render/Pipeline.h"

namespace {

constexpr int kPoints = 10'000'000;
constexpr float kWithin = 8 * 15;  // eight pixels at 96 dpi

// A full-HD chart of ten million points: a noisy curve sorted by X, or the same points shuffled.
struct Chart {
  explicit Chart(bool sorted) {
    p.ResizePicture(1920, 1080);
    p.NewGraph("hover");
    p.NewDataSet("signal");
    std::vector<double> x(kPoints), y(kPoints);
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0, 0.3);
    for (int i = 0; i < kPoints; ++i) x[i] = i, y[i] = std::sin(i * 2e-6) + noise(random);
    if (!sorted) {
      std::vector<int> order(kPoints);
      for (int i = 0; i < kPoints; ++i) order[i] = i;
      std::shuffle(order.begin(), order.end(), random);
      for (int i = 0; i < kPoints; ++i) p.AddDataPoint(x[order[i]], y[order[i]]);
    } else {
      for (int i = 0; i < kPoints; ++i) p.AddDataPoint(x[i], y[i]);
    }
    p.Refresh();
    // Pointer positions on the curve and beside it, all over the plot area.
    const plotara::ControlState& s = plotara::Internals(p).State;
    const plotara::PlotBox box = plotara::PlotOf(s.Graphs[0]);
    std::uniform_real_distribution<float> across(0, 1);
    for (int k = 0; k < 256; ++k)
      positions.push_back({box.L + box.XL * across(random), box.T + box.YL * (0.3f + 0.4f * across(random))});
  }
  plotara::Plotara p;
  std::vector<std::pair<float, float>> positions;
};

Chart& Sorted() {
  static Chart chart(true);
  return chart;
}
Chart& Shuffled() {
  static Chart chart(false);
  return chart;
}

// Every point mapped and measured: the nearest drawn point within kWithin, or -1.
int32_t PlainSearch(const plotara::Plotara& p, float x, float y) {
  const plotara::ControlState& s = plotara::Internals(p).State;
  const plotara::GraphRecord& g = s.Graphs[0];
  const plotara::PlotBox box = plotara::PlotOf(g);
  const plotara::ItemView item(g, 0, g.Points.Data(), s.UnitsPerMmX, s.UnitsPerMmY);
  double best = static_cast<double>(kWithin) * kWithin;
  int32_t found = -1;
  for (int32_t i = 0; i < item.Data.PointCount; ++i) {
    const double px = item.PosX(item.Points[i].X), py = item.PosY(item.Points[i].Y);
    if (px < box.L || px > box.R || py < box.T || py > box.B) continue;
    const double d2 = (px - x) * (px - x) + (py - y) * (py - y);
    if (d2 < best) best = d2, found = i;
  }
  return found;
}

// Seconds per plain search, the median of a few.
double PlainSeconds(Chart& chart) {
  std::vector<double> t;
  for (int k = 0; k < 5; ++k) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(PlainSearch(chart.p, chart.positions[k].first, chart.positions[k].second));
    t.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::nth_element(t.begin(), t.begin() + t.size() / 2, t.end());
  return t[t.size() / 2];
}

void Measure(benchmark::State& state, Chart& chart) {
  const double plain = PlainSeconds(chart);
  size_t k = 0, found = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    const auto& [x, y] = chart.positions[k++ % chart.positions.size()];
    const plotara::PointHit hit = chart.p.NearestPoint(x, y, kWithin);
    found += hit.Found;
    benchmark::DoNotOptimize(hit);
  }
  const double each = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                      static_cast<double>(state.iterations());
  state.counters["of_scan"] = each / plain;
  state.counters["found"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}

void BM_NearestPointSorted(benchmark::State& state) {
  Measure(state, Sorted());
}
BENCHMARK(BM_NearestPointSorted)->Unit(benchmark::kMicrosecond);

void BM_NearestPointShuffled(benchmark::State& state) {
  Measure(state, Shuffled());
}
BENCHMARK(BM_NearestPointShuffled)->Unit(benchmark::kMicrosecond);

// The baseline itself, for its absolute time.
void BM_PlainSearch(benchmark::State& state) {
  Chart& chart = Sorted();
  size_t k = 0;
  for (auto _ : state) {
    const auto& [x, y] = chart.positions[k++ % chart.positions.size()];
    benchmark::DoNotOptimize(PlainSearch(chart.p, x, y));
  }
}
BENCHMARK(BM_PlainSearch)->Unit(benchmark::kMillisecond);

}  // namespace
