// Vector documents: a 100,000-point line and 1,000 circles at full-HD size written as PDF and as SVG by
// Plotara (its Vector option) and, in the same run, by QCustomPlot (savePdf, and QSvgGenerator). Each
// time covers the drawing and the file; the file sizes are counters, and the ratios follow the table.
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
#include <QSvgGenerator>
#endif

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kLine = 100'000, kCircles = 1'000;
constexpr double kXRange = 100;

double Signal(double x) {
  return std::sin(x) + 0.1 * std::sin(x * 37.0);
}
double XAt(int64_t i, int64_t n) {
  return static_cast<double>(i) / static_cast<double>(n) * kXRange;
}

std::string OutPath(const std::string& name) {
  return "/tmp/plotara_bench_documents_" + std::to_string(getpid()) + "_" + name;
}

double FileBytes(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? static_cast<double>(st.st_size) : 0.0;
}

void PlotaraDocument(benchmark::State& state, const char* extension) {
  plotara::Plotara p(plotara::PlotaraOptions{.Vector = true});
  p.ResizePicture(kWidth, kHeight);
  p.NewGraph("document");
  p.NewDataSet("line");
  p.SymbolStyle(0);
  p.DataLine(0xC00000, 1, 1);
  for (int i = 0; i < kLine; ++i) p.AddDataPoint(XAt(i, kLine), Signal(XAt(i, kLine)), 0);
  p.NewDataSet("circles");
  p.SymbolStyle(3, 1.0f);
  p.DataLine(0, 1, 0);
  for (int i = 0; i < kCircles; ++i) p.AddDataPoint(XAt(i, kCircles), 0.5 * Signal(XAt(i, kCircles)), 0);
  const std::string path = OutPath(std::string("plotara.") + extension);
  for (auto _ : state) {
    p.Refresh();
    p.SavePicture(path);
  }
  state.counters["KiB"] = FileBytes(path) / 1024;
  std::remove(path.c_str());
}

#ifdef PLOTARA_BENCH_QCUSTOMPLOT
struct PeerDocument {
  QCustomPlot plot;
  PeerDocument() {
    plot.resize(kWidth, kHeight);
    QVector<double> keys(kLine), values(kLine), ck(kCircles), cv(kCircles);
    for (int i = 0; i < kLine; ++i) {
      keys[i] = XAt(i, kLine);
      values[i] = Signal(keys[i]);
    }
    for (int i = 0; i < kCircles; ++i) {
      ck[i] = XAt(i, kCircles);
      cv[i] = 0.5 * Signal(ck[i]);
    }
    QCPGraph* line = plot.addGraph();
    line->setPen(QPen(QColor(0, 0, 0xC0)));
    line->setData(keys, values, true);
    QCPGraph* circles = plot.addGraph();
    circles->setLineStyle(QCPGraph::lsNone);
    circles->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssCircle, QColor(0, 0xC0, 0), QColor(0, 0xC0, 0), 8));
    circles->setData(ck, cv, true);
    plot.xAxis->setRange(0, kXRange);
    plot.yAxis->setRange(-1.2, 1.2);
  }
};

void PeerPdf(benchmark::State& state) {
  PeerDocument k;
  const std::string path = OutPath("peer.pdf");
  for (auto _ : state) k.plot.savePdf(QString::fromStdString(path), kWidth, kHeight);
  state.counters["KiB"] = FileBytes(path) / 1024;
  std::remove(path.c_str());
}

void PeerSvg(benchmark::State& state) {
  PeerDocument k;
  const std::string path = OutPath("peer.svg");
  for (auto _ : state) {
    QSvgGenerator svg;
    svg.setFileName(QString::fromStdString(path));
    svg.setSize(QSize(kWidth, kHeight));
    svg.setViewBox(QRect(0, 0, kWidth, kHeight));
    QCPPainter painter(&svg);
    k.plot.toPainter(&painter, kWidth, kHeight);
  }
  state.counters["KiB"] = FileBytes(path) / 1024;
  std::remove(path.c_str());
}
#define PLOTARA_PEER(f) f
#else
#define PLOTARA_PEER(f) nullptr
#endif

}  // namespace

int main(int argc, char** argv) {
  return bench::RunAgainstQCustomPlot(argc, argv, [] {
    return std::vector<bench::Workload>{
        {"Pdf100kLine1kCircles", [](benchmark::State& s) { PlotaraDocument(s, "pdf"); },
         PLOTARA_PEER(PeerPdf)},
        {"Svg100kLine1kCircles", [](benchmark::State& s) { PlotaraDocument(s, "svg"); },
         PLOTARA_PEER(PeerSvg)},
    };
  });
}
