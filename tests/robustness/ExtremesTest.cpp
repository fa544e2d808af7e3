// Pages too big for 16-bit lengths, pictures beyond the pixel budget, ticks by the ten thousand, values
// at the edge of single precision, and files that cannot be written whole.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "hosts/cli/HeadlessClipboard.h"
#include "hosts/cli/Script.h"
#include "plotara/AutomationError.h"
#include "render/Axes.h"
#include "support/Chart.h"
#include "support/Errors.h"
#include "support/Events.h"
#include "support/Pixels.h"

namespace plotara {
namespace {

using test::Chart;
using test::CountColor;
using test::ErrorNumberOf;
using test::EventLog;

constexpr OleColor kRed = 0x000000FF;

std::vector<std::string> Failures(const EventLog& log) {
  std::vector<std::string> out;
  for (const std::string& e : log.events)
    if (e.find(" / ") != std::string::npos) out.push_back(e);
  return out;
}

TEST(TickValues, ATickThatIsZeroUpToRoundingIsZero) {
  struct Case {
    float x1, x2;
    int16_t divs;
    int j;
  };
  const Case cases[] = {{-0.1f, 0.3f, 4, 1},   {-0.3f, 0.1f, 4, 3}, {-0.7f, 0.7f, 2, 1},
                        {-1e-6f, 3e-6f, 4, 1}, {-2.1f, 0.7f, 4, 3}, {0.3f, -0.1f, 4, 3}};
  for (const Case& k : cases) {
    AxisRecord a;
    a.AxisMajorDivs = k.divs;
    EXPECT_EQ(MajorTickValue(a, k.x1, k.x2, k.j), 0.0) << k.x1 << ".." << k.x2 << " tick " << k.j;
    // The neighbours keep their values: one step either side of zero.
    const double step = (static_cast<double>(k.x2) - k.x1) / k.divs;
    EXPECT_NEAR(MajorTickValue(a, k.x1, k.x2, k.j + 1), step, std::fabs(step) * 1e-6);
    EXPECT_NEAR(MajorTickValue(a, k.x1, k.x2, k.j - 1), -step, std::fabs(step) * 1e-6);
  }
}

// Pages whose plot is wider or taller than 32,767 twips (2,184 pixels at 96 dpi) draw like small ones.
TEST(BigPages, APlotBeyondSixteenBitsOfTwipsIsDrawn) {
  struct Size {
    int w, h;
  };
  for (const Size size : {Size{2560, 300}, Size{300, 2400}, Size{3840, 2160}}) {
    SCOPED_TRACE(std::to_string(size.w) + " x " + std::to_string(size.h));
    Chart k(size.w, size.h);
    EventLog log(k.p);
    test::PlainGraph(k.p);
    k.p.PlotAreaColors(kRed);
    k.p.Refresh();
    EXPECT_EQ(Failures(log), std::vector<std::string>{});
    const Chart::Box b = k.Plot();
    EXPECT_GT(b.R - b.L, size.w / 2);
    EXPECT_GT(b.B - b.T, size.h / 2);
    // The plot area is filled to its far corner.
    EXPECT_EQ(k.picture().Pixel(b.R - 3, b.B - 3), kRed);
    EXPECT_EQ(k.picture().Pixel(b.L + 3, b.T + 3), kRed);
  }
}

// A picture beyond the pixel budget is refused with error 7 and the control keeps its old size and
// still draws.
TEST(BigPages, APictureBeyondThePixelBudgetIsRefusedAndTheOldSizeKept) {
  for (const int pixels : {20000, 12000}) {
    Chart k(400, 300);
    EventLog log(k.p);
    test::PlainGraph(k.p);
    k.p.Refresh();
    k.p.ResizePicture(pixels, pixels);
    const std::vector<std::string> failures = Failures(log);
    ASSERT_EQ(failures.size(), 1u) << pixels;
    EXPECT_NE(failures[0].find("UserControl_Resize"), std::string::npos) << failures[0];
    EXPECT_EQ(k.picture().PixelWidth(), 400);
    EXPECT_EQ(k.picture().PixelHeight(), 300);
    EXPECT_EQ(Internals(k.p).GraphImage->PixelWidth(), 400);
    k.p.PlotAreaColors(kRed);
    k.p.Refresh();
    const Chart::Box b = k.Plot();
    EXPECT_EQ(k.picture().Pixel((b.L + b.R) / 2, (b.T + b.B) / 2), kRed);
  }
}

// A page at the largest size a document control takes (the most pixels; 200 inches, as a PDF page holds)
// draws a gradient over all of it: the scratch surface that holds the page and its margin is taken too.
// (The raster surfaces take the same margin; at their largest page a control would need a gigabyte.)
TEST(BigPages, TheLargestPageDrawsAGradientOverItAll) {
  struct Size {
    int w, h;  // pixels of the picture
  };
  for (const Size size : {Size{8000, 9000}, Size{19200, 300}}) {
    SCOPED_TRACE(std::to_string(size.w) + " x " + std::to_string(size.h));
    Plotara p(PlotaraOptions{.Vector = true});
    EventLog log(p);
    p.ResizePicture(size.w, size.h);
    test::PlainGraph(p);
    p.GraphPosition(40, 40, 20, 20);  // the page shows all round the graph
    p.PageColors(kRed, 0xFF0000, 0);
    p.Refresh();
    EXPECT_EQ(Failures(log), std::vector<std::string>{});
    EXPECT_EQ(Internals(p).Picture1->PixelWidth(), size.w);
    if (size.h > 1000) continue;  // the picture of the tall page would take a quarter of a gigabyte
    Surface& s = *Internals(p).Picture1;
    EXPECT_NE(s.Pixel(2, 20), s.Pixel(size.w - 10, 20)) << "a gradient from one end to the other";
    EXPECT_NE(s.Pixel(size.w - 10, 20), 0xFFFFFF);
  }
}

// Tick counts in the ten thousands draw in bounded time (a hang fails by the test's time limit), with
// no failure, and the axis still has its ticks.
TEST(Extremes, AxesWithHugeDivisionCountsDrawTheirTicks) {
  struct Case {
    const char* name;
    bool log;
    int16_t majors, minors;
    bool textLabels;
  };
  const Case cases[] = {{"log 30000 x 30000", true, 30000, 30000, false},
                        {"linear 30000 x 30000", false, 30000, 30000, false},
                        {"linear 200 x 200 (their product beyond 16 bits)", false, 200, 200, false},
                        {"text labels, 30000", false, 30000, 1, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Chart k(400, 300);
    EventLog log(k.p);
    test::PlainGraph(k.p);
    k.p.SetSelectedAxis(0);
    std::string labels;
    if (c.textLabels) {
      for (int i = 0; i <= c.majors; ++i) labels += "label" + std::to_string(i) + ",";
    }
    k.p.AxisScaleStyle(c.log ? 1 : 0, c.log ? 1e6 : 10, labels, c.textLabels ? 2 : 1, c.majors, c.minors);
    k.p.AxisStyle(kRed, -1, c.log);
    k.p.AxisTickStyle(-1, 3, true, false);
    k.p.Refresh();
    EXPECT_EQ(Failures(log), std::vector<std::string>{});
    const Chart::Box b = k.Plot();
    // Ticks rise from the X axis line into the plot in the axis colour.
    EXPECT_GT(CountColor(k.picture(), b.L, b.B - 4, b.R, b.B - 1, kRed), 0);
  }
}

// Hostile values in a script's statements: each draws what it can or reports a failure, and the page
// still draws its plot area afterwards.
TEST(Extremes, ValuesAtTheEdgesDrawWhatTheyCan) {
  const char* scripts[] = {
      "AddDataPoint 3.4028234E+38, -3.4028234E+38\nAddDataPoint 1.17549435E-38, 3.4028234E+38",
      "AddText \"far\", 1E+30, -1E+30, 0, \"Font=Arial|9\", 0, 45, False\n"
      "AddText \"far\", 5000000, 5000000, 0, \"Font=Arial|9\", 0, 33, True",
      "SymbolStyle 3, 5000, &HFF\nAddDataPoint 5, 5\nDataLine &HFF, 30000, 1\nAddDataPoint 6, 6",
      "SetSelectedAxis 1\nAxisStyle , , True\nAxisScaleStyle 0, 0\nAddDataPoint 0, 0\nAddDataPoint 1, -5",
      "AxisScaleStyle 5, 5\nSetSelectedAxis 1\nAxisScaleStyle -3, -3\nAddDataPoint 5, -3",
      "GraphPosition 1E+30, -1E+30, 1E+30, 1E+30",
      "BorderWidths 30000, 30000, 30000, 30000",
  };
  for (const char* body : scripts) {
    SCOPED_TRACE(body);
    Chart k(400, 300);
    std::ostringstream out, err;
    ScriptOptions options;
    options.SizeGiven = true;
    ScriptRunner runner(k.p, options, out, err);
    const std::string script =
        std::string("NewGraph \"x\", 0, 10, 0, 10\nPlotAreaColors &HFF\nNewDataSet \"d\"\n") + body +
        "\nRefresh\n";
    EXPECT_NE(runner.Run(script, "extreme"), kScriptSyntaxError) << err.str();
    // Back to a sane page: it draws.
    k.p.GraphPosition(0, 0, 100, 100);
    k.p.BorderWidths(10, 10, 10, 10);
    k.p.Refresh();
    const Chart::Box b = k.Plot();
    EXPECT_EQ(k.picture().Pixel((b.L + b.R) / 2, (b.T + b.B) / 2), kRed) << out.str() << err.str();
  }
}

// The most graphs, axes on a graph and data sets on a graph that the 16-bit indices allow: the page draws
// in bounded time (what lies beyond 16-bit page lengths, the far axes and a legend of 32,767 rows, is
// reported as error 6), and one more fails with error 6 and leaves what was there.
TEST(Extremes, TheMostGraphsAxesAndDataSetsDrawAndOneMoreOverflows) {
  struct Case {
    const char* what;
    bool onAGraph;  // added to one graph
    std::function<void(Plotara&)> addOne;
    std::function<size_t(Control&)> count;
  };
  const Case cases[] = {
      {"graphs", false, [](Plotara& p) { p.NewGraph("g"); },
       [](Control& c) { return c.State.Graphs.size(); }},
      {"X axes", true, [](Plotara& p) { p.NewXAxis("x"); },
       [](Control& c) { return c.State.Current().Axes.size(); }},
      {"data sets", true,
       [](Plotara& p) {
         p.NewDataSet("d");
         p.AddDataPoint(1, 1, 0);
       },
       [](Control& c) { return c.State.Current().DataSets.size(); }},
  };
  constexpr size_t kMost = 32767;
  auto overflows = [](const std::vector<std::string>& failures) {
    for (const std::string& f : failures)
      if (f.find("Error 6 ") != 0) return false;
    return true;
  };
  Chart plain(200, 150);
  plain.p.NewGraph("one", 0, 10, 0, 10);
  plain.p.Refresh();
  const OleColor plotColour = plain.picture().Pixel(100, 75);
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Chart chart(200, 150);
    EventLog log(chart.p);
    chart.p.SuppressRaisingEvents(true);
    if (k.onAGraph) chart.p.NewGraph("one", 0, 10, 0, 10);
    // With events off, the log holds failures only.
    while (k.count(chart.c()) < kMost && log.events.empty()) k.addOne(chart.p);
    ASSERT_EQ(k.count(chart.c()), kMost) << testing::PrintToString(Failures(log));
    chart.p.Refresh();
    EXPECT_TRUE(overflows(log.Take())) << "only what lies beyond 16 bits fails";
    EXPECT_EQ(chart.picture().Pixel(100, 75), plotColour) << "the front graph is drawn";
    k.addOne(chart.p);
    EXPECT_EQ(k.count(chart.c()), kMost);
    const std::vector<std::string> failures = Failures(log);
    ASSERT_FALSE(failures.empty());
    EXPECT_TRUE(overflows(failures)) << failures.front();
  }
}

// Runs a write with the process's file size limited, so that the write fails partway, as on a full disk.
template <class Write>
void WithFileSizeLimit(rlim_t bytes, Write&& write) {
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = old;
  limited.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limited);
  write();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
}

std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

int FilesIn(const std::filesystem::path& dir) {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

class NothingLost : public testing::TestWithParam<bool> {};

// The raster picture and the vector one (PlotaraOptions::Vector) write their files the same way.
TEST_P(NothingLost, AFileThatCannotBeWrittenWholeLeavesTheOldOneAndNoFragment) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("plotara-nothing-lost-" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  PlotaraOptions options;
  options.Vector = GetParam();
  Plotara p(options);
  p.ResizePicture(400, 300);
  HeadlessClipboard clipboard;
  p.SetClipboard(&clipboard);
  p.NewGraph("noisy", 0, 10, 0, 10);
  p.NewDataSet("d");
  for (int i = 0; i < 40; ++i) p.AddDataPoint(i % 10, (i * 7) % 10);
  p.Refresh();
  p.CopyToClipboard();
  struct Target {
    const char* name;
    std::function<bool(const std::string&)> save;
  };
  const Target targets[] = {
      {"picture.png",
       [&](const std::string& file) { return ErrorNumberOf([&] { p.SavePicture(file); }) == 0; }},
      {"picture.svg",
       [&](const std::string& file) { return ErrorNumberOf([&] { p.SavePicture(file); }) == 0; }},
      {"clipboard.png", [&](const std::string& file) { return clipboard.Save(file, p.TwipsPerPixel()); }},
  };
  for (const Target& t : targets) {
    SCOPED_TRACE(t.name);
    const std::filesystem::path path = dir / t.name;
    { std::ofstream(path) << "the old file"; }
    bool saved = true;
    WithFileSizeLimit(2000, [&] { saved = t.save(path.string()); });
    EXPECT_FALSE(saved);
    EXPECT_EQ(Slurp(path), "the old file");
    EXPECT_EQ(FilesIn(dir), 1);
    // Without the limit it is written whole, and only it is there.
    EXPECT_TRUE(t.save(path.string()));
    EXPECT_GT(Slurp(path).size(), 2000u);
    EXPECT_EQ(FilesIn(dir), 1);
    std::filesystem::remove(path);
  }
  // A target that is a folder: the picture cannot take its place, and no fragment stays beside it.
  std::filesystem::create_directory(dir / "folder.png");
  EXPECT_EQ(ErrorNumberOf([&] { p.SavePicture((dir / "folder.png").string()); }), 75);
  EXPECT_FALSE(clipboard.Save((dir / "folder.png").string(), p.TwipsPerPixel()));
  EXPECT_EQ(FilesIn(dir), 1);
  p.SetClipboard(nullptr);
  std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(RasterAndVector, NothingLost, testing::Bool());

// A limit that single precision cannot hold fails at the put (error 6) and leaves the axis as it was;
// limits that got past it another way are reported once for a data set, not once a point.
TEST(Extremes, LimitsBeyondSingleFailAtThePutAndDrawingReportsThemOnce) {
  const double values[] = {1e300, -1e300, 3.5e38};
  for (const bool second : {false, true}) {
    for (const double v : values) {
      Chart k(200, 150);
      k.p.NewGraph("x", 0, 10, 0, 10);
      int number = 0;
      try {
        second ? k.p.AxisValue2(v) : k.p.AxisValue1(v);
      } catch (const AutomationError& e) {
        number = e.Number();
      }
      EXPECT_EQ(number, 6) << v;
      EXPECT_EQ(second ? k.p.AxisValue2() : k.p.AxisValue1(), second ? 10 : 0) << v;
    }
  }
  Chart k(200, 150);
  k.p.NewGraph("x", 0, 10, 0, 10);
  k.p.NewDataSet("many");
  for (int i = 0; i < 1000; ++i) k.p.AddDataPoint(i % 10, i % 7);
  k.state().Current().Axes[0].AxisValue2 = 1e300;
  int reports = 0;
  k.p.Events().ErrorMsg = [&](std::string& source, std::string&) {
    reports += source.find("DataPointXY") != std::string::npos;
  };
  k.p.Refresh();
  EXPECT_EQ(reports, 1);
}

}  // namespace
}  // namespace plotara
