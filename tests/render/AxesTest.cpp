#include "render/Axes.h"

#include <gtest/gtest.h>

#include "render/Fills.h"
#include "support/Chart.h"
#include "support/Events.h"
#include "support/Pixels.h"

namespace plotara {
namespace {

using test::Chart;
using test::PlainGraph;
using test::CountColor;
using test::kWhite;

constexpr OleColor kRed = 0x000000FF;

// The rows (pixel y) in a column where the picture has the colour.
std::vector<int> RowsWith(const Surface& s, int x, OleColor colour) {
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
    const GraphRecord& g = k.c().Current();
    EXPECT_EQ(rows.front(), Chart::Px(g.RectTop + g.BorderTop + g.Axes[1].AxisLength + below)) << "title " << title;
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
    k.p.SetSelectedAxis(k.c().Current().NumAxes() - 1);
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

TEST(BlendColors, RampsFromOneColourToTheOther) {
  Chart k;
  std::vector<OleColor> colours;
  EXPECT_EQ(BlendColors(k.c(), 0x000000, 0xFFFFFF, 4, colours), 4);
  EXPECT_EQ(colours, (std::vector<OleColor>{0x000000, 0x404040, 0x808080, 0xFFFFFF}));
  for (int16_t steps : {0, 1}) {
    EXPECT_EQ(BlendColors(k.c(), 0x0000FF, 0xFF0000, steps, colours), 2);
    EXPECT_EQ(colours, (std::vector<OleColor>{0x0000FF, 0xFF0000}));
  }
  const auto sys = static_cast<OleColor>(0x80000018);
  EXPECT_EQ(BlendColors(k.c(), sys, 0x000000, 3, colours), 3);
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
  DrawGradient(k.c(), s, 0, fill);
  s.FilledBox(0, 0, 6000, 4500, kWhite);
  EXPECT_EQ(CountColor(s, 0, 0, 400, 300, kWhite), 100) << "the 10 x 10 clip is still in force";
}

}  // namespace
}  // namespace plotara
