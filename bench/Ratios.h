// Benchmarks against a peer in the same run: each workload is registered for Plotara and, where the peer
// is there, for it, and the table at the end gives each pair's times and Plotara's over the peer's (the
// ratio the targets are stated in: below 1 is faster), by wall clock and by processor time, which a busy
// machine disturbs less. With repetitions, each time is the median.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#ifdef PLOTARA_BENCH_QCUSTOMPLOT
#include <QApplication>
#endif

namespace bench {

struct Workload {
  std::string name;
  std::function<void(benchmark::State&)> plotara, peer;
};

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
  const Times* Find(const std::string& name) const {
    const auto t = times_.find(name);
    return t == times_.end() ? nullptr : &t->second;
  }

 private:
  std::map<std::string, Times> times_;
};

// Registers Plotara/NAME and Peer/NAME in milliseconds of wall time.
inline void Register(const std::vector<Workload>& workloads, const std::string& peer) {
  for (const Workload& w : workloads) {
    benchmark::RegisterBenchmark(("Plotara/" + w.name).c_str(), w.plotara)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    if (w.peer)
      benchmark::RegisterBenchmark((peer + "/" + w.name).c_str(), w.peer)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
  }
}

inline void PrintRatios(const RatioReporter& r, const std::vector<Workload>& workloads,
                        const std::string& peer) {
  std::printf("\n%-30s %12s %12s %9s %12s %12s %9s\n", "workload (ms)", "Plotara", peer.c_str(), "ratio",
              "Plotara cpu", (peer + " cpu").c_str(), "ratio");
  for (const Workload& w : workloads) {
    const RatioReporter::Times* a = r.Find("Plotara/" + w.name + "/real_time");
    const RatioReporter::Times* b = r.Find(peer + "/" + w.name + "/real_time");
    if (!a) continue;
    if (!b) {
      std::printf("%-30s %12.3f %12s %9s %12.3f\n", w.name.c_str(), a->real, "-", "-", a->cpu);
    } else {
      std::printf("%-30s %12.3f %12.3f %9.2f %12.3f %12.3f %9.2f\n", w.name.c_str(), a->real, b->real,
                  a->real / b->real, a->cpu, b->cpu, a->cpu / b->cpu);
    }
  }
}

// The main of a benchmark against QCustomPlot: the peer draws offscreen in a QApplication where it is
// built in; the workloads are made once the arguments are read.
inline int RunAgainstQCustomPlot(int argc, char** argv, const std::function<std::vector<Workload>()>& make) {
#ifdef PLOTARA_BENCH_QCUSTOMPLOT
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  const std::vector<Workload> workloads = make();
  Register(workloads, "QCustomPlot");
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintRatios(reporter, workloads, "QCustomPlot");
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
