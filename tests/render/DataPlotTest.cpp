#include "render/DataPlot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/Chart.h"
#include "support/Events.h"
#include "support/Pixels.h"

namespace plotara {
namespace {

using test::Chart;
using test::CountColor;
using test::FindInk;
using test::kWhite;
using test::PlainGraph;

constexpr OleColor kRed = 0x000000FF, kBlue = 0x00FF0000, kGreen = 0x0000FF00;

// The bounding box of the red ink of smoothed text.
test::InkBox ReddishInk(Surface& s) {
  test::InkBox ink;
  for (int y = 0; y < s.PixelHeight(); ++y)
    for (int x = 0; x < s.PixelWidth(); ++x) {
      const OleColor c = s.Pixel(x, y);
      if (RedOf(c) > 150 && GreenOf(c) < 100) {
        ink.x0 = std::min(ink.x0, x);
        ink.x1 = std::max(ink.x1, x);
        ink.y0 = std::min(ink.y0, y);
        ink.y1 = std::max(ink.y1, y);
      }
    }
  return ink;
}

int Count(Chart& k, OleColor colour) {
  return CountColor(k.picture(), 0, 0, 400, 300, colour);
}

// The pixel column and row of a data value on the current graph's axes 0..10.
int ColumnOf(Chart& k, double x) {
  const Chart::Box b = k.Plot();
  return b.L + static_cast<int>(std::lround((b.R - b.L) * x / 10));
}
int RowOf(Chart& k, double y) {
  const Chart::Box b = k.Plot();
  return b.B - static_cast<int>(std::lround((b.B - b.T) * y / 10));
}

TEST(PlotDataSets, StackedBarsSitOnTheBarsBeforeThem) {
  Chart k;
  PlainGraph(k.p);
  const OleColor colours[3] = {kRed, kGreen, kBlue};
  const double values[3] = {2, 3, 4};
  for (int i = 0; i < 3; ++i) {
    k.p.NewDataSet("bars " + std::to_string(i));
    k.p.SymbolStyle(1, 6, colours[i], colours[i], 0, false, 0, false, i > 0);
    k.p.AddDataPoint(5, values[i]);
  }
  k.p.Refresh();
  const int x = ColumnOf(k, 5);
  auto colourAt = [&](double y) { return k.picture().Pixel(x, RowOf(k, y)); };
  EXPECT_EQ(colourAt(1), kRed);
  EXPECT_EQ(colourAt(3.5), kGreen);
  EXPECT_EQ(colourAt(7), kBlue);
  EXPECT_EQ(colourAt(9.5), kWhite);
  // A new unstacked bar set starts again from the bottom, at its own value.
  k.p.NewDataSet("fresh");
  k.p.SymbolStyle(1, 6, 0x00808080, 0x00808080);
  k.p.AddDataPoint(5, 1);
  k.p.Refresh();
  EXPECT_EQ(colourAt(0.5), 0x00808080);
  EXPECT_EQ(colourAt(1.5), kRed);
}

TEST(PlotDataSets, LineStylesDecideLinesAndCurves) {
  struct Row {
    int16_t style;
    bool line, curve;
  };
  for (const Row& r : {Row{0, false, false}, Row{1, true, true}, Row{2, true, true}, Row{-1, false, true}}) {
    Chart k;
    PlainGraph(k.p);
    k.p.NewDataSet("points");
    k.p.SymbolStyle(0);
    k.p.DataLine(kRed, 1, r.style);
    k.p.AddDataPoint(1, 1);
    k.p.AddDataPoint(4, 1);
    k.p.NewDataSet("curve");
    k.p.AddMathFunc("8", 1, 4);  // AddMathFunc turns style 0 into 1; set it back
    k.p.DataLine(kBlue, 1, r.style);
    k.p.Refresh();
    EXPECT_EQ(Count(k, kRed) > 0, r.line) << r.style;
    EXPECT_EQ(Count(k, kBlue) > 0, r.curve) << r.style;
    if (r.style == 2) {
      EXPECT_LT(Count(k, kBlue), ColumnOf(k, 4) - ColumnOf(k, 1)) << "dotted";
    }
  }
}

TEST(PlotDataSets, SegmentsNeedOneEndInsideTheAxisRanges) {
  Chart k;
  PlainGraph(k.p);
  k.p.NewDataSet("line");
  k.p.SymbolStyle(0);
  k.p.DataLine(kRed, 1, 1);
  k.p.AddDataPoint(-5, 5);   // outside
  k.p.AddDataPoint(-2, 20);  // outside: no segment from the first
  k.p.AddDataPoint(5, 5);    // inside: the segment to it is drawn and cut by the plot area
  k.p.Refresh();
  const Chart::Box b = k.Plot();
  EXPECT_GT(CountColor(k.picture(), b.L, b.T, b.R, b.B, kRed), 10);
  EXPECT_EQ(CountColor(k.picture(), 0, 0, b.L, 300, kRed), 0) << "nothing outside the plot area";
}

TEST(PlotDataSets, PointsThatAreNotFiniteAreLeftOutWithoutBreakingTheLine) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Chart k;
  PlainGraph(k.p);
  k.p.NewDataSet("line");
  k.p.SymbolStyle(0);
  k.p.DataLine(kRed, 1, 1);
  k.p.AddDataPoint(1, 5);
  k.p.AddDataPoint(nan, 5);
  k.p.AddDataPoint(3, std::numeric_limits<double>::infinity());
  k.p.AddDataPoint(9, 5);
  k.p.Refresh();
  const int row = RowOf(k, 5);
  EXPECT_EQ(CountColor(k.picture(), 0, row, 400, row + 1, kRed), ColumnOf(k, 9) - ColumnOf(k, 1));
}

TEST(PlotDataSets, AHiddenDataSetIsSkippedByCount) {
  Chart k;
  PlainGraph(k.p);
  k.p.NewDataSet("hidden");
  k.p.SymbolStyle(4, 2, kRed);
  k.p.AddDataPoint(2, 2);
  k.p.DataHide(true);
  k.p.AddText("hidden text", 5, 5, 0, "", kRed, 0, false);
  k.p.NewDataSet("shown");
  k.p.SymbolStyle(4, 2, kBlue);
  k.p.AddDataPoint(8, 8);
  k.p.Refresh();
  EXPECT_EQ(Count(k, kRed), 0);
  EXPECT_EQ(k.picture().Pixel(ColumnOf(k, 8), RowOf(k, 8)), kBlue) << "its own point, not the hidden set's";
}

TEST(DataPointXY, SymbolsJustOutsideTheRangeAreStillDrawn) {
  struct Row {
    double x;
    bool drawn;
  };
  for (const Row& r : {Row{10.009, true}, Row{10.02, false}, Row{-0.009, true}, Row{-0.5, false}}) {
    Chart k;
    PlainGraph(k.p);
    k.p.PlotAreaTransparent(-1);
    k.p.GraphPosition(20, 20, 60, 60);  // room around the plot area; the clip is the plot area
    k.p.NewDataSet("p");
    k.p.SymbolStyle(4, 3, kRed);
    k.p.AddDataPoint(r.x, 5);
    k.p.SetSelectedAxis(0);
    k.p.AxisScaleStyle(0, 10);  // the point widened the axis; fix it at 0..10 again
    k.p.Refresh();
    EXPECT_EQ(Count(k, kRed) > 0, r.drawn) << r.x;
  }
}

TEST(DataPointXY, BarsAreDrawnWhereverTheyAre) {
  Chart k;
  PlainGraph(k.p);
  k.p.NewDataSet("bar");
  k.p.SymbolStyle(1, 3, kRed);
  k.p.AddDataPoint(5, 50);  // far above the axis: the bar fills the plot area's height
  k.p.Refresh();
  const Chart::Box b = k.Plot();
  EXPECT_EQ(k.picture().Pixel(ColumnOf(k, 5), b.T + 1), kRed);
  EXPECT_EQ(k.picture().Pixel(ColumnOf(k, 5), b.B - 1), kRed);
}

TEST(DataPointXY, ErrorBarsFollowTheSignOfE) {
  Chart k;
  PlainGraph(k.p);
  k.p.NewDataSet("errors");
  k.p.SymbolStyle(0);
  k.p.BarShadowColor(kRed);
  k.p.DataSymbolEdgeColor(kBlue);
  k.p.AddDataPoint(3, 5, 2);   // vertical, in the shadow colour
  k.p.AddDataPoint(7, 5, -1);  // horizontal, in the edge colour
  k.p.AddDataPoint(5, 2, 0);   // none
  k.p.Refresh();
  // Vertical: from y 3 to y 7 at x 3, caps one millimetre (4 pixels) each side.
  const int x3 = ColumnOf(k, 3);
  EXPECT_EQ(k.picture().Pixel(x3, RowOf(k, 6)), kRed);
  EXPECT_EQ(k.picture().Pixel(x3 - 4, RowOf(k, 7)), kRed);
  EXPECT_EQ(k.picture().Pixel(x3 - 5, RowOf(k, 7)), kWhite);
  // Horizontal: from x 6 to x 8 at y 5.
  EXPECT_EQ(k.picture().Pixel(ColumnOf(k, 7.5), RowOf(k, 5)), kBlue);
  EXPECT_GT(CountColor(k.picture(), ColumnOf(k, 6) - 1, RowOf(k, 5) - 3, ColumnOf(k, 6) + 2, RowOf(k, 5) - 2,
                       kBlue),
            0)
      << "a cap at the end";
  k.p.SetSelectedAxis(0);
  k.p.AxisReverse(true);
  k.p.Refresh();
  EXPECT_EQ(k.picture().Pixel(ColumnOf(k, 10 - 7.5), RowOf(k, 5)), kBlue) << "mirrored with its point";
}

// A data set on a second pair of axes (0..100) while the graph's first ones (0..10) are current: every
// kind of mark lands where the data set's own axes put it, and none where the current axes would (50 lies
// far beyond 10).
TEST(PlotDataSets, EveryMarkMapsThroughTheDataSetsOwnAxes) {
  const struct {
    const char* mark;
    int16_t symbol;
    double e;
    int x0, x1, y0, y1;  // the red ink, in hundredths of the plot from its left and bottom edges
  } rows[] = {
      {"circle, stamped", kSymbolCircle, 0, 50, 50, 50, 50},
      {"cross, one by one", kSymbolCross, 0, 50, 50, 50, 50},
      {"bar", kSymbolBar, 0, 50, 50, 0, 50},
      {"vertical error bar", kSymbolNone, 20, 50, 50, 30, 70},
      {"horizontal error bar", kSymbolNone, -20, 30, 70, 50, 50},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.mark);
    Chart k;
    PlainGraph(k.p);
    k.p.NewXAxis("x2", 0, 100);
    k.p.NewYAxis("y2", 0, 100);
    k.p.NewDataSet("on x2, y2");
    k.p.SymbolStyle(r.symbol, 2, kRed, kRed, -1, false, 0, false, false, false, 0, true);
    k.p.BarShadowColor(kRed);
    k.p.AddDataPoint(50, 50, r.e);
    k.p.SelectXaxis(1);
    k.p.SelectYaxis(1);
    k.p.Refresh();
    const Chart::Box b = k.Plot();
    ASSERT_EQ(k.c().State.Current().CurrentXAxis, 0);
    const test::InkBox ink = ReddishInk(k.picture());
    const auto column = [&](int percent) { return b.L + (b.R - b.L) * percent / 100; };
    const auto row = [&](int percent) { return b.B - (b.B - b.T) * percent / 100; };
    // Marks reach a few pixels beyond their point: symbols by their size, bars by their width.
    const int reach = r.symbol == kSymbolNone ? 5 : 9;
    EXPECT_NEAR((ink.x0 + ink.x1) / 2.0, (column(r.x0) + column(r.x1)) / 2.0, 1.5);
    EXPECT_NEAR((ink.y0 + ink.y1) / 2.0, (row(r.y0) + row(r.y1)) / 2.0, 1.5);
    EXPECT_LE(ink.x1 - ink.x0, column(r.x1) - column(r.x0) + 2 * reach);
    EXPECT_LE(ink.y1 - ink.y0, row(r.y0) - row(r.y1) + 2 * reach);
    EXPECT_GE(ink.x1 - ink.x0, column(r.x1) - column(r.x0) - 2);  // a line leaves out its last pixel
    EXPECT_GE(ink.y1 - ink.y0, row(r.y0) - row(r.y1) - 2);
  }
}

