// Adding points through the C++ interface: throughput, and the memory a point costs.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "control/Internals.h"
#include "plotara/Plotara.h"

namespace {

// A graph with automatic axes and one data set, ready for points.
void PrepareGraph(plotara::Plotara& p) {
  p.NewGraph("bench");
  p.NewDataSet("points");
}

void BM_AddDataPoint(benchmark::State& state) {
  const int64_t n = state.range(0);
  for (auto _ : state) {
    plotara::Plotara p;
    PrepareGraph(p);
    for (int64_t i = 0; i < n; ++i)
      p.AddDataPoint(static_cast<double>(i), static_cast<double>(i % 1000), 0.5);
    benchmark::DoNotOptimize(Internals(p).State.Current().NumPoints());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_AddDataPoint)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// A kilobyte figure from /proc/self/status ("VmRSS", "VmHWM").
long StatusKb(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::strlen(key) + 1));
  }
  return -1;
}

// Peak resident bytes per point beyond what the process held before, measured in a child process so that
// its high-water mark reflects only this work.
void BM_PointMemory(benchmark::State& state) {
  const long n = state.range(0);
  double bytesPerPoint = 0;
  for (auto _ : state) {
    int fds[2];
    if (pipe(fds) != 0) state.SkipWithError("pipe");
    const pid_t pid = fork();
    if (pid == 0) {
      plotara::Plotara p;
      PrepareGraph(p);
      const long before = StatusKb("VmRSS:");
      for (long i = 0; i < n; ++i) p.AddDataPoint(static_cast<double>(i), std::sin(i * 1e-3), 0);
      const long peak = StatusKb("VmHWM:");
      const double perPoint = (peak - before) * 1024.0 / static_cast<double>(n);
      if (write(fds[1], &perPoint, sizeof perPoint) != sizeof perPoint) _exit(1);
      _exit(0);
    }
    close(fds[1]);
    if (read(fds[0], &bytesPerPoint, sizeof bytesPerPoint) != sizeof bytesPerPoint)
      state.SkipWithError("child");
    close(fds[0]);
    waitpid(pid, nullptr, 0);
  }
  state.counters["bytes_per_point"] = bytesPerPoint;
}
BENCHMARK(BM_PointMemory)->Arg(10'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
