// Export: the complete chart and a line of 100,000 points, each refreshed and written as PNG (the plain
// raster control), as anti-aliased PNG, as SVG and as PDF. The table at the end gives each export's
// time as a ratio to the PNG refresh of the same picture in the same run.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "hosts/cli/Script.h"
#include "plotara/Plotara.h"

namespace {

enum Format { Png, AntialiasedPng, Svg, Pdf };
constexpr const char* kFormatNames[] = {"png", "png-antialiased", "svg", "pdf"};
constexpr const char* kExtensions[] = {".png", ".png", ".svg", ".pdf"};

plotara::PlotaraOptions OptionsFor(Format f) {
  plotara::PlotaraOptions o;
  o.Antialias = f == AntialiasedPng;
  o.Vector = f == Svg || f == Pdf;
  return o;
}

std::string OutputPath(Format f) {
  return "/tmp/plotara_bench_export_" + std::to_string(getpid()) + "_" + kFormatNames[f] + kExtensions[f];
}

void CompleteChart(plotara::Plotara& p) {
  const std::string path = std::string(PLOTARA_SOURCE_DIR) + "/examples/complete-chart.plotara";
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  plotara::ScriptOptions options;
  options.BaseDir = std::string(PLOTARA_SOURCE_DIR) + "/examples";
  plotara::SizePicture(p, options.Width, options.Height);
  std::ostringstream out, err;
  plotara::ScriptRunner runner(p, options, out, err);
  if (runner.Run(text.str(), path) != 0) std::fprintf(stderr, "%s", err.str().c_str());
}

void HundredThousandPoints(plotara::Plotara& p) {
  plotara::SizePicture(p, 1920, 1080);
  p.NewGraph("100,000 points");
  p.NewDataSet("signal");
  p.SymbolStyle(0);
  p.DataLine(0xC00000, 1, 1);
  constexpr int kPoints = 100'000;
  for (int i = 0; i < kPoints; ++i) {
    const double x = static_cast<double>(i) / kPoints * 100;
    p.AddDataPoint(x, std::sin(x) + 0.1 * std::sin(x * 37.0), 0);
  }
  p.Refresh();
}

void Export(benchmark::State& state, void (*build)(plotara::Plotara&), Format f) {
  plotara::Plotara p(OptionsFor(f));
  build(p);
  const std::string out = OutputPath(f);
  for (auto _ : state) {
    p.Refresh();
    p.SavePicture(out);
  }
  std::remove(out.c_str());
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (!r.error_occurred && (r.run_type != Run::RT_Aggregate || r.aggregate_name == "median"))
        times_[r.run_name.str()] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
  }

  // Ratios of wall time (file writing included) and of CPU time, which a busy machine disturbs less.
  void PrintRatios() const {
    std::printf("\n%-30s %16s %10s %10s\n", "export (ratio to png)", "png-antialiased", "svg", "pdf");
    for (const char* picture : {"complete-chart", "100k-points"})
      for (int cpu = 0; cpu < 2; ++cpu) {
        const auto png = times_.find(std::string(picture) + "/png");
        if (png == times_.end()) continue;
        std::printf("%-30s", (std::string(picture) + (cpu ? ", cpu" : ", wall")).c_str());
        for (Format f : {AntialiasedPng, Svg, Pdf}) {
          const auto t = times_.find(std::string(picture) + "/" + kFormatNames[f]);
          const double ratio = t == times_.end() ? NAN
                               : cpu             ? t->second.second / png->second.second
                                                 : t->second.first / png->second.first;
          std::printf(" %*.2f", f == AntialiasedPng ? 16 : 10, ratio);
        }
        std::printf("\n");
      }
  }

 private:
  std::map<std::string, std::pair<double, double>> times_;  // wall, cpu
};

}  // namespace

int main(int argc, char** argv) {
  for (Format f : {Png, AntialiasedPng, Svg, Pdf}) {
    benchmark::RegisterBenchmark((std::string("complete-chart/") + kFormatNames[f]).c_str(),
                                 [f](benchmark::State& s) { Export(s, CompleteChart, f); })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("100k-points/") + kFormatNames[f]).c_str(),
                                 [f](benchmark::State& s) { Export(s, HundredThousandPoints, f); })
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
