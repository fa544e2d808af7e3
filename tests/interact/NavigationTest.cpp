// The wheel, a pinch, a two-finger pan and the keys: they change a graph's view within the limits of a
// rubber band zoom, and the host hears of every change of a view.
#include <cmath>

#include "InteractFixture.h"

namespace plotara::test {
namespace {

class Navigation : public InteractTest {
 protected:
  // A drawn graph with fixed axes 0..100 and a second X axis 0..1000 (axis 2); every ViewChanged noted.
  void SetUp() override {
    Graph("G");
    p.NewXAxis("second", 0, 1000);
    p.Refresh();
    p.Events().ViewChanged = [this](int16_t graph) { views.push_back(graph); };
  }
  // The page position of a value of the first X (Y) axis as the axes show it now, through the plot.
  double XAt(double v) { return Plot(0).L + (Plot(0).R - Plot(0).L) * (v - Lo(0)) / (Hi(0) - Lo(0)); }
  double YAt(double v) { return Plot(0).B - (Plot(0).B - Plot(0).T) * (v - Lo(1)) / (Hi(1) - Lo(1)); }
  double ValueAt(int axis, double pos) {
    const float f = static_cast<float>(pos);
    return Axis(0, axis).XY == kXAxis ? GetXCoord(c.State, c.Notify, 0, static_cast<int16_t>(axis), f)
                                      : GetYCoord(c.State, c.Notify, 0, static_cast<int16_t>(axis), f);
  }
  double Lo(int axis) { return Axis(0, axis).AxisValue1; }
  double Hi(int axis) { return Axis(0, axis).AxisValue2; }
  double Span(int axis) { return Hi(axis) - Lo(axis); }
  bool Wheel(double x, double y, int delta, int shift = 0) {
    return p.Wheel(static_cast<float>(x), static_cast<float>(y), delta, static_cast<int16_t>(shift));
  }
  void UnZoom() {
    RightClick();
    views.clear();
  }
  void RightClick() {
    Down(2, 0, Plot(0).CX(), Plot(0).CY());
    Up(2, 0, Plot(0).CX(), Plot(0).CY());
  }
  bool Full(int axis) { return Lo(axis) == Axis(0, axis).ScaleMin && Hi(axis) == Axis(0, axis).ScaleMax; }
  std::vector<int16_t> views;
};

TEST_F(Navigation, TheWheelZoomsAboutThePointerByAFixedFactorANotch) {
  const double x = XAt(20), y = YAt(60);
  ASSERT_TRUE(Wheel(x, y, kWheelNotch));
  EXPECT_NEAR(Span(0), 100 / kWheelNotchFactor, 1e-6);
  EXPECT_NEAR(Span(1), 100 / kWheelNotchFactor, 1e-6);
  EXPECT_NEAR(Span(2), 1000 / kWheelNotchFactor, 1e-4) << "every X axis, through its own mapping";
  // The value under the pointer stays there, on every axis.
  EXPECT_NEAR(ValueAt(0, x), 20, 0.05);
  EXPECT_NEAR(ValueAt(1, y), 60, 0.05);
  EXPECT_NEAR(ValueAt(2, x), 200, 0.5);
  EXPECT_TRUE(p.HScroll1().Visible) << "the bars show, as after a rubber band";
  EXPECT_FALSE(p.Label1().Caption.empty()) << "the read-out shows the pointer's values";
  // Four notches halve the view.
  ASSERT_TRUE(Wheel(x, y, 4 * kWheelNotch));
  EXPECT_NEAR(Span(0), 50 / kWheelNotchFactor, 1e-6);
  EXPECT_EQ(views, (std::vector<int16_t>{0, 0}));
}

TEST_F(Navigation, TurnedBackTheWheelStopsAtTheFullRangeWithItsOwnValues) {
  ASSERT_TRUE(Wheel(XAt(10), YAt(90), 8 * kWheelNotch));
  const double right = Plot(0).R - 15, bottom = Plot(0).B - 15;
  ASSERT_TRUE(Wheel(right, bottom, -3 * kWheelNotch));
  EXPECT_EQ(Lo(0), 0) << "a view that would leave the full range is moved back into it";
  EXPECT_EQ(Hi(1), 100);
  ASSERT_TRUE(Wheel(right, bottom, -40 * kWheelNotch));
  for (int axis : {0, 1, 2}) EXPECT_TRUE(Full(axis)) << axis;
  EXPECT_FALSE(p.HScroll1().Visible);
  views.clear();
  ASSERT_TRUE(Wheel(XAt(50), YAt(50), -kWheelNotch));
  EXPECT_TRUE(views.empty()) << "nothing changed, nothing reported";
}

TEST_F(Navigation, PartsOfANotchFromAHighResolutionWheelAddUpToIt) {
  const double x = XAt(30), y = YAt(70);
  for (int i = 0; i < 8; ++i) ASSERT_TRUE(Wheel(x, y, 15));
  const double lo = Lo(0), hi = Hi(0);
  UnZoom();
  ASSERT_TRUE(Wheel(x, y, kWheelNotch));
  EXPECT_NEAR(Lo(0), lo, 1e-9);
  EXPECT_NEAR(Hi(0), hi, 1e-9);
}

TEST_F(Navigation, WithShiftTheWheelZoomsOnlyTheXAxesAndWithCtrlOnlyTheYAxes) {
  struct Row {
    int shift;
    bool x, y;
  };
  for (const Row& r : {Row{1, true, false}, Row{2, false, true}, Row{0, true, true}, Row{3, true, true},
                       Row{4, true, true}}) {
    SCOPED_TRACE(r.shift);
    UnZoom();
    ASSERT_TRUE(Wheel(XAt(50), YAt(50), kWheelNotch, r.shift));
    EXPECT_EQ(Span(0) < 100, r.x);
    EXPECT_EQ(Span(2) < 1000, r.x);
    EXPECT_EQ(Span(1) < 100, r.y);
  }
}

TEST_F(Navigation, NoZoomGoesBelowTheSpanTheLargestFactorAllows) {
  c.State.MaxZoomFactor = 4;
  for (int i = 0; i < 20; ++i) Wheel(XAt(33), YAt(33), kWheelNotch);
  EXPECT_NEAR(Span(0), 25, 1e-9);
  EXPECT_NEAR(Span(2), 250, 1e-9);
  EXPECT_TRUE(p.Pinch(static_cast<float>(Plot(0).CX()), static_cast<float>(Plot(0).CY()), 10));
  EXPECT_NEAR(Span(1), 25, 1e-9);
}

// Whatever the axis (reversed, logarithmic, limits given high to low), the value under the pointer
// stays under it; a logarithmic axis zooms in log space, so a zoom by 2 about a decade's middle keeps it
// there.
TEST_F(Navigation, TheValueUnderThePointerStaysOnEveryKindOfAxis) {
  struct Row {
    const char* name;
    double v1, v2;
    bool log, reverse;
  };
  for (const Row& r : {Row{"plain", 0, 100, false, false}, Row{"reversed", 0, 100, false, true},
                       Row{"high to low", 100, 0, false, false}, Row{"log", 1, 10000, true, false},
                       Row{"log reversed", 1, 10000, true, true}}) {
    SCOPED_TRACE(r.name);
    Chart other;
    Plotara& q = other.p;
    q.NewGraph("G", r.v1, r.v2, r.v1, r.v2);
    for (int16_t axis : {int16_t{0}, int16_t{1}}) {
      q.SetSelectedAxis(axis);
      q.AxisStyle(-1, -1, r.log, r.reverse);
    }
    q.Refresh();
    ControlState& s = other.c().State;
    const GraphRecord& g = s.Graphs[0];
    const double x = g.RectLeft + g.BorderLeft + g.Axes[0].AxisLength * 0.3,
                 y = g.RectTop + g.BorderTop + g.Axes[1].AxisLength * 0.6;
    const double vx = GetXCoord(s, other.notify(), 0, static_cast<float>(x)),
                 vy = GetYCoord(s, other.notify(), 0, static_cast<float>(y));
    ASSERT_TRUE(q.Wheel(static_cast<float>(x), static_cast<float>(y), 4 * kWheelNotch));
    EXPECT_NEAR(GetXCoord(s, other.notify(), 0, static_cast<float>(x)) / vx, 1, 1e-4);
    EXPECT_NEAR(GetYCoord(s, other.notify(), 0, static_cast<float>(y)) / vy, 1, 1e-4);
    const double ratio = r.log ? std::log(g.Axes[0].AxisValue2 / g.Axes[0].AxisValue1) / std::log(r.v2 / r.v1)
                               : (g.Axes[0].AxisValue2 - g.Axes[0].AxisValue1) / (r.v2 - r.v1);
    EXPECT_NEAR(ratio, 0.5, 1e-9) << "half the view, in the axis's own scale";
  }
}

TEST_F(Navigation, OnlyAPlotAreaThatAllowsZoomTakesTheWheel) {
  const Twips plot = Plot(0);
  EXPECT_FALSE(Wheel(plot.L - 300, plot.CY(), kWheelNotch)) << "the border band";
  EXPECT_FALSE(Wheel(plot.R + 50, plot.CY(), kWheelNotch)) << "right of the plot area";
  p.WheelZoom(false);
  EXPECT_FALSE(Wheel(plot.CX(), plot.CY(), kWheelNotch)) << "switched off";
  p.WheelZoom(true);
  p.GraphAllowZoom(false);
  EXPECT_FALSE(Wheel(plot.CX(), plot.CY(), kWheelNotch));
  EXPECT_FALSE(p.Pinch(static_cast<float>(plot.CX()), static_cast<float>(plot.CY()), 2));
  EXPECT_FALSE(p.Pan(static_cast<float>(plot.CX()), static_cast<float>(plot.CY()), 100, 0));
  EXPECT_FALSE(p.KeyDown(key::Add, 0));
  EXPECT_TRUE(Full(0) && Full(1));
  EXPECT_TRUE(views.empty());
}

TEST_F(Navigation, TheGraphInFrontTakesTheWheelAndBecomesCurrent) {
  Graph("front", 40, 40, 60, 60);
  p.Refresh();
  const Twips back = Plot(0), front = Plot(1);
  ASSERT_TRUE(Wheel(front.CX(), front.CY(), kWheelNotch));
  EXPECT_LT(Axis(1, 0).AxisValue2 - Axis(1, 0).AxisValue1, 100);
  EXPECT_TRUE(Full(0));
  ASSERT_TRUE(Wheel(back.L + 300, back.T + 300, kWheelNotch));
  EXPECT_EQ(p.GraphIndex(), 0);
  EXPECT_EQ(views, (std::vector<int16_t>{1, 0}));
}

TEST_F(Navigation, APinchZoomsAboutTheFingers) {
  const double x = XAt(80), y = YAt(20);
  ASSERT_TRUE(p.Pinch(static_cast<float>(x), static_cast<float>(y), 2));
  EXPECT_NEAR(Span(0), 50, 1e-6);
  EXPECT_NEAR(ValueAt(0, x), 80, 0.05);
  ASSERT_TRUE(p.Pinch(static_cast<float>(x), static_cast<float>(y), 0.5));
  EXPECT_TRUE(Full(0) && Full(1));
  p.PinchZoom(false);
  EXPECT_FALSE(p.Pinch(static_cast<float>(x), static_cast<float>(y), 2));
  EXPECT_EQ(views.size(), 2u);
}

TEST_F(Navigation, ATwoFingerPanMovesTheContentWithTheFingersWithinTheFullRange) {
  p.Pinch(static_cast<float>(XAt(50)), static_cast<float>(YAt(50)), 4);  // 37.5 .. 62.5 on both
  const float qx = static_cast<float>((Plot(0).R - Plot(0).L) / 4),
              qy = static_cast<float>((Plot(0).B - Plot(0).T) / 4);
  const float cx = static_cast<float>(Plot(0).CX()), cy = static_cast<float>(Plot(0).CY());
  struct Row {
    float dx, dy;
    double x0, y0;  // the lower limits of the first X and Y axis after the pan
  };
  // A quarter of the plot is a quarter of the view: content moved right shows lower X values, moved
  // down higher Y values; moved far, the view stops at the edge of the full range.
  for (const Row& r : {Row{qx, 0, 31.25, 37.5}, Row{0, qy, 31.25, 43.75}, Row{-8 * qx, 0, 75, 43.75}}) {
    ASSERT_TRUE(p.Pan(cx, cy, r.dx, r.dy));
    EXPECT_NEAR(Lo(0), r.x0, 1e-3);
    EXPECT_NEAR(Lo(1), r.y0, 1e-3);
    EXPECT_NEAR(Span(0), 25, 1e-6) << "a pan keeps the span";
  }
  EXPECT_NEAR(Lo(2), 750, 1e-2) << "every X axis";
  p.TouchPan(false);
  EXPECT_FALSE(p.Pan(cx, cy, 100, 100));
}

TEST_F(Navigation, KeysPanByTheBarsStepsZoomAboutTheMiddleAndRestore) {
  struct FakeClipboard : ClipboardService {
    int pictures = 0;
    bool Clear() override { return true; }
    bool PutPicture(const PictureView&) override { return ++pictures; }
  } clipboard;
  p.SetClipboard(&clipboard);
  ASSERT_TRUE(p.KeyDown(key::Add, 0));
  EXPECT_NEAR(Lo(0), 25, 1e-4);
  EXPECT_NEAR(Hi(1), 75, 1e-4);
  // After each key: the lower limit of the first X and Y axis. The bars of a view of half the range
  // step by 10 of 1000 (small) and 500 (large), so by 0.5 and 25 in values.
  struct Row {
    int16_t key, shift;
    double x0, y0;
  };
  const Row rows[] = {{key::Right, 0, 25.5, 25}, {key::Left, 0, 25, 25},   {key::Up, 0, 25, 25.5},
                      {key::Down, 0, 25, 25},    {key::PageUp, 0, 25, 50}, {key::PageDown, 0, 25, 25},
                      {key::Subtract, 0, 0, 0},  {key::Add, 1, 25, 25},    {key::Home, 0, 0, 0},
                      {key::Add, 0, 25, 25},     {key::Escape, 0, 0, 0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.key);
    EXPECT_TRUE(p.KeyDown(r.key, r.shift));
    EXPECT_NEAR(Lo(0), r.x0, 1e-4);
    EXPECT_NEAR(Lo(1), r.y0, 1e-4);
  }
  EXPECT_TRUE(Full(0) && Full(1));
  EXPECT_EQ(views.size(), 12u) << "each key changed the view";
  EXPECT_TRUE(p.KeyDown(key::C, 2));
  EXPECT_EQ(clipboard.pictures, 1);
  for (auto [k, shift] : {std::pair{key::Left, 2}, {key::Add, 4}, {int16_t{65}, 0}, {key::C, 0}})
    EXPECT_FALSE(p.KeyDown(k, static_cast<int16_t>(shift))) << k << " " << shift;
  p.KeyNavigation(false);
  EXPECT_FALSE(p.KeyDown(key::Add, 0));
  EXPECT_FALSE(p.KeyDown(key::C, 2));
}

// The gestures of the mouse and the bars tell the host of the view they change as well.
TEST_F(Navigation, EveryGestureThatChangesAViewReportsItOnce) {
  Drag(XAt(20), YAt(70), XAt(60), YAt(30));
  EXPECT_EQ(views.size(), 1u) << "a rubber band";
  Down(1, 1, XAt(50), YAt(50));
  EXPECT_EQ(views.size(), 2u) << "Shift+click";
  p.HScroll1_Change(0);
  EXPECT_EQ(views.size(), 3u) << "a scroll bar";
  RightClick();
  EXPECT_EQ(views.size(), 4u) << "an unzoom";
  RightClick();
  EXPECT_EQ(views.size(), 4u) << "a second unzoom changes nothing";
  p.SuppressRaisingEvents(true);
  Wheel(XAt(50), YAt(50), kWheelNotch);
  EXPECT_EQ(views.size(), 4u) << "suppressed";
  EXPECT_EQ(views, (std::vector<int16_t>(4, 0)));
}

}  // namespace
}  // namespace plotara::test
