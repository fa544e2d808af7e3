// Time axes keep instants to the millisecond although points are single-precision floats: each time
// axis counts what it holds from an origin in double precision, and the host's values are converted
// where they enter and leave.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "control/Internals.h"
#include "plotara/Plotara.h"
#include "support/Errors.h"

namespace plotara {
namespace {

using std::chrono::milliseconds;
using std::chrono::sys_days;

const GraphRecord& Graph(Plotara& p) {
  return Internals(p).State.Current();
}

// 2026-03-29 00:59:59.000 UTC, a minute before Europe's clocks go forward.
constexpr double kStart = 1774745999.0;

// The largest difference between the instants added and those the points on axis 0 stand for.
double LargestError(Plotara& p, const std::vector<double>& added) {
  const GraphRecord& g = Graph(p);
  double largest = 0;
  for (size_t i = 0; i < added.size(); ++i)
    largest = std::max(largest, std::fabs(g.Points[i].X + g.Axes[0].TimeOrigin - added[i]));
  return largest;
}

void MakeTimeChart(Plotara& p) {
  p.NewGraph("samples");
  p.AxisTime(true);
  p.NewDataSet("ms");
}

// The precision a series keeps: within half a millisecond over four hours of samples, each a second
// and some milliseconds apart; a plain axis would keep them only to a couple of minutes.
TEST(TimeOrigin, MillisecondSamplesIn2026KeepTheirMilliseconds) {
  const struct {
    const char* name;
    int count;
    double every;  // seconds between samples
    double within;
  } rows[] = {
      {"ten seconds of milliseconds", 10000, 0.001, 1e-6},
      {"four hours, every 1.001 s", 14000, 1.001, 0.0005},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    Plotara p;
    MakeTimeChart(p);
    std::vector<double> added;
    for (int i = 0; i < r.count; ++i) {
      added.push_back(kStart + i * r.every);
      p.AddDataPoint(added.back(), i % 7);
    }
    EXPECT_EQ(Graph(p).Axes[0].TimeOrigin, kStart);
    EXPECT_LT(LargestError(p, added), r.within);
    // Each sample still lies after the one before it.
    for (int i = 1; i < r.count; ++i) ASSERT_LT(Graph(p).Points[i - 1].X, Graph(p).Points[i].X) << i;
    // The full range reads back as instants.
    EXPECT_NEAR(p.AxisValue1(), kStart, 1e-6);
    EXPECT_NEAR(p.AxisValue2(), added.back(), 1e-6);
  }
  // The same instants on a plain axis: floats near 1.77e9 are 128 seconds apart.
  Plotara plain;
  plain.NewGraph("plain");
  plain.NewDataSet("ms");
  plain.AddDataPoint(kStart + 0.001, 0);
  EXPECT_GT(std::fabs(Graph(plain).Points[0].X - (kStart + 0.001)), 1);
}

TEST(TimeOrigin, SysTimePointsAreInstants) {
  Plotara p;
  MakeTimeChart(p);
  const auto t = sys_days{std::chrono::year{2026} / 3 / 29} + std::chrono::hours(1) + milliseconds(250);
  p.AddDataPoint(t, 1);
  p.AddDataPoint(t + milliseconds(1), 2);
  EXPECT_EQ(TimeValue(t), 1774746000.25);
  EXPECT_EQ(Graph(p).Axes[0].TimeOrigin, 1774746000);
  EXPECT_NEAR(Graph(p).Points[1].X - Graph(p).Points[0].X, 0.001, 1e-7);
  // Nanoseconds far from 1970 keep their microseconds.
  const auto late =
      std::chrono::sys_time<std::chrono::nanoseconds>(std::chrono::nanoseconds(4102444800123456789));
  EXPECT_NEAR(TimeValue(late), 4102444800.123457, 1e-6);
}

// Limits, points and texts given before the axis becomes a time axis move to its new origin; a plain
// axis again counts from 0, so what it draws is what it drew before.
TEST(TimeOrigin, SwitchingMovesTheOriginAndBack) {
  Plotara p;
  p.NewGraph("switch", 1.7e9, 1.7e9 + 3600, 0, 10);
  p.NewDataSet("d");
  p.AddDataPoint(1.7e9 + 1800, 5);
  const float before = Graph(p).Points[0].X;
  p.AxisTime(true);
  const GraphRecord& g = Graph(p);
  EXPECT_EQ(g.Axes[0].TimeOrigin, 1.7e9);
  EXPECT_EQ(g.Axes[0].AxisValue1, 0);
  EXPECT_EQ(g.Axes[0].AxisValue2, 3600);
  EXPECT_EQ(g.Points[0].X, 1792) << "the float of 1.7e9 + 1800 was already 8 s off";
  EXPECT_EQ(p.AxisValue2(), 1.7e9 + 3600);
  p.AxisValue2(1.7e9 + 7200.5);
  EXPECT_EQ(g.Axes[0].AxisValue2, 7200.5);
  EXPECT_EQ(p.AxisViewValue2(), 1.7e9 + 7200.5) << "the view's limits are instants too";
  p.AxisTime(false);
  EXPECT_EQ(g.Axes[0].TimeOrigin, 0);
  EXPECT_EQ(g.Points[0].X, before);
  EXPECT_EQ(p.AxisValue2(), 1.7e9 + 7200.5);
}

// The origin comes from the first value that reaches a waiting time axis, whichever data set brings it;
// a second time axis has its own.
TEST(TimeOrigin, EachTimeAxisTakesItsOriginFromItsFirstValue) {
  Plotara p;
  p.NewGraph("two");
  p.AxisTime(true);
  p.NewXAxis("later");  // the current X axis for new data sets; the Axis properties need selecting it
  p.SetSelectedAxis(2);
  p.AxisTime(true);
  p.NewDataSet("on the second axis");
  p.AddDataPoint(2e9 + 0.75, 1);
  const GraphRecord& g = Graph(p);
  EXPECT_TRUE(g.Axes[0].TimeOriginPending);
  EXPECT_EQ(g.Axes[2].TimeOrigin, 2e9);
  EXPECT_EQ(g.Points[0].X, 0.75f);
  p.SelectXaxis(1);
  p.NewDataSet("on the first");
  p.AddDataPoint(1.5e9, 2);
  EXPECT_EQ(g.Axes[0].TimeOrigin, 1.5e9);
  EXPECT_EQ(g.Points[1].X, 0);
  // A value that is not a number sets no origin.
  p.NewXAxis("third");
  p.SetSelectedAxis(3);
  p.AxisTime(true);
  p.NewDataSet("nan");
  p.AddDataPoint(std::nan(""), 1);
  EXPECT_TRUE(g.Axes[3].TimeOriginPending);
}

// The point nearest the pointer is reported with its instant.
TEST(TimeOrigin, TheNearestPointIsAnInstant) {
  Plotara p;
  p.ResizePicture(400, 300);
  MakeTimeChart(p);
  for (int i = 0; i < 5; ++i) p.AddDataPoint(kStart + i * 0.25, i);
  p.Refresh();
  const GraphRecord& g = Graph(p);
  const float x = static_cast<float>(g.RectLeft + g.BorderLeft + g.Axes[0].AxisLength / 2.0);
  const float y = static_cast<float>(g.RectTop + g.BorderTop + g.Axes[1].AxisLength / 2.0);
  const PointHit hit = p.NearestPoint(x, y, 1e6f);
  ASSERT_TRUE(hit.Found);
  EXPECT_EQ(hit.Point, 2);
  EXPECT_EQ(hit.X, kStart + 0.5);
}

TEST(TimeOrigin, TimeZonesMustBeKnown) {
  Plotara p;
  p.NewGraph("zones");
  p.AxisTimeZone("America/New_York");
  EXPECT_EQ(p.AxisTimeZone(), "America/New_York");
  EXPECT_EQ(test::ErrorNumberOf([&] { p.AxisTimeZone("Europe/Atlantis"); }), 380);
  EXPECT_EQ(p.AxisTimeZone(), "America/New_York");
  p.AxisTimeZone("");
  EXPECT_EQ(p.AxisTimeZone(), "UTC");
}

}  // namespace
}  // namespace plotara
