// The data point nearest the pointer: which points count, and the search through the block index against
// a plain search over every point.
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "InteractFixture.h"

namespace plotara::test {
namespace {

class NearestPointTest : public InteractTest {
 protected:
  // Where a point of data set `data` of graph 0 lies on the page.
  std::pair<float, float> At(int16_t data, size_t i) {
    const ItemView item = chart.item(data);
    return {item.PosX(item.Points[i].X), item.PosY(item.Points[i].Y)};
  }
  // Every point of every data set, measured one by one: the index of the nearest drawn point in the
  // plot area within maxDistance, as (data set, point), or (-1, -1).
  std::pair<int, int> Plain(float x, float y, float maxDistance) {
    const GraphRecord& g = G(0);
    const Twips plot = Plot(0);
    double best = static_cast<double>(maxDistance) * maxDistance;
    std::pair<int, int> found{-1, -1};
    for (int16_t d = 0; d < g.NumDataSets(); ++d) {
      if (g.DataSets[static_cast<size_t>(d)].DataHide) continue;
      const ItemView item = chart.item(d);
      for (int32_t i = 0; i < item.Data.PointCount; ++i) {
        const Point& pt = item.Points[i];
        if (!std::isfinite(pt.X) || !std::isfinite(pt.Y)) continue;
        const double px = item.PosX(pt.X), py = item.PosY(pt.Y);
        if (px < plot.L || px > plot.R || py < plot.T || py > plot.B) continue;
        const double d2 = (px - x) * (px - x) + (py - y) * (py - y);
        if (d2 < best || (d2 == best && found.first < 0)) best = d2, found = {d, i};
      }
    }
    return found;
  }
  // Positions all over the plot, and as many close to points first..last of data set 0: the index finds
  // what the plain search finds.
  void ExpectTheSameAsThePlainSearch(float maxDistance, int positions, size_t first, size_t last) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> across(0, 1), near(-maxDistance, maxDistance);
    std::uniform_int_distribution<size_t> anyPoint(first, last);
    const Twips plot = Plot(0);
    int found = 0;
    for (int k = 0; k < positions; ++k) {
      double x = plot.L + (plot.R - plot.L) * across(random), y = plot.T + (plot.B - plot.T) * across(random);
      if (k % 2) {
        const auto [px, py] = At(0, anyPoint(random));
        x = std::clamp(px + near(random), plot.L, plot.R);
        y = std::clamp(py + near(random), plot.T, plot.B);
      }
      const PointHit hit = p.NearestPoint(static_cast<float>(x), static_cast<float>(y), maxDistance);
      const std::pair<int, int> expected = Plain(static_cast<float>(x), static_cast<float>(y), maxDistance);
      ASSERT_EQ(hit.Found, expected.first >= 0) << x << ", " << y;
      if (!hit.Found) continue;
      ++found;
      EXPECT_EQ((std::pair<int, int>(hit.DataSet, hit.Point)), expected) << x << ", " << y;
    }
    EXPECT_GT(found, positions / 4) << "the positions find points";
  }
};

TEST_F(NearestPointTest, FindsTheDrawnPointNearestWithinTheDistance) {
  p.NewGraph("G", 0, 10, 0, 10);
  p.NewDataSet("first");
  p.AddDataPoint(2, 2);
  p.AddDataPoint(5, 5);
  p.NewDataSet("second");
  p.AddDataPoint(5.2f, 5);
  p.AddDataPoint(8, 8);
  p.Refresh();
  const auto [x5, y5] = At(0, 1);
  const auto [x52, y52] = At(1, 0);
  struct Row {
    float x, y, within;
    int data, point;
  };
  const Row rows[] = {
      {x5 - 10, y5, 200, 0, 1},                   // nearer to (5, 5) than to (5.2, 5)
      {x52 + 10, y52 - 10, 200, 1, 0},            // the other data set
      {(x5 + x52) / 2, y5, 200, 0, 1},            // halfway: the earlier
      {x5, y5 + 150, 100, -1, -1},                // too far
      {x5, y5 + 150, 151, 0, 1},                  // just near enough
      {At(0, 0).first, At(0, 0).second, 0, 0, 0}  // right on it
  };
  for (const Row& r : rows) {
    const PointHit hit = p.NearestPoint(r.x, r.y, r.within);
    EXPECT_EQ(hit.Found, r.data >= 0) << r.x << ", " << r.y;
    if (!hit.Found) continue;
    EXPECT_EQ(hit.DataSet, r.data);
    EXPECT_EQ(hit.Point, r.point);
  }
  const PointHit hit = p.NearestPoint(x52, y52 - 30, 100);
  EXPECT_EQ(hit.DataSetName, "second");
  EXPECT_FLOAT_EQ(static_cast<float>(hit.X), 5.2f);
  EXPECT_EQ(hit.Y, 5);
  EXPECT_NEAR(hit.Distance, 30, 0.01);
  // A hidden data set, a view that leaves the point out, a position beside the plot: nothing.
  p.SetSelectedData(1);
  p.DataHide(true);
  EXPECT_EQ(p.NearestPoint(x52, y52, 200).DataSet, 0) << "the hidden one is passed over";
  EXPECT_FALSE(p.NearestPoint(Plot(0).L - 200, y5, 1e6).Found);
  p.Wheel(At(0, 0).first, At(0, 0).second, 40 * kWheelNotch);
  EXPECT_EQ(p.NearestPoint(static_cast<float>(Plot(0).R), static_cast<float>(Plot(0).T), 1e6).Point, 0)
      << "only (2, 2) lies in the view";
}

TEST_F(NearestPointTest, TheIndexOfSortedDataFindsWhatAPlainSearchFinds) {
  p.NewGraph("G");
  p.NewDataSet("noise");
  std::mt19937 random(1);
  std::normal_distribution<double> noise(0, 1);
  // More than one block of the top level, and a tail in blocks of every level below it.
  const int n = (1 << 21) + (1 << 17) + 1000 + 5;
  for (int i = 0; i < n; ++i) p.AddDataPoint(i, std::sin(i * 1e-5) * 3 + noise(random));
  p.Refresh();
  ASSERT_TRUE(G(0).DataSets[0].Index.NonDecreasing());
  ExpectTheSameAsThePlainSearch(60, 40, 0, n - 1);
  p.Wheel(static_cast<float>(Plot(0).CX()), static_cast<float>(Plot(0).CY()), 30 * kWheelNotch, 1);
  // X is the point's place: the points in view are those between the limits.
  const AxisRecord& x = Axis(0, 0);
  ExpectTheSameAsThePlainSearch(60, 40, static_cast<size_t>(std::ceil(x.AxisValue1)),
                                static_cast<size_t>(std::floor(x.AxisValue2)));
}

// Points out of order, not finite, or not positive on a logarithmic axis: the blocks bound only the
// points they can, and the search still finds every drawn point.
TEST_F(NearestPointTest, DataOutOfOrderAndPointsThatCannotBeDrawnAreSearchedRightly) {
  p.NewGraph("G", 0.1, 1000, 0.1, 1000);
  p.AxisStyle(-1, -1, true);
  p.NewDataSet("scattered");
  p.SymbolStyle(3);
  std::mt19937 random(3);
  std::uniform_real_distribution<double> spread(-50, 1100);
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  for (int i = 0; i < 20000; ++i) {
    const int kind = i % 97;
    const double x = kind == 0 ? nan : kind == 1 ? inf : spread(random);
    p.AddDataPoint(i % 64 < 32 ? i * 0.05 : x, kind == 2 ? -inf : spread(random));
  }
  p.Refresh();
  ASSERT_FALSE(G(0).DataSets[0].Index.NonDecreasing());
  ExpectTheSameAsThePlainSearch(150, 400, 0, 19999);
}

}  // namespace
}  // namespace plotara::test