TEST(FunctionCurves, CoverTheirXRange) {
  struct Row {
    double from, to;
    double x0, x1;  // the part drawn
  };
  for (const Row& r : {Row{0, 0, 0, 10}, Row{5, 1, 1, 5}, Row{-3, 4, 0, 4}}) {
    Chart k;
    PlainGraph(k.p);
    k.p.NewDataSet("f");
    k.p.AddMathFunc("5", r.from, r.to);
    k.p.DataLine(kRed, 1, 1);
    k.p.Refresh();
    const int row = RowOf(k, 5);
    EXPECT_NEAR(CountColor(k.picture(), 0, row, 400, row + 1, kRed), ColumnOf(k, r.x1) - ColumnOf(k, r.x0), 1)
        << r.from << ".." << r.to;
  }
}

TEST(FunctionCurves, GapsWhereTheFunctionHasNoValue) {
  Chart k;
  PlainGraph(k.p);
  k.p.NewDataSet("f");
  k.p.AddMathFunc("5 + 0 * LN(x - 5)");  // no value for x <= 5
  k.p.DataLine(kRed, 1, 1);
  k.p.Refresh();
  const int row = RowOf(k, 5);
  EXPECT_EQ(CountColor(k.picture(), 0, row, ColumnOf(k, 5), row + 1, kRed), 0);
  EXPECT_NEAR(CountColor(k.picture(), ColumnOf(k, 5), row, 400, row + 1, kRed),
              ColumnOf(k, 10) - ColumnOf(k, 5), 5)
      << "the curve goes on where the function has values again";
}

