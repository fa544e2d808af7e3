// Interaction frames: one later step of dragging the front graph and one step of dragging a legend, on
// a full-HD page of four gradient graphs, each as a ratio to a full Refresh of the same page measured in
// the same run (counter "of_refresh"; targets: a graph step at most 1/3, a legend step at most 1/20), and
// the share of the picture a window repaints after a step (counter "repainted").
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "Pages.h"
#include "control/Internals.h"
#include "plotara/Plotara.h"

namespace {

// The median time of a full Refresh of the page, in seconds.
double FullRefreshSeconds(plotara::Plotara& p) {
  std::vector<double> t;
  for (int i = 0; i < 15; ++i) {
    const auto start = std::chrono::steady_clock::now();
    p.Refresh();
    t.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::nth_element(t.begin(), t.begin() + t.size() / 2, t.end());
  return t[t.size() / 2];
}

void BM_FullRefresh(benchmark::State& state) {
  plotara::Plotara p;
  bench::FourGradientGraphs(p, true);
  for (auto _ : state) p.Refresh();
}
BENCHMARK(BM_FullRefresh)->Unit(benchmark::kMillisecond);

// Runs a press at (x, y), then moves back and forth by one step per iteration.
template <class Place>
void DragSteps(benchmark::State& state, Place place) {
  plotara::Plotara p;
  bench::FourGradientGraphs(p, true);
  p.Refresh();
  const double refresh = FullRefreshSeconds(p);
  float x = 0, y = 0;
  place(plotara::Internals(p), x, y);
  p.Picture1_MouseDown(1, 0, x, y);
  double repainted = 0;
  p.OnPictureChanged(
      [&](const plotara::PixelRect& r) { repainted += static_cast<double>(r.Width) * r.Height; });
  int k = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    const float dx = (++k % 2) ? -300.0f : 0.0f;  // each step moves, inward where a legend is held
    p.Picture1_MouseMove(1, 0, x + dx, y + dx);
  }
  const double perStep = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
                         static_cast<double>(state.iterations());
  p.OnPictureChanged({});
  p.Picture1_MouseUp(1, 0, x, y);
  state.counters["of_refresh"] = perStep / refresh;
  const plotara::PictureView picture = p.Picture1();
  state.counters["repainted"] = repainted / (static_cast<double>(picture.Width) * picture.Height) /
                                static_cast<double>(state.iterations());
}

void BM_DragGraphStep(benchmark::State& state) {
  DragSteps(state, [](plotara::Control& c, float& x, float& y) {
    const plotara::GraphRecord& g =
        c.State.Graph(c.State.GraphOrder.back());  // the front graph, by its border band
    x = static_cast<float>(g.RectLeft + g.BorderLeft / 2);
    y = static_cast<float>(g.RectTop + g.RectHeight / 2);
  });
}
BENCHMARK(BM_DragGraphStep)->Unit(benchmark::kMillisecond);

void BM_DragLegendStep(benchmark::State& state) {
  DragSteps(state, [](plotara::Control& c, float& x, float& y) {
    const plotara::GraphRecord& g = c.State.Graph(c.State.GraphOrder.back());
    x = static_cast<float>(g.LegendRectLeft + g.LegendRectWidth / 2);
    y = static_cast<float>(g.LegendRectTop + g.LegendRectHeight / 2);
  });
}
BENCHMARK(BM_DragLegendStep)->Unit(benchmark::kMillisecond);

}  // namespace
