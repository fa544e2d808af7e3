#include "render/Axes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "render/Fills.h"
#include "support/Chart.h"
#include "support/Events.h"
#include "support/Pixels.h"

namespace plotara {
namespace {

using test::Chart;
using test::CountColor;
using test::kWhite;
using test::PlainGraph;

constexpr OleColor kRed = 0x000000FF;

// The rows (pixel y) in a column where the picture has the colour.
std::vector<int> RowsWith(Surface& s, int x, OleColor colour) {
  std::vector<int> rows;
  for (int y = 0; y < s.PixelHeight(); ++y)
    if (s.Pixel(x, y) == colour) rows.push_back(y);
  return rows;
}

TEST(Axes, ASecondXAxisLiesBelowTheFirstByItsLabelsAndTitle) {
  for (bool title : {true, false}) {
    Chart k;
    PlainGraph(k.p);
    k.p.AxisTitleStyle("", "", -1, 0, title);  // title shift 0
    k.p.BorderWidths(-1, -1, -1, 40);
    k.p.NewXAxis("second", 0, 1);
    k.p.SetSelectedAxis(2);
    k.p.AxisColor(kRed);
    k.p.AxisTicksBothEnds(false);
    k.p.Refresh();
    const Chart::Box b = k.Plot();
    const float h = k.c().Picture1->TextHeight("A");  // Arial 9, labels and titles alike
    const float below = h + h + (title ? h : 0);
    const std::vector<int> rows = RowsWith(k.picture(), b.L + 3, kRed);
    ASSERT_FALSE(rows.empty());
    const GraphRecord& g = k.c().State.Current();
    EXPECT_EQ(rows.front(), Chart::Px(g.RectTop + g.BorderTop + g.Axes[1].AxisLength + below))
        << "title " << title;
  }
}

TEST(Axes, AHiddenAxisTakesNoSpace) {
  std::vector<int> rowsWith, rowsWithout;
  for (bool hiddenAxis : {true, false}) {
    Chart k;
    PlainGraph(k.p);
    k.p.BorderWidths(-1, -1, -1, 40);
    if (hiddenAxis) {
      k.p.NewXAxis("hidden", 0, 1);
      k.p.SetSelectedAxis(2);
      k.p.AxisHide(true);
    }
    k.p.NewXAxis("red", 0, 1);
    k.p.SetSelectedAxis(k.c().State.Current().NumAxes() - 1);
    k.p.AxisColor(kRed);
    k.p.AxisTicksBothEnds(false);
    k.p.Refresh();
    (hiddenAxis ? rowsWith : rowsWithout) = RowsWith(k.picture(), k.Plot().L + 3, kRed);
  }
  ASSERT_FALSE(rowsWith.empty());
  EXPECT_EQ(rowsWith, rowsWithout);
}

TEST(Axes, AutomaticAxesTakeRoundLimitsOnceAndSaySo) {
  Chart k;
  k.p.NewGraph("G");
  k.p.NewDataSet("d");
  k.p.AddDataPoint(0, 0);
  k.p.AddDataPoint(7.3, 12.2);
  test::EventLog log(k.p);
  k.p.Refresh();
  EXPECT_EQ(log.Count("GraphScaleChanged"), 2u);
  EXPECT_EQ(k.p.AxisValue2(), 8);
  k.p.SetSelectedAxis(1);
  EXPECT_EQ(k.p.AxisValue2(), 20);
  log.Take();
  k.p.Refresh();
  EXPECT_EQ(log.Count("GraphScaleChanged"), 0u) << "rescaled only when due";
}

TEST(Axes, AnAxisWhoseLimitsAreNotPositiveLosesItsLogarithmicSetting) {
  Chart k;
  PlainGraph(k.p);
  k.p.AxisStyle(-1, -1, true);  // fixed 0..10
  k.p.Refresh();
  EXPECT_FALSE(k.p.AxisLog());
}

TEST(Axes, GridLinesCrossThePlotInTheGridColour) {
  Chart k;
  PlainGraph(k.p);
  k.p.AxisGridStyle(kRed, -1, true, false);
  k.p.Refresh();
  const Chart::Box b = k.Plot();
  // Five divisions of 0..10: grid lines at 2, 4, 6 and 8 (and at the edges, under the frame).
  int lines = 0;
  for (int x = b.L + 2; x < b.R - 1; ++x) lines += k.picture().Pixel(x, (b.T + b.B) / 2) == kRed;
  EXPECT_EQ(lines, 4);
}

// The columns (pixel x) in a row where the picture has the colour.
std::vector<int> ColumnsWith(Surface& s, int y, OleColor colour) {
  std::vector<int> columns;
  for (int x = 0; x < s.PixelWidth(); ++x)
    if (s.Pixel(x, y) == colour) columns.push_back(x);
  return columns;
}

TEST(Axes, MinorTicksTakeTheShareOfTheTickLengthOfTheirKindOfAxis) {
  struct Row {
    int16_t axis;  // 0: X, 1: Y
    float share;
  };
  for (const Row& r : {Row{0, 0.7f}, Row{1, 0.75f}}) {
    Chart k;
    PlainGraph(k.p);
    k.p.SetSelectedAxis(r.axis);
    k.p.AxisColor(kRed);
    k.p.AxisScaleStyle(0, 10, "", -1, 1, 2);       // one division: the only minor tick is at 5
    k.p.AxisTickStyle(1, 20, true, false, false);  // long, so that the shares differ by pixels
    k.p.AxisLabelStyle("", -1, 0, 0, false);
    k.p.Refresh();
    const Chart::Box b = k.Plot();
    const GraphRecord& g = k.c().State.Current();
    const float minor = r.share * g.Axes[static_cast<size_t>(r.axis)].AxisTickLength / test::kTwipsPerPixel;
    // The minor tick runs from the axis line into the plot, at the middle of the axis.
    const std::vector<int> ink = r.axis == 0 ? RowsWith(k.picture(), (b.L + b.R) / 2, kRed)
                                             : ColumnsWith(k.picture(), (b.T + b.B) / 2, kRed);
    ASSERT_FALSE(ink.empty()) << r.axis;
    EXPECT_NEAR(ink.back() - ink.front(), minor, 1.0) << "axis " << r.axis;
  }
}

// How far from the plot the labels of an axis of a kind on a side begin, in pixels; -1 without any. Seen
// away from the plot's corners, where the other axis puts its end labels.
int LabelDistance(Surface& s, const Chart::Box& b, int16_t axis, bool far) {
  const bool x = axis == 0;
  const int edge = x ? (far ? b.T : b.B) : (far ? b.R : b.L);
  const int outwards = (x ? far : !far) ? -1 : 1;
  const int end = x ? s.PixelHeight() : s.PixelWidth();
  for (int i = edge + 2 * outwards; 0 <= i && i < end; i += outwards)
    for (int j = (x ? b.L : b.T) + 10; j < (x ? b.R : b.B) - 10; ++j)
      if (s.Pixel(x ? j : i, x ? i : j) != kWhite) return std::abs(i - edge);
  return -1;
}

TEST(Axes, LabelsMoveOutByTheLengthOfOutsideTicks) {
  struct Row {
    int16_t axis;  // 0: X, 1: Y
    bool far;
  };
  for (const Row& r : {Row{0, false}, Row{0, true}, Row{1, false}, Row{1, true}}) {
    int distance[2] = {};  // without and with outside ticks
    float tick = 0;
    for (bool outside : {false, true}) {
      Chart k;
      PlainGraph(k.p);
      k.p.BorderWidths(30, 25, 30, 25);
      k.p.SetSelectedAxis(r.axis);
      k.p.AxisStyle(kWhite, -1, false, false, r.far);  // line and ticks out of sight, the labels alone in ink
      k.p.AxisTitleStyle("", "", -1, 0, false);
      k.p.AxisTickStyle(1, 8, true, outside, false);
      k.p.Refresh();
      tick = k.c().State.Current().Axes[static_cast<size_t>(r.axis)].AxisTickLength / test::kTwipsPerPixel;
      distance[outside] = LabelDistance(k.picture(), k.Plot(), r.axis, r.far);
      ASSERT_GE(distance[outside], 0) << "labels drawn, axis " << r.axis << " far " << r.far;
    }
    ASSERT_GT(tick, 5) << "long enough to tell from rounding";
    EXPECT_NEAR(distance[1] - distance[0], tick, 1.0) << "axis " << r.axis << " far " << r.far;
  }
}

TEST(Axes, OnlyXAxesDrawMinorGridLinesAfterATickOnThePlotsEdge) {
  struct Row {
    int16_t axis;  // 0: X, 1: Y
    bool fromEdges;
  };
  for (const Row& r : {Row{0, true}, Row{1, false}}) {
    Chart k;
    PlainGraph(k.p);
    k.p.SetSelectedAxis(r.axis);
    k.p.AxisScaleStyle(0, 10, "", -1, 5, 2);  // major ticks every 2, a minor one between each two
    k.p.AxisGridStyle(-1, kRed, false, true);
    k.p.Refresh();
    const Chart::Box b = k.Plot();
    // The minor grid line at 1 follows the major tick at the edge, the one at 9 a tick inside the plot.
    const auto drawnAt = [&](double fraction) {
      const bool x = r.axis == 0;
      const int across = x ? (b.T + b.B) / 2 : (b.L + b.R) / 2;
      const auto along =
          static_cast<int>(std::lround(x ? b.L + fraction * (b.R - b.L) : b.B - fraction * (b.B - b.T)));
      for (int i = along - 1; i <= along + 1; ++i)  // a pixel either side for rounding
        if (k.picture().Pixel(x ? i : across, x ? across : i) == kRed) return true;
      return false;
    };
    EXPECT_TRUE(drawnAt(0.9)) << "axis " << r.axis;
    EXPECT_EQ(drawnAt(0.1), r.fromEdges) << "axis " << r.axis;
  }
}

TEST(BlendColors, RampsFromOneColourToTheOther) {
  Chart k;
  std::vector<OleColor> colours;
  EXPECT_EQ(BlendColors(k.notify(), 0x000000, 0xFFFFFF, 4, colours), 4);
  EXPECT_EQ(colours, (std::vector<OleColor>{0x000000, 0x404040, 0x808080, 0xFFFFFF}));
  for (int16_t steps : {0, 1}) {
    EXPECT_EQ(BlendColors(k.notify(), 0x0000FF, 0xFF0000, steps, colours), 2);
    EXPECT_EQ(colours, (std::vector<OleColor>{0x0000FF, 0xFF0000}));
  }
  const auto sys = static_cast<OleColor>(0x80000018);
  EXPECT_EQ(BlendColors(k.notify(), sys, 0x000000, 3, colours), 3);
  EXPECT_EQ(colours.front(), sys) << "the ends are kept as given";
  EXPECT_EQ(colours[1], 0x000010) << "the low bytes 18 00 00 blended a third of the way";
}

TEST(DrawGradient, PutsColourOneWhereTheAngleStarts) {
  struct Row {
    int16_t angle;
    bool leftRight;  // else bottom-top
  };
  for (const Row& r : {Row{0, true}, Row{90, false}}) {
    Chart k;
    PlainGraph(k.p);
    k.p.PlotAreaColors(kRed, 0x00FF0000, r.angle, 0, 1);
    k.p.Refresh();
    const Chart::Box b = k.Plot();
    const int midX = (b.L + b.R) / 2, midY = (b.T + b.B) / 2;
    const OleColor start = r.leftRight ? k.picture().Pixel(b.L + 2, midY) : k.picture().Pixel(midX, b.B - 2);
    const OleColor end = r.leftRight ? k.picture().Pixel(b.R - 2, midY) : k.picture().Pixel(midX, b.T + 2);
    EXPECT_GT(RedOf(start), 200) << r.angle;
    EXPECT_LT(BlueOf(start), 60) << r.angle;
    EXPECT_GT(BlueOf(end), 200) << r.angle;
  }
}

TEST(DrawGradient, ATransparentFillLeavesTheAreaAndItsClipAlone) {
  Chart k;
  PlainGraph(k.p);
  Surface& s = *k.c().Picture1;
  s.FilledBox(0, 0, 6000, 4500, kRed);
  s.SetClipRect(0, 0, 150, 150);
  GradientSpec fill{0, 0, 0x00FF0000, 0x0000FF00, 0, 0, 1, true};
  DrawGradient(k.d(), s, 0, fill);
  s.FilledBox(0, 0, 6000, 4500, kWhite);
  EXPECT_EQ(CountColor(s, 0, 0, 400, 300, kWhite), 100) << "the 10 x 10 clip is still in force";
}

// An area reaching past the picture is painted only where it lands on the picture, and there exactly as a
// whole one: every style, compared with the same area drawn whole on a picture that holds it.
TEST(DrawGradient, AnAreaPastThePicturePaintsItsVisiblePartAsAWholeOne) {
  constexpr int kShiftX = 250, kShiftY = 180;  // pixels of the area left of and above the small picture
  for (int16_t style = 1; style <= 6; ++style) {
    SCOPED_TRACE(style);
    const GradientSpec fill{0, 0, kRed, 0x00FF0000, 30, 0.2f, style, false};
    auto paint = [&](Chart& k, int left, int top) {
      PlainGraph(k.p);
      GraphRecord& g = k.c().State.Current();
      g.RectLeft = left * 15;
      g.RectTop = top * 15;
      g.RectWidth = 700 * 15;
      g.RectHeight = 500 * 15;
      DrawGradient(k.d(), *k.c().Picture1, 1, fill);
    };
    Chart whole(760, 560), part(400, 300);
    paint(whole, 0, 0);
    paint(part, -kShiftX, -kShiftY);
    EXPECT_EQ(test::CountDifferences(part.picture(), whole.picture(), kShiftX, kShiftY), 0);
  }
}

}  // namespace
}  // namespace plotara
