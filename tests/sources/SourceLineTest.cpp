// A data set fed by a source draws the pixels of the line through all its rows, in every view, and asks
// its source once per view.
#include <algorithm>
#include <set>
#include <string>
#include <thread>

#include "SourceRows.h"
#include "render/LinePath.h"
#include "support/Events.h"

namespace plotara::test {
namespace {

// A memory source that counts the questions it is asked.
class CountingSource : public MemorySource {
 public:
  using MemorySource::MemorySource;
  FoldAnswer Fold(const FoldRequest& request) override {
    ++folds;
    lastColumns = request.Bounds.size() - 1;
    return MemorySource::Fold(request);
  }
  int folds = 0;
  size_t lastColumns = 0;
};

void FeedMemory(Plotara& p, const Rows& rows) {
  p.UseDataSource(std::make_shared<MemorySource>("memory", rows));
}

// Views as a user reaches them, each from the one before: the whole, the wheel about a point with Shift
// (X alone), a pan along X, a resize, the full range again. The Y range holds every row throughout.
struct View {
  const char* name;
  std::function<void(Plotara&)> step;
};
const View kViews[] = {
    {"full", [](Plotara&) {}},
    {"zoomed in X", [](Plotara& p) { p.Wheel(4000, 2500, 3 * 120, 1); }},
    {"zoomed further", [](Plotara& p) { p.Wheel(6000, 3000, 6 * 120, 1); }},
    {"panned", [](Plotara& p) { p.Pan(5000, 3000, 1234, 0); }},
    {"resized", [](Plotara& p) { p.ResizePicture(517, 333); }},
    {"unzoomed", [](Plotara& p) { p.KeyDown(36, 0); }},
};

TEST(SourceLine, DrawsThePixelsOfAllRowsInEveryView) {
  const Rows rows = WalkRows(100000);
  for (const bool logX : {false, true})
    for (const int16_t thickness : {1, 2}) {
      TwoCharts charts(
          rows, [&](Plotara& p) { FeedMemory(p, rows); }, logX, thickness);
      for (const View& v : kViews) {
        charts.Both(v.step);
        EXPECT_EQ(charts.Differences(), 0) << v.name << (logX ? ", log X" : "") << ", " << thickness << " px";
      }
    }
}

TEST(SourceLine, FewRowsAndRowsOfOneXDrawAsTheirPoints) {
  const Rows cases[] = {
      {{5, 1}},
      {{5, 1}, {5, 9}},
      {{2, 1}, {2, 3}, {2, 8}, {7, 4}},
      {{1, 1}, {3, -2}, {3, 4}, {3, 9}, {8, 0}, {8, 5}, {8, 6}},
      {{1, 1}, {1.001, 9}, {1.002, -2}, {1.003, 4}, {9.998, 0}, {9.999, 2}, {9.999, 7}, {9.999, 8}},
  };
  for (const Rows& rows : cases) {
    for (const int16_t thickness : {1, 2}) {
      TwoCharts charts(
          rows, [&](Plotara& p) { FeedMemory(p, rows); }, false, thickness, true);
      EXPECT_EQ(charts.Differences(rows.size() > 1 ? 5 : 0), 0)
          << rows.size() << " rows, " << thickness << " px";
    }
  }
}

// Where Y limits cut through a column's rows, a segment is drawn only with an end inside them, so the
// pixels depend on the order of the rows there, which the fold does not keep: the picture may differ, but
// only in the columns that hold rows beyond the Y limits.
TEST(SourceLine, AViewThatCutsThroughTheRowsInYDiffersOnlyInColumnsWithRowsBeyondIt) {
  const Rows rows = WalkRows(100000);
  TwoCharts charts(
      rows, [&](Plotara& p) { FeedMemory(p, rows); }, false, 1);
  EXPECT_EQ(charts.Differences(), 0) << "the Y limits hold every row";
  charts.Both([](Plotara& p) { p.Wheel(5000, 2500, 4 * 120); });  // both axes
  charts.Differences();
  const ItemView item = charts.fed.item();
  const double x1 = item.XAxis.AxisValue1, x2 = item.XAxis.AxisValue2;
  const double y1 = item.YAxis.AxisValue1, y2 = item.YAxis.AxisValue2;
  std::set<int> beyond;  // the pixel columns holding rows beyond the Y limits
  int rowsBeyond = 0;
  for (const auto& [x, y] : rows) {
    const float sx = static_cast<float>(x), sy = static_cast<float>(y);
    if (sx < x1 || sx > x2 || (sy >= y1 && sy <= y2)) continue;
    beyond.insert(PixelOfPage(item.X.Map(sx), kTwipsPerPixel));
    ++rowsBeyond;
  }
  ASSERT_GT(rowsBeyond, 1000) << "the view cuts through the rows";
  Surface &fed = charts.fed.picture(), &points = charts.points.picture();
  int differing = 0, elsewhere = 0;
  for (int y = 0; y < fed.PixelHeight(); ++y)
    for (int x = 0; x < fed.PixelWidth(); ++x)
      if (fed.Pixel(x, y) != points.Pixel(x, y)) {
        ++differing;
        elsewhere += !beyond.count(x);
      }
  EXPECT_EQ(elsewhere, 0) << differing << " pixels differ";
}

TEST(SourceLine, AsksOncePerViewAndNotForARedraw) {
  Chart chart(600, 400);
  SourceGraph(chart.p, false, 1);
  auto source = std::make_shared<CountingSource>("counting", WalkRows(5000));
  chart.p.UseDataSource(source);
  chart.p.Refresh();
  EXPECT_EQ(source->folds, 1);
  const Chart::Box plot = chart.Plot();
  EXPECT_NEAR(static_cast<double>(source->lastColumns), plot.R - plot.L, 3)
      << "a column per pixel, and the end's";
  chart.p.Refresh();
  chart.p.RefreshCurrentGraph();
  EXPECT_EQ(source->folds, 1) << "the same view asks nothing";
  chart.p.Wheel(4000, 2500, 120);
  EXPECT_EQ(source->folds, 2) << "the wheel draws a new view";
  chart.p.KeyDown(36, 0);  // Home: the full range again, answered from what was kept
  EXPECT_EQ(source->folds, 2);
  chart.p.ResizePicture(300, 200);
  chart.p.Refresh();
  EXPECT_EQ(source->folds, 3) << "a new width asks again";
}

TEST(SourceLine, ADeferringHostRunsTheQuestionsOnItsOwnThreadWhileThePictureStays) {
  Chart chart(600, 400);
  SourceGraph(chart.p, false, 1);
  auto source = std::make_shared<CountingSource>("counting", WalkRows(5000));
  chart.p.UseDataSource(source);
  chart.p.Refresh();
  const int before = CountColor(chart.picture(), 0, 0, 600, 400, 0x00FF0000);
  chart.p.DeferDataQueries(true);
  chart.p.Wheel(4000, 2500, 4 * 120, 1);
  EXPECT_EQ(source->folds, 1) << "the drawing asked nothing";
  EXPECT_EQ(CountColor(chart.picture(), 0, 0, 600, 400, 0x00FF0000), before) << "the picture shown stays";
  std::vector<std::function<void()>> questions = chart.p.TakeDataQueries();
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_TRUE(chart.p.TakeDataQueries().empty()) << "taken once";
  std::thread([&] { questions[0](); }).join();
  EXPECT_EQ(source->folds, 2);
  chart.p.Refresh();
  EXPECT_EQ(source->folds, 2) << "drawn from the answer the host's thread got";
  EXPECT_NE(CountColor(chart.picture(), 0, 0, 600, 400, 0x00FF0000), before) << "the new view is shown";
}

TEST(SourceLine, AutomaticAxesTakeInTheRowsExtent) {
  Rows rows = WalkRows(2000);
  TwoCharts charts(
      rows, [&](Plotara& p) { FeedMemory(p, rows); }, false, 1);
  const AxisRecord& a = charts.points.state().Current().Axes[0];
  const AxisRecord& b = charts.fed.state().Current().Axes[0];
  EXPECT_EQ(a.AxisValue1, b.AxisValue1);
  EXPECT_EQ(a.AxisValue2, b.AxisValue2);
  const AxisRecord& ay = charts.points.state().Current().Axes[1];
  const AxisRecord& by = charts.fed.state().Current().Axes[1];
  EXPECT_EQ(ay.AxisValue1, by.AxisValue1);
  EXPECT_EQ(ay.AxisValue2, by.AxisValue2);
}

TEST(SourceLine, AFailingSourceIsReportedAndTheLastPictureStays) {
  class Failing : public MemorySource {
   public:
    using MemorySource::MemorySource;
    FoldAnswer Fold(const FoldRequest& r) override {
      if (fail) throw DataSourceError("failing: the server went away");
      return MemorySource::Fold(r);
    }
    bool fail = false;
  };
  Chart chart(600, 400);
  EventLog log(chart.p);
  SourceGraph(chart.p, false, 1);
  auto source = std::make_shared<Failing>("failing", WalkRows(5000));
  chart.p.UseDataSource(source);
  chart.p.Refresh();
  const int drawn = CountColor(chart.picture(), 0, 0, 600, 400, 0x00FF0000);
  ASSERT_GT(drawn, 200);
  source->fail = true;
  chart.p.Wheel(4000, 2500, 120);
  ASSERT_FALSE(log.events.empty());
  EXPECT_NE(log.events.back().find("failing: the server went away"), std::string::npos) << log.events.back();
  EXPECT_GT(CountColor(chart.picture(), 0, 0, 600, 400, 0x00FF0000), 200)
      << "the rows of the last view are drawn";
}

TEST(SourceLine, AQuestionThatFailedOnTheHostsThreadIsReportedAndNotNotedAgain) {
  class Failing : public MemorySource {
   public:
    using MemorySource::MemorySource;
    FoldAnswer Fold(const FoldRequest&) override { throw DataSourceError("failing: no such table"); }
  };
  Chart chart(600, 400);
  EventLog log(chart.p);
  SourceGraph(chart.p, false, 1);
  chart.p.UseDataSource(std::make_shared<Failing>("failing", WalkRows(100)));
  chart.p.DeferDataQueries(true);
  chart.p.Refresh();
  std::vector<std::function<void()>> questions = chart.p.TakeDataQueries();
  ASSERT_EQ(questions.size(), 1u);
  questions[0]();
  log.events.clear();
  chart.p.Refresh();
  EXPECT_EQ(std::count_if(log.events.begin(), log.events.end(),
                          [](const std::string& e) { return e.find("no such table") != std::string::npos; }),
            1);
  EXPECT_TRUE(chart.p.TakeDataQueries().empty()) << "a host redrawing after each answer would loop";
  chart.p.Wheel(4000, 2500, 120, 1);
  EXPECT_EQ(chart.p.TakeDataQueries().size(), 1u) << "a new view asks again";
}

TEST(SourceLine, PointsCannotJoinAFedDataSet) {
  Chart chart;
  EventLog log(chart.p);
  SourceGraph(chart.p, false, 1);
  chart.p.UseDataSource(std::make_shared<MemorySource>("m", Rows{{1, 2}, {3, 4}}));
  chart.p.AddDataPoint(5, 6);
  EXPECT_EQ(chart.state().Current().NumPoints(), 0);
  ASSERT_FALSE(log.events.empty());
  EXPECT_NE(log.events.back().find("Error 5 "), std::string::npos) << log.events.back();
}

}  // namespace
}  // namespace plotara::test
