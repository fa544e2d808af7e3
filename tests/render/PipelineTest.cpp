#include "render/Pipeline.h"

#include <gtest/gtest.h>

#include "support/Chart.h"
#include "support/Events.h"
#include "support/Pixels.h"

namespace plotara {
namespace {

using test::Chart;
using test::CountColor;
using test::kWhite;
using test::PlainGraph;

constexpr OleColor kRed = 0x000000FF, kBlue = 0x00FF0000, kGreen = 0x0000FF00;

TEST(Refresh, WithoutGraphsShowsAWhitePage) {
  Chart k;
  k.c().Picture1->FilledBox(0, 0, 6000, 4500, kRed);
  k.p.Refresh();
  const int pw = Chart::Px(k.c().State.PageWidth), ph = Chart::Px(k.c().State.PageHeight);
  EXPECT_EQ(CountColor(k.picture(), 0, 0, pw, ph, kWhite), pw * ph);
}

TEST(Refresh, SkipsAGraphThatIsNotIncluded) {
  for (int front = 0; front < 2; ++front) {
    Chart k;
    PlainGraph(k.p, "A");
    PlainGraph(k.p, "B");
    k.p.SetSelectedGraph(static_cast<int16_t>(1 - front));  // put the other one in front
    k.p.SetSelectedGraph(static_cast<int16_t>(front));
    k.p.BorderStyle(kRed);
    k.p.GraphInclude(false);
    k.p.Refresh();
    EXPECT_EQ(CountColor(k.picture(), 0, 0, 400, 300, kRed), 0) << "front " << front;
    EXPECT_GT(CountColor(k.picture(), 0, 0, 400, 300, 0), 100) << "the other graph is drawn";
  }
}

// With one graph on a plain page, the page reaches Picture2 still unpainted. A drag step restores from
// Picture2, so it must hold what a copy of painted pixels would: compared with a page whose graph behind
// lies off the page, which draws nothing that shows but has the page painted before it is copied.
TEST(Refresh, AOneGraphPageKeepsThePageAsTheCopyWould) {
  struct Page {
    OleColor colour;
    int16_t edge;
  };
  for (const Page& page : {Page{kWhite, 0}, Page{0x0080C0FF, 0}, Page{0x0080C0FF, 3}}) {
    SCOPED_TRACE(page.edge);
    auto build = [&](Chart& k, bool graphBehindOffThePage) {
      if (graphBehindOffThePage) {
        PlainGraph(k.p, "behind");
        k.p.GraphPosition(300, 300, 10, 10);
      }
      PlainGraph(k.p, "front");
      k.p.GraphPosition(20, 20, 50, 50);
      k.p.PageColors(page.colour);
      k.p.PageEdgeColor(kRed);
      k.p.PageEdgeThickness(page.edge);
      k.p.Refresh();
    };
    Chart one, two;
    build(one, false);
    build(two, true);
    Surface& a = *one.c().Picture2;
    EXPECT_EQ(test::CountDifferences(a, *two.c().Picture2), 0);
    EXPECT_EQ(a.Pixel(200, 150), page.colour) << "the page, without the graph";
  }
}

TEST(Refresh, LeavesTheFrontGraphCurrentAndDrawnOnce) {
  Chart k;
  PlainGraph(k.p, "A");
  PlainGraph(k.p, "B");
  k.p.SetSelectedGraph(0);
  test::EventLog log(k.p);
  k.p.Refresh();
  EXPECT_EQ(k.p.GraphIndex(), 0);
  EXPECT_FALSE(k.c().State.Graphs[0].NotYetDrawn);
  EXPECT_FALSE(k.c().State.Graphs[1].NotYetDrawn);
  EXPECT_FALSE(k.c().State.RefreshInProgress);
  EXPECT_TRUE(log.events.empty()) << "fixed axes rescale nothing";
}

TEST(Refresh, ResizeRedrawsOnceAGraphHasBeenDrawn) {
  Chart k;
  PlainGraph(k.p);
  k.p.Resize(9255, 6255);
  EXPECT_EQ(CountColor(k.picture(), 0, 0, k.picture().PixelWidth(), k.picture().PixelHeight(), 0), 0);
  k.p.Refresh();
  k.p.Resize(12255, 9255);
  EXPECT_EQ(k.picture().PixelWidth(), 800);
  EXPECT_GT(CountColor(k.picture(), 400, 0, 800, 600, 0), 100) << "the graph now fills the larger page";
}

TEST(CalcBorders, HoldsTheLegendInsideTheGraph) {
  struct Row {
    float left, top;
    bool atRight, atTop;
  };
  for (const Row& r : {Row{150, -10, true, true}, Row{100, 0, true, true}, Row{-20, 200, false, false}}) {
    Chart k;
    PlainGraph(k.p);
    k.p.GraphPosition(10, 10, 50, 50);
    k.p.LegendTableLeft(r.left);
    k.p.LegendTableTop(r.top);
    CalcBorders(k.state(), k.notify());
    const GraphRecord& g = k.c().State.Current();
    EXPECT_EQ(g.LegendRectLeft, r.atRight ? g.RectLeft + g.RectWidth : g.RectLeft);
    EXPECT_EQ(g.LegendRectTop, r.atTop ? g.RectTop : g.RectTop + g.RectHeight);
  }
}

TEST(PageBackground, TheEdgeLiesEightyUnitsInsideThePage) {
  Chart k;
  PlainGraph(k.p);
  k.p.GraphShowTitle(false);
  k.p.GraphPosition(30, 30, 40, 40);
  k.p.PageEdgeColor(kRed);
  k.p.PageEdgeThickness(1);
  k.p.Refresh();
  const int right = Chart::Px(k.c().State.PageWidth - 80), bottom = Chart::Px(k.c().State.PageHeight - 80);
  EXPECT_EQ(k.picture().Pixel(right - 1, 150), kRed);
  EXPECT_EQ(k.picture().Pixel(right + 1, 150), kWhite);
  EXPECT_EQ(k.picture().Pixel(200, bottom - 1), kRed);
  EXPECT_EQ(k.picture().Pixel(0, 150), kRed);
}

TEST(PlotFrame, WithoutBothEndsOnlyTheBottomAndLeftLinesAreDrawn) {
  for (bool bothEnds : {true, false}) {
    Chart k;
    PlainGraph(k.p);
    k.p.SetSelectedAxis(0);
    k.p.AxisTicksBothEnds(bothEnds);
    k.p.AxisColor(kRed);
    k.p.SetSelectedAxis(1);
    k.p.AxisTicksBothEnds(bothEnds);
    k.p.AxisColor(kBlue);
    k.p.Refresh();
    const Chart::Box b = k.Plot();
    const int midX = (b.L + b.R) / 2, midY = (b.T + b.B) / 2;
    EXPECT_EQ(k.picture().Pixel(midX, b.B), kRed) << "bottom";
    EXPECT_EQ(k.picture().Pixel(b.L, midY), kBlue) << "left";
    EXPECT_EQ(k.picture().Pixel(midX, b.T) == kRed, bothEnds) << "top";
    EXPECT_EQ(k.picture().Pixel(b.R, midY) == kBlue, bothEnds) << "right";
  }
}

TEST(PlotArea, PlainFillsPaintTheBandAndThePlotArea) {
  Chart k;
  k.p.NewGraph("G", 0, 1, 0, 1);
  k.p.BorderStyle(kGreen);
  k.p.PlotAreaColors(kBlue);
  k.p.Refresh();
  const Chart::Box b = k.Plot();
  EXPECT_EQ(k.picture().Pixel((b.L + b.R) / 2, (b.T + b.B) / 2), kBlue);
  EXPECT_EQ(k.picture().Pixel(b.L / 2, (b.T + b.B) / 2), kGreen);
  k.p.PlotAreaTransparent(-1);
  k.p.PageColors(kRed);
  k.p.Refresh();
  EXPECT_EQ(k.picture().Pixel((b.L + b.R) / 2, (b.T + b.B) / 2), kRed) << "the page shows through";
}

TEST(PlotArea, ASeeThroughPlotAreaShowsThePageUnderAGradientBand) {
  Chart k;
  k.p.NewGraph("G", 0, 1, 0, 1);
  k.p.PageColors(kRed);
  k.p.BorderStyle(kWhite, kGreen, 0, 0, 1);
  k.p.PlotAreaColors(-1, -1, -1, -1, 99, true);
  k.p.Refresh();
  const Chart::Box b = k.Plot();
  EXPECT_EQ(k.picture().Pixel((b.L + b.R) / 2, (b.T + b.B) / 2), kRed);
  EXPECT_NE(k.picture().Pixel(b.L / 2, (b.T + b.B) / 2), kRed) << "the band itself is the gradient";
}

}  // namespace
}  // namespace plotara
