// Many small charts: 200 charts of 100 points at 400 x 300, each built from nothing, drawn and saved as
// PNG, by Plotara (at the default PNG compression and at the fast level 1) and, in the same run, by
// QCustomPlot (savePng at its defaults). The mean file size is a counter; the ratios follow the table.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "Ratios.h"
#include "plotara/Plotara.h"

#ifdef PLOTARA_BENCH_QCUSTOMPLOT
#include <qcustomplot.h>
#endif

namespace {

constexpr int kCharts = 200, kPoints = 100, kWidth = 400, kHeight = 300;

double Value(int chart, int i) {
  return std::sin(i * 0.1 + chart) * 10 + chart % 7;
}

std::string OutPath(const std::string& name) {
  return "/tmp/plotara_bench_charts_" + std::to_string(getpid()) + "_" + name + ".png";
}

double FileBytes(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? static_cast<double>(st.st_size) : 0.0;
}

void PlotaraCharts(benchmark::State& state, int pngCompression) {
  const std::string path = OutPath("plotara" + std::to_string(pngCompression));
  for (auto _ : state) {
    for (int c = 0; c < kCharts; ++c) {
      plotara::Plotara p(plotara::PlotaraOptions{.PngCompression = pngCompression});
      p.ResizePicture(kWidth, kHeight);
      p.NewGraph("chart " + std::to_string(c));
      p.NewDataSet("values");
      p.SymbolStyle(3, 1.0f);
      p.DataLine(0xC00000, 1, 1);
      for (int i = 0; i < kPoints; ++i) p.AddDataPoint(i, Value(c, i), 0);
      p.Refresh();
      p.SavePicture(path);
    }
  }
  state.counters["KiB"] = FileBytes(path) / 1024;
  std::remove(path.c_str());
}

#ifdef PLOTARA_BENCH_QCUSTOMPLOT
void PeerCharts(benchmark::State& state) {
  const QString path = QString::fromStdString(OutPath("peer"));
  for (auto _ : state) {
    for (int c = 0; c < kCharts; ++c) {
      QCustomPlot plot;
      plot.resize(kWidth, kHeight);
      plot.plotLayout()->insertRow(0);
      plot.plotLayout()->addElement(0, 0, new QCPTextElement(&plot, QString("chart %1").arg(c)));
      QVector<double> keys(kPoints), values(kPoints);
      for (int i = 0; i < kPoints; ++i) {
        keys[i] = i;
        values[i] = Value(c, i);
      }
      QCPGraph* g = plot.addGraph();
      g->setPen(QPen(QColor(0, 0, 0xC0)));
      g->setScatterStyle(
          QCPScatterStyle(QCPScatterStyle::ssCircle, QColor(0, 0, 0xC0), QColor(0, 0, 0xC0), 6));
      g->setData(keys, values, true);
      g->rescaleAxes();
      plot.savePng(path, kWidth, kHeight);
    }
  }
  state.counters["KiB"] = FileBytes(path.toStdString()) / 1024;
  std::remove(path.toStdString().c_str());
}
#define PLOTARA_PEER(f) f
#else
#define PLOTARA_PEER(f) nullptr
#endif

}  // namespace

int main(int argc, char** argv) {
  return bench::RunAgainstQCustomPlot(argc, argv, [] {
    return std::vector<bench::Workload>{
        {"Charts200", [](benchmark::State& s) { PlotaraCharts(s, -1); }, PLOTARA_PEER(PeerCharts)},
        {"Charts200FastPng", [](benchmark::State& s) { PlotaraCharts(s, 1); }, PLOTARA_PEER(PeerCharts)},
    };
  });
}
