// Value-to-page mapping per data point and number formatting per tick label, each beside a baseline in
// the same run: the bare linear formula for the mapping, the standard library's shortest-text
// conversion for the labels.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <random>
#include <vector>

#include "model/Notifier.h"
#include "model/Records.h"
#include "scale/Mapping.h"
#include "scale/NumberFormat.h"

namespace {

// The records of one graph whose X and Y axes run over lower..upper.
struct Chart {
  plotara::ControlState s;
  plotara::Notifier n;
  explicit Chart(double lower, double upper, bool log, bool reverse) {
    plotara::GraphRecord& g = s.Graphs.emplace_back();
    g.RectLeft = 1000;
    g.RectTop = 500;
    g.BorderLeft = 840;
    g.BorderTop = 420;
    g.Axes.resize(2);
    for (int i = 0; i < 2; ++i) {
      plotara::SetAxisDefaults(g.Axes[i], "axis", static_cast<int16_t>(i), lower, upper, 56.7f);
      g.Axes[i].AxisLog = log;
      g.Axes[i].AxisReverse = reverse;
      g.Axes[i].AxisLength = 6000;
    }
  }
};

std::vector<double> Values(double lower, double upper, size_t n) {
  std::mt19937 gen(42);
  std::uniform_real_distribution<double> dist(lower, upper);
  std::vector<double> v(n);
  for (auto& x : v) x = dist(gen);
  return v;
}

constexpr size_t kPoints = 4096;

template <bool Y>
void MapPoints(benchmark::State& state, double lower, double upper, bool log, bool reverse) {
  Chart chart(lower, upper, log, reverse);
  const auto values = Values(log ? lower : lower - (upper - lower) / 10, upper, kPoints);
  for (auto _ : state) {
    for (double v : values)
      benchmark::DoNotOptimize(Y ? plotara::PosY(chart.s, chart.n, v) : plotara::PosX(chart.s, chart.n, v));
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}

void BM_PosX_Linear(benchmark::State& s) {
  MapPoints<false>(s, 0, 100, false, false);
}
void BM_PosX_LinearReversed(benchmark::State& s) {
  MapPoints<false>(s, 0, 100, false, true);
}
void BM_PosX_Log(benchmark::State& s) {
  MapPoints<false>(s, 1, 1e6, true, false);
}
void BM_PosY_Linear(benchmark::State& s) {
  MapPoints<true>(s, 0, 100, false, false);
}
void BM_PosY_Log(benchmark::State& s) {
  MapPoints<true>(s, 1, 1e6, true, false);
}

// The same values through a mapping built once, as a data set's renderers map their points.
void MapPointsOnce(benchmark::State& state, double lower, double upper, bool log) {
  Chart chart(lower, upper, log, false);
  const plotara::GraphRecord& g = chart.s.Graphs[0];
  const plotara::AxisMapping x(g, g.Axes[0], false);
  const auto values = Values(log ? lower : lower - (upper - lower) / 10, upper, kPoints);
  for (auto _ : state) {
    for (double v : values) benchmark::DoNotOptimize(x.Map(v));
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}

void BM_MappingBuiltOnce_Linear(benchmark::State& s) {
  MapPointsOnce(s, 0, 100, false);
}
void BM_MappingBuiltOnce_Log(benchmark::State& s) {
  MapPointsOnce(s, 1, 1e6, true);
}

// Baseline: the linear formula alone, with the geometry already in registers.
void BM_Baseline_LinearFormula(benchmark::State& state) {
  const auto values = Values(-10, 100, kPoints);
  const double lo = 0, hi = 100, origin = 1840;
  const float length = 6000;
  for (auto _ : state) {
    for (double v : values) {
      const float f = static_cast<float>((v - lo) / (hi - lo));
      benchmark::DoNotOptimize(static_cast<float>(origin + length * f));
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}

// Tick values as an axis produces them: lower + step x j over a spread of magnitudes.
std::vector<double> TickValues() {
  std::vector<double> v;
  for (double lower : {-3.7, 0.0, 0.05, 1481.4, 1e-5, 2.5e10})
    for (int j = 0; j <= 10; ++j) v.push_back(lower + (lower == 0 ? 0.3 : std::fabs(lower)) * j / 10);
  return v;
}

void BM_Format_Real_AxisLabel(benchmark::State& state) {
  Chart chart(0, 1, false, false);
  const auto values = TickValues();
  for (auto _ : state) {
    for (double v : values) {
      int16_t digits = 6, style = 2;
      benchmark::DoNotOptimize(plotara::Format_Real(chart.n, v, 0, digits, style, 1));
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}

void BM_EasyFormat_ReadOut(benchmark::State& state) {
  Chart chart(0, 1, false, false);
  const auto values = Values(-1000, 1000, 64);
  for (auto _ : state) {
    for (double v : values) benchmark::DoNotOptimize(plotara::EasyFormat(chart.n, v, 5));
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}

// Baseline: the shortest text of a double into a std::string.
void BM_Baseline_ToChars(benchmark::State& state) {
  const auto values = TickValues();
  for (auto _ : state) {
    for (double v : values) {
      char buf[32];
      const auto r = std::to_chars(buf, buf + sizeof buf, v);
      benchmark::DoNotOptimize(std::string(buf, r.ptr));
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * values.size()));
}

BENCHMARK(BM_Baseline_LinearFormula);
BENCHMARK(BM_PosX_Linear);
BENCHMARK(BM_PosX_LinearReversed);
BENCHMARK(BM_PosX_Log);
BENCHMARK(BM_PosY_Linear);
BENCHMARK(BM_PosY_Log);
BENCHMARK(BM_MappingBuiltOnce_Linear);
BENCHMARK(BM_MappingBuiltOnce_Log);
BENCHMARK(BM_Baseline_ToChars);
BENCHMARK(BM_Format_Real_AxisLabel);
BENCHMARK(BM_EasyFormat_ReadOut);

}  // namespace
