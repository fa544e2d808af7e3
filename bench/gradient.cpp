// The gradient painter filling a full-HD surface, style by style. Every style draws one shape per
// colour, so the cost grows with the larger side of the area; each should take milliseconds.
#include <benchmark/benchmark.h>

#include "gradient/clsGradient.h"
#include "plotara/HostTypes.h"
#include "surface/CairoSurface.h"

namespace {

using plotara::CairoSurface;
using plotara::clsGradient;

// args: style, angle
void BM_GradientFullHd(benchmark::State& state) {
  CairoSurface s(96);
  s.Move(0, 0, static_cast<float>(1920 * plotara::kTwipsPerLogicalPixel),
         static_cast<float>(1080 * plotara::kTwipsPerLogicalPixel));
  clsGradient g;
  g.Style(static_cast<int16_t>(state.range(0)));
  g.Angle(static_cast<float>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(g.Draw(s));
  state.SetLabel("style " + std::to_string(state.range(0)) + ", angle " + std::to_string(state.range(1)));
}
BENCHMARK(BM_GradientFullHd)
    ->ArgNames({"style", "angle"})
    ->Args({1, 0})
    ->Args({1, 30})
    ->Args({1, 315})
    ->Args({2, 315})
    ->Args({3, 315})
    ->Args({4, 315})
    ->Args({5, 315})
    ->Args({6, 315})
    ->Args({-1, 315})
    ->Unit(benchmark::kMillisecond);

// The baseline: one clear of the same surface, the cost of a plain fill.
void BM_ClearFullHd(benchmark::State& state) {
  CairoSurface s(96);
  s.Move(0, 0, static_cast<float>(1920 * plotara::kTwipsPerLogicalPixel),
         static_cast<float>(1080 * plotara::kTwipsPerLogicalPixel));
  for (auto _ : state) s.Cls();
}
BENCHMARK(BM_ClearFullHd)->Unit(benchmark::kMillisecond);

}  // namespace
