// Drawing: a full refresh of a busy page against redrawing its front graph alone, and graphs with many
// points.
#include <benchmark/benchmark.h>

#include <cmath>

#include "Pages.h"
#include "plotara/Plotara.h"

namespace {

using bench::FourGradientGraphs;
using bench::SizeFullHd;

void BM_FullRefreshFourGraphs(benchmark::State& state) {
  plotara::Plotara p;
  FourGradientGraphs(p);
  for (auto _ : state) p.Refresh();
}
BENCHMARK(BM_FullRefreshFourGraphs)->Unit(benchmark::kMillisecond);

void BM_RefreshFrontGraphAlone(benchmark::State& state) {
  plotara::Plotara p;
  FourGradientGraphs(p);
  p.Refresh();
  const int16_t front = p.GraphIndex();
  for (auto _ : state) p.RefreshGraphs(front, true);
}
BENCHMARK(BM_RefreshFrontGraphAlone)->Unit(benchmark::kMillisecond);

// One graph on a full-HD page with n points of a noisy sine: as a line without symbols, or as circles.
void ManyPoints(plotara::Plotara& p, int64_t n, bool circles) {
  SizeFullHd(p);
  p.NewGraph("many points");
  p.NewDataSet("signal");
  if (circles) {
    p.SymbolStyle(3, 1.0f);
  } else {
    p.SymbolStyle(0);
    p.DataLine(0xC00000, 1, 1);
  }
  for (int64_t i = 0; i < n; ++i) {
    const double x = static_cast<double>(i) / static_cast<double>(n) * 100;
    p.AddDataPoint(x, std::sin(x) + 0.1 * std::sin(x * 37.0), 0);
  }
  p.Refresh();  // the first drawing takes the round limits
}

void BM_RefreshLineOfAMillionPoints(benchmark::State& state) {
  plotara::Plotara p;
  ManyPoints(p, 1'000'000, false);
  for (auto _ : state) p.Refresh();
  state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_RefreshLineOfAMillionPoints)->Unit(benchmark::kMillisecond);

void BM_RefreshHundredThousandCircles(benchmark::State& state) {
  plotara::Plotara p;
  ManyPoints(p, 100'000, true);
  for (auto _ : state) p.Refresh();
  state.SetItemsProcessed(state.iterations() * 100'000);
}
BENCHMARK(BM_RefreshHundredThousandCircles)->Unit(benchmark::kMillisecond);

// Markers that are drawn one by one (triangles are not stamped), on logarithmic X and Y axes: every point
// is mapped through both logarithms.
void BM_RefreshHundredThousandTrianglesOnLogAxes(benchmark::State& state) {
  constexpr int64_t n = 100'000;
  plotara::Plotara p;
  SizeFullHd(p);
  p.NewGraph("log axes");
  for (const int16_t axis : {0, 1}) {
    p.SetSelectedAxis(axis);
    p.AxisStyle(-1, -1, true);
  }
  p.NewDataSet("signal");
  p.SymbolStyle(6, 1.0f);
  for (int64_t i = 0; i < n; ++i) {
    const double x = 1 + static_cast<double>(i) / static_cast<double>(n) * 999;
    p.AddDataPoint(x, 10 + 9 * std::sin(std::log(x) * 7), 0);
  }
  p.Refresh();
  for (auto _ : state) p.Refresh();
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_RefreshHundredThousandTrianglesOnLogAxes)->Unit(benchmark::kMillisecond);

}  // namespace
