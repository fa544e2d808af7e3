#include <cmath>

#include "InteractFixture.h"
#include "control/Internals.h"
#include "interact/ScrollBars.h"
#include "support/Pixels.h"

namespace plotara::test {
namespace {

class ZoomScroll : public InteractTest {
 protected:
  // A drawn graph with fixed axes 0..100 and a second X axis 0..1000 (axis 2).
  void SetUp() override {
    Graph("G");
    p.NewXAxis("second", 0, 1000);
    p.Refresh();
  }
  // The page position of a value on the first X or Y axis, through the plot as drawn.
  double XAt(double v) { return Plot(0).L + (Plot(0).R - Plot(0).L) * v / 100; }
  double YAt(double v) { return Plot(0).B - (Plot(0).B - Plot(0).T) * v / 100; }
  void ExpectLimits(int axis, double lo, double hi, double tolerance = 0.05) {
    EXPECT_NEAR(Axis(0, axis).AxisValue1, lo, tolerance) << "axis " << axis;
    EXPECT_NEAR(Axis(0, axis).AxisValue2, hi, tolerance) << "axis " << axis;
  }
};

TEST_F(ZoomScroll, ARectangleZoomsEveryAxisThroughItsOwnMapping) {
  Drag(XAt(20), YAt(70), XAt(60), YAt(30));
  ExpectLimits(0, 20, 60, 0.2);
  ExpectLimits(1, 30, 70, 0.2);
  ExpectLimits(2, 200, 600, 2);
  EXPECT_EQ(Axis(0, 0).ScaleMin, 0) << "the full range stays";
  EXPECT_TRUE(p.HScroll1().Visible);
  EXPECT_TRUE(p.VScroll1().Visible);
}

TEST_F(ZoomScroll, ARectangleOfNoWidthOrHeightDoesNothing) {
  Drag(XAt(20), YAt(30), XAt(20), YAt(70));
  Drag(XAt(20), YAt(30), XAt(60), YAt(30));
  ExpectLimits(0, 0, 100, 0);
  ExpectLimits(1, 0, 100, 0);
}

TEST_F(ZoomScroll, ARectangleBeyondThePlotStopsAtTheFullRange) {
  Drag(XAt(50), YAt(50), XAt(50) + 20000, YAt(50) - 20000);
  ExpectLimits(0, 50, 100, 0.2);
  ExpectLimits(1, 50, 100, 0.2);
}

TEST_F(ZoomScroll, AnAxisCannotZoomBelowTheLargestFactorWhileTheOthersDo) {
  c.State.MaxZoomFactor = 2;  // no view narrower than half the full range
  Drag(XAt(20), YAt(95), XAt(60), YAt(5));
  ExpectLimits(0, 0, 100, 0);
  ExpectLimits(2, 0, 1000, 0);
  ExpectLimits(1, 5, 95, 0.2);
}

TEST_F(ZoomScroll, ShiftClicksHalveAndDoubleAboutThePointer) {
  Down(1, 1, XAt(50), YAt(50));
  ExpectLimits(0, 25, 75);
  ExpectLimits(1, 25, 75);
  Down(2, 1, XAt(50), YAt(50));
  ExpectLimits(0, 0, 100);
  Down(2, 1, XAt(50), YAt(50));
  ExpectLimits(0, 0, 100);
  ExpectLimits(2, 0, 1000, 0.5);
}

TEST_F(ZoomScroll, ARightClickRestoresEveryAxis) {
  Drag(XAt(20), YAt(70), XAt(60), YAt(30));
  Down(2, 0, XAt(40), YAt(50));
  Up(2, 0, XAt(40), YAt(50));
  for (int i = 0; i < 3; ++i) ExpectLimits(i, Axis(0, i).ScaleMin, Axis(0, i).ScaleMax, 0);
  EXPECT_FALSE(p.HScroll1().Visible);
}

TEST_F(ZoomScroll, TheRubberBandDrawnTwiceGivesBackThePixels) {
  const PictureView before = p.Picture1();
  std::vector<uint32_t> pixels;
  for (int y = 0; y < before.Height; ++y)
    pixels.insert(pixels.end(), before.Pixels + y * before.StridePixels,
                  before.Pixels + y * before.StridePixels + before.Width);
  Surface& s = chart.picture();
  Down(1, 0, XAt(20), YAt(70));
  Move(1, 0, XAt(60), YAt(30));
  const int bandX = Chart::Px(XAt(40)), bandY = Chart::Px(YAt(70));
  EXPECT_NE(static_cast<uint32_t>(s.Pixel(bandX, bandY)), 0u) << "drawn";
  EXPECT_NE(p.Picture1().Pixels[bandY * before.StridePixels + bandX], pixels[bandY * before.Width + bandX]);
  Move(1, 0, XAt(20) + 1, YAt(70) + 1);  // a band of one pixel: the big one is gone
  int changed = 0;
  const PictureView after = p.Picture1();
  for (int y = 0; y < after.Height; ++y)
    for (int x = 0; x < after.Width; ++x)
      changed += after.Pixels[y * after.StridePixels + x] != pixels[y * after.Width + x];
  EXPECT_LE(changed, 4) << "only the tiny band differs";
}

TEST_F(ZoomScroll, TheReadOutShowsTheValuesUnderThePointer) {
  Move(0, 0, XAt(50), YAt(20));
  EXPECT_EQ(p.Label1().Caption, " 500, 20") << "through the current axes";
  Move(0, 0, (Rect(0).L + Plot(0).L) / 2, YAt(20));
  EXPECT_EQ(p.Label1().Caption, "") << "the border band has no read-out";
  p.GraphShowXY(false);
  Move(0, 0, XAt(50), YAt(20));
  EXPECT_EQ(p.Label1().Caption, "");
}

TEST_F(ZoomScroll, TheReadOutWritesAsManyDigitsAsTheAxesNeed) {
  p.NewGraph("R", 0, 3, 0, 100);
  p.Refresh();
  const GraphRecord& g = G(1);
  const double l = g.RectLeft + static_cast<double>(g.BorderLeft),
               t = g.RectTop + static_cast<double>(g.BorderTop);
  const double xl = AxisAt(g, g.CurrentXAxis).AxisLength, yl = AxisAt(g, g.CurrentYAxis).AxisLength;
  Move(0, 0, l + xl * 0.5, t + yl * 0.8);
  EXPECT_EQ(p.Label1().Caption, " 1.5, 20");
}

TEST_F(ZoomScroll, HidingTheReadOutGivesItsWidthToTheScrollBar) {
  p.SetShowXYcoords(false);
  EXPECT_FALSE(p.Label1().Visible);
  EXPECT_EQ(p.HScroll1().Left, 0);
  p.SetShowXYcoords(true);
  EXPECT_GT(p.HScroll1().Left, p.Label1().Width);
}

TEST_F(ZoomScroll, TheThumbsShowWhereTheViewLies) {
  struct Row {
    double lo, hi;
    int value, large, small;
  } rows[] = {{25, 75, 500, 500, 10}, {0, 10, 0, 111, 2}, {90, 100, 1000, 111, 2}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.lo);
    Axis(0, 1).AxisValue1 = r.lo;
    Axis(0, 1).AxisValue2 = r.hi;
    Axis(0, 2).AxisValue1 = 10 * r.lo;  // the current X axis
    Axis(0, 2).AxisValue2 = 10 * r.hi;
    c.State.ScrollBarsVisible = true;
    SetScrollBars(chart.state(), chart.notify());
    EXPECT_EQ(p.HScroll1().Value, r.value);
    EXPECT_EQ(p.VScroll1().Value, 1000 - r.value) << "the top of the bar is the top of the range";
    EXPECT_EQ(p.HScroll1().LargeChange, r.large);
    EXPECT_EQ(p.HScroll1().SmallChange, r.small);
  }
}

TEST_F(ZoomScroll, MovingAThumbPansTheViewKeepingItsSize) {
  Down(1, 1, XAt(50), YAt(50));  // 25..75 on every axis
  struct Row {
    int value;
    double lo;
  } rows[] = {{0, 0}, {1000, 50}, {500, 25}, {250, 12.5}};
  for (const Row& r : rows) {
    p.HScroll1_Change(r.value);
    ExpectLimits(0, r.lo, r.lo + 50);
    ExpectLimits(2, r.lo * 10, r.lo * 10 + 500, 0.5);
    p.VScroll1_Change(r.value);
    ExpectLimits(1, 50 - r.lo, 100 - r.lo);  // the vertical bar counts from the top
  }
  // A reversed axis pans the other way.
  Axis(0, 0).AxisReverse = true;
  p.HScroll1_Change(0);
  ExpectLimits(0, 50, 100);
  p.HScroll1_Scroll(1000);
  ExpectLimits(0, 0, 50);
}

TEST_F(ZoomScroll, ALogarithmicAxisPansAndZoomsInLogSpace) {
  p.SetSelectedAxis(0);
  p.AxisScaleStyle(1, 1000);
  p.AxisLog(true);
  p.Refresh();
  Axis(0, 0).AxisValue1 = 10;
  Axis(0, 0).AxisValue2 = 100;
  mouse.PointedGraph = 0;
  p.HScroll1_Change(500);
  ExpectLimits(0, std::pow(10, 1.0), std::pow(10, 2.0), 1e-6);
  // Halving and doubling keep a logarithmic axis positive: about the pointer's value in log space.
  const double middle = Plot(0).CX();
  Down(1, 1, middle, YAt(50));
  const double v = std::sqrt(10.0 * 100.0);
  ExpectLimits(0, v / std::pow(10, 0.25), v * std::pow(10, 0.25), 0.05);
  Down(2, 1, middle, YAt(50));
  Down(2, 1, middle, YAt(50));
  Down(2, 1, middle, YAt(50));
  EXPECT_GT(Axis(0, 0).AxisValue1, 0);
  ExpectLimits(0, 1, 1000, 1e-6);
}

TEST_F(ZoomScroll, LimitsGivenHighToLowKeepTheirOrderWhenZoomed) {
  p.NewGraph("R", 100, 0, 0, 100);
  p.Refresh();
  const GraphRecord& g = G(1);
  const double l = g.RectLeft + static_cast<double>(g.BorderLeft),
               t = g.RectTop + static_cast<double>(g.BorderTop);
  const double xl = AxisAt(g, g.CurrentXAxis).AxisLength, yl = AxisAt(g, g.CurrentYAxis).AxisLength;
  Drag(l + xl * 0.2, t + yl * 0.3, l + xl * 0.6, t + yl * 0.7);
  const AxisRecord& x = AxisAt(G(1), 0);
  EXPECT_NEAR(x.AxisValue1, 80, 0.3);
  EXPECT_NEAR(x.AxisValue2, 40, 0.3);
}

TEST_F(ZoomScroll, WithoutZoomTheBarsStayHidden) {
  p.GraphAllowZoom(false);
  Axis(0, 0).AxisValue1 = 25;
  c.State.ScrollBarsVisible = true;
  SetScrollBars(chart.state(), chart.notify());
  EXPECT_FALSE(p.HScroll1().Visible);
  EXPECT_FALSE(p.VScroll1().Visible);
}

}  // namespace
}  // namespace plotara::test

namespace plotara::test {
namespace {

TEST_F(ZoomScroll, AFullRangeOfNothingShowsTheWholeBar) {
  Axis(0, 1).ScaleMin = Axis(0, 1).ScaleMax = Axis(0, 1).AxisValue1 = 10;
  Axis(0, 1).AxisValue2 = 10;
  Axis(0, 2).AxisValue1 = 250;  // the X view is zoomed, so the bars are worked out
  c.State.ScrollBarsVisible = true;
  log.Take();
  SetScrollBars(chart.state(), chart.notify());
  EXPECT_TRUE(log.events.empty());
  EXPECT_EQ(p.VScroll1().LargeChange, p.VScroll1().Max);
  EXPECT_TRUE(p.VScroll1().Visible);
}

}  // namespace
}  // namespace plotara::test