TEST(FunctionCurves, AFormulaThatDoesNotCompileDrawsNothingAndKeepsTheAxes) {
  Chart k;
  PlainGraph(k.p);
  k.p.NewYAxis("right", 0, 1);
  k.p.SelectYaxis(1);
  k.p.NewDataSet("bad");
  k.p.AddMathFunc("SIN(");
  k.p.DataLine(kRed, 1, 1);
  k.p.NewDataSet("narrow");  // less than half a millimetre wide: no segments
  k.p.AddMathFunc("5", 2, 2.01);
  k.p.DataLine(kRed, 1, 1);
  test::EventLog log(k.p);
  k.p.Refresh();
  EXPECT_EQ(Count(k, kRed), 0);
  EXPECT_EQ(k.c().State.Current().CurrentYAxis, 1);
  EXPECT_TRUE(log.events.empty());
}

TEST(DataTexts, TheAlignmentCodeSplitsIntoHorizontalAndVertical) {
  // Code 7: centred horizontally (7 mod 3 = 1), bottom at the anchor (7 \ 3 = 2).
  Chart k;
  PlainGraph(k.p);
  k.p.NewDataSet("t");
  k.p.AddText("Label", 5, 5, 7, "Font=Arial|12", kRed, 0, false);
  k.p.Refresh();
  const test::InkBox ink = ReddishInk(k.picture());
  EXPECT_NEAR((ink.x0 + ink.x1) / 2.0, ColumnOf(k, 5), 2);
  EXPECT_LE(ink.y1, RowOf(k, 5));
  EXPECT_GE(ink.y1, RowOf(k, 5) - 5);
  // Percent positions count Y from the bottom of the plot area: (0, 0) is its bottom-left corner.
  Chart q;
  PlainGraph(q.p);
  q.p.NewDataSet("t");
  q.p.AddText("X", 0, 0, 0 + 3 * 2, "Font=Arial|12", kRed, 0, true);
  q.p.Refresh();
  const test::InkBox corner = ReddishInk(q.picture());
  EXPECT_NEAR(corner.x0, q.Plot().L, 2);
  EXPECT_LE(corner.y1, q.Plot().B);
  EXPECT_GE(corner.y1, q.Plot().B - 6) << "the bottom of the text cell, below the letter, at the corner";
}

TEST(SetLineColor, CodesAndColours) {
  Chart k;
  Surface& s = *k.c().Picture1;
  const std::pair<int32_t, OleColor> rows[] = {
      {0, 0x000000}, {1, 0xFF0000}, {2, 0x0000FF}, {3, 0x00FF00}, {4, 0x00FFFF},
      {5, 0xFF00FF}, {6, 0xFFFF00}, {7, 0xFFFFFF}, {8, 0x000008}, {0x123456, 0x123456}};
  for (const auto& [code, colour] : rows) {
    SetLineColor(k.notify(), s, code);
    EXPECT_EQ(s.ForeColor, colour) << code;
  }
}

}  // namespace
}  // namespace plotara
