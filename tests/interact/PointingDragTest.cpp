#include "interact/Pointing.h"

#include <algorithm>

#include "InteractFixture.h"
#include "control/Internals.h"
#include "support/Pixels.h"

namespace plotara::test {
namespace {

using PointingDrag = InteractTest;

TEST_F(PointingDrag, TheHitTestNamesThePartAndThePointerShape) {
  Graph("G");
  p.Refresh();
  const Twips plot = Plot(0), rect = Rect(0), legend = Legend(0);
  const double mm = c.State.UnitsPerMmX;
  struct Row {
    double x, y;
    bool PointingFlags::*flag;
    int16_t shape;
  } rows[] = {
      {legend.CX(), legend.CY(), &PointingFlags::OverLegend, pointer::UpArrow},
      {plot.CX(), plot.CY(), &PointingFlags::OverZoomArea, pointer::CrossHair},
      {plot.L + mm / 2, plot.CY(), &PointingFlags::OverPlotLeftEdge, pointer::WestEast},
      {plot.R - mm / 4, plot.CY(), &PointingFlags::OverPlotRightEdge, pointer::WestEast},
      {plot.CX(), plot.T + mm / 2, &PointingFlags::OverPlotTopEdge, pointer::NorthSouth},
      {plot.CX(), plot.B - mm / 4, &PointingFlags::OverPlotBottomEdge, pointer::NorthSouth},
      {rect.L + mm / 2, plot.CY(), &PointingFlags::OverGraphLeftEdge, pointer::WestEast},
      {rect.R - mm / 4, plot.CY(), &PointingFlags::OverGraphRightEdge, pointer::WestEast},
      {plot.CX(), rect.T + mm / 2, &PointingFlags::OverGraphTopEdge, pointer::NorthSouth},
      {plot.CX(), rect.B - mm / 4, &PointingFlags::OverGraphBottomEdge, pointer::NorthSouth},
      {(rect.L + plot.L) / 2, plot.CY(), &PointingFlags::OverMoveArea, pointer::FourArrows},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.x << ", " << r.y);
    EXPECT_EQ(PointingAt(ui, 0, static_cast<float>(r.x), static_cast<float>(r.y), true), 0);
    EXPECT_TRUE(mouse.Pointing.*r.flag);
    EXPECT_EQ(p.MousePointer(), r.shape);
  }
  // Without zoom the inside of the plot moves the graph; without dragging the arrows are not shown.
  p.GraphAllowZoom(false);
  EXPECT_EQ(PointingAt(ui, 0, static_cast<float>(plot.CX()), static_cast<float>(plot.CY()), true), 0);
  EXPECT_TRUE(mouse.Pointing.OverMoveArea);
  EXPECT_EQ(p.MousePointer(), pointer::FourArrows);
  p.GraphAllowDragging(false);
  EXPECT_EQ(PointingAt(ui, 0, static_cast<float>(plot.L + mm / 2), static_cast<float>(plot.CY()), true), 0);
  EXPECT_TRUE(mouse.Pointing.OverPlotLeftEdge) << "the flag is set all the same";
  EXPECT_EQ(p.MousePointer(), pointer::Default);
}

TEST_F(PointingDrag, AClickOnTheEmptyPageDoesNothing) {
  Graph("G", 10, 10, 40, 40);
  p.Refresh();
  log.Take();
  Down(1, 0, 5900, 4400);
  EXPECT_EQ(mouse.PointedGraph, -1);
  EXPECT_TRUE(log.events.empty());
}

TEST_F(PointingDrag, ClickingABackGraphBringsItToTheFrontOnce) {
  Graph("A", 0, 0, 60, 60);
  Graph("B", 40, 40, 60, 60);
  p.Refresh();
  log.Take();
  // The overlap belongs to B, the front graph.
  const double x = Rect(1).L + 100, y = Rect(1).T + 100;
  Down(1, 0, x, y);
  Up(1, 0, x, y);
  EXPECT_EQ(mouse.PointedGraph, 1);
  EXPECT_EQ(log.Count("NewGraphInFront"), 0u);
  Down(1, 0, Plot(0).L + 300, Plot(0).T + 300);
  EXPECT_EQ(mouse.PointedGraph, 0);
  EXPECT_EQ(c.State.GraphOrder, (std::vector<int16_t>{1, 0}));
  Down(1, 0, Plot(0).L + 300, Plot(0).T + 300);
  EXPECT_EQ(log.Count("NewGraphInFront"), 1u);
}

TEST_F(PointingDrag, DraggingTheBorderBandMovesTheGraphAndItsPixels) {
  Graph("G", 10, 10, 50, 50);
  p.Refresh();
  const Twips before = Rect(0);
  log.Take();
  const double x = (Rect(0).L + Plot(0).L) / 2, y = Plot(0).CY();
  Drag(x, y, x + 1500, y + 750);
  EXPECT_NEAR(Rect(0).L, before.L + 1500, 1);
  EXPECT_NEAR(Rect(0).T, before.T + 750, 1);
  EXPECT_NEAR(G(0).PosLeft, Rect(0).L / c.State.PageWidth, 1e-6);
  EXPECT_EQ(log.Count("GraphPositionChanged"), 3u) << "the press and two steps that moved";
  // The plot area's frame now runs 100 pixels further right.
  Surface& s = chart.picture();
  const int frameX = Chart::Px(Plot(0).L), frameY = Chart::Px(Plot(0).CY());
  EXPECT_EQ(s.Pixel(frameX, frameY), 0) << "the frame at its new place";
  EXPECT_NE(s.Pixel(Chart::Px(before.L + G(0).BorderLeft), frameY), 0) << "nothing left at the old place";
}

TEST_F(PointingDrag, EdgesResizeWithinTheMarginsAndMarginsNeverGoNegative) {
  Graph("G", 20, 20, 50, 50);
  p.Refresh();
  const double minWidth = (G(0).BorderLeft + G(0).BorderRight) / c.State.PageWidth;
  // The right outer edge dragged far to the left stops at the two margins.
  Drag(Rect(0).R - 5, Plot(0).CY(), Rect(0).L - 3000, Plot(0).CY());
  EXPECT_NEAR(G(0).PosWidth, minWidth, 1e-6);
  // A plot edge dragged out past the graph's edge leaves a margin of 0.
  Drag(Plot(0).L + 5, Plot(0).CY(), Rect(0).L - 800, Plot(0).CY());
  EXPECT_EQ(G(0).BorderLeft, 0);
  Drag(Plot(0).CX(), Plot(0).B - 5, Plot(0).CX(), Rect(0).B + 900);
  EXPECT_EQ(G(0).BorderBottom, 0);
}

TEST_F(PointingDrag, AGraphThatMayNotBeDraggedStaysWhereItIs) {
  Graph("G", 10, 10, 50, 50);
  p.GraphAllowDragging(false);
  p.Refresh();
  const Twips before = Rect(0);
  log.Take();
  const double x = (Rect(0).L + Plot(0).L) / 2, y = Plot(0).CY();
  Move(0, 0, x, y);
  EXPECT_EQ(p.MousePointer(), pointer::Default);
  Drag(x, y, x + 1500, y + 750);
  EXPECT_EQ(Rect(0).L, before.L);
  EXPECT_EQ(log.Count("GraphPositionChanged"), 0u);
}

TEST_F(PointingDrag, ALegendThatMayNotBeDraggedIsNotHit) {
  Graph("G");
  p.LegendDragging(false);
  p.Refresh();
  const Twips legend = Legend(0);
  EXPECT_EQ(PointingAt(ui, 0, static_cast<float>(legend.CX()), static_cast<float>(legend.CY()), true), 0);
  EXPECT_FALSE(mouse.Pointing.OverLegend);
  EXPECT_TRUE(mouse.Pointing.OverGraphPart() || mouse.Pointing.OverZoomArea);
}

TEST_F(PointingDrag, DraggingTheLegendMovesItInPercentAndErasesItsOldPlace) {
  Graph("G");
  p.Refresh();
  const Twips legend = Legend(0);
  Surface& s = chart.picture();
  const int oldX = Chart::Px(legend.L) + 3, oldY = Chart::Px(legend.CY());
  log.Take();
  Down(1, 0, legend.CX(), legend.CY());
  Move(1, 0, legend.CX() - 1500, legend.CY() + 1200);
  Move(1, 0, legend.CX() - 1500, legend.CY() + 1200);  // no move: no event
  Move(1, 0, legend.CX() - 3000, legend.CY() + 1500);
  EXPECT_EQ(log.Count("LegendPositionChanged"), 3u) << "the press and the two steps that moved it";
  const GraphRecord& g = G(0);
  EXPECT_NEAR(g.LegendTableLeft, (g.LegendRectLeft - g.RectLeft) * 100.0 / g.RectWidth, 1e-3);
  EXPECT_NEAR(g.LegendTableTop, (g.LegendRectTop - g.RectTop) * 100.0 / g.RectHeight, 1e-3);
  EXPECT_NEAR(g.LegendRectLeft, legend.L - 3000, 2);
  EXPECT_EQ(s.Pixel(oldX, oldY), c.GraphImage->Pixel(oldX, oldY)) << "the old place shows the page again";
  EXPECT_NE(s.Pixel(oldX, oldY), 0) << "not the legend's text or edge";
  Up(1, 0, legend.CX() - 3000, legend.CY() + 1500);
  EXPECT_NEAR(G(0).LegendRectLeft, legend.L - 3000, 2) << "the refresh keeps the new place";
}

TEST_F(PointingDrag, CtrlClickPutsTheLegendCornerAtThePointerWithinTheGraph) {
  Graph("G", 10, 10, 50, 50);
  p.Refresh();
  Down(1, 2, Plot(0).CX(), Plot(0).CY());
  EXPECT_NEAR(G(0).LegendRectLeft, Plot(0).CX(), 1);
  EXPECT_NEAR(G(0).LegendRectTop, Plot(0).CY(), 1);
  Up(1, 2, Plot(0).CX(), Plot(0).CY());
  Down(1, 2, Rect(0).R - 10, Rect(0).B - 10);
  EXPECT_EQ(G(0).LegendRectLeft, G(0).RectLeft + G(0).RectWidth - G(0).LegendRectWidth);
  EXPECT_EQ(G(0).LegendRectTop, G(0).RectTop + G(0).RectHeight - G(0).LegendRectHeight);
}

TEST_F(PointingDrag, ALaterDragStepRedrawsOnlyTheFrontGraph) {
  Graph("Back", 0, 0, 50, 50);
  Graph("Front", 50, 50, 50, 50);
  p.Refresh();
  const double x = (Rect(1).L + Plot(1).L) / 2, y = Plot(1).CY();
  Down(1, 0, x, y);
  // A mark in the saved background, in the corner the front graph leaves when it moves up and left: a
  // step that draws the front graph alone over the saved background shows it.
  const Twips old = Rect(1);
  c.Picture2->FilledBox(static_cast<float>(old.R - 150), static_cast<float>(old.B - 150),
                        static_cast<float>(old.R), static_cast<float>(old.B), 0x0000FF);
  Move(1, 0, x - 300, y - 300);
  EXPECT_EQ(chart.picture().Pixel(Chart::Px(old.R - 75), Chart::Px(old.B - 75)), 0x0000FF)
      << "the page behind came from the saved background";
  Up(1, 0, x - 300, y - 300);
}

TEST_F(PointingDrag, SuppressedEventsAreNotRaised) {
  Graph("A", 0, 0, 60, 60);
  Graph("B", 40, 40, 60, 60);
  p.Refresh();
  p.SuppressRaisingEvents(true);
  log.Take();
  Drag(Plot(0).L + 300, Plot(0).T + 300, Plot(0).L + 300, Plot(0).T + 300);
  Drag((Rect(0).L + Plot(0).L) / 2, Plot(0).CY(), (Rect(0).L + Plot(0).L) / 2 + 500, Plot(0).CY());
  Drag(Legend(0).CX(), Legend(0).CY(), Legend(0).CX() - 500, Legend(0).CY() + 500);
  EXPECT_TRUE(log.events.empty());
}

TEST_F(PointingDrag, TheWindowHearsWhichPixelsChanged) {
  Graph("G");
  p.Refresh();
  std::vector<PixelRect> changed;
  p.OnPictureChanged([&](const PixelRect& r) { changed.push_back(r); });
  const Twips plot = Plot(0);
  Down(1, 0, plot.CX(), plot.CY());
  Move(1, 0, plot.CX() + 300, plot.CY() + 300);
  ASSERT_EQ(changed.size(), 1u);
  const PixelRect band = changed.back();
  EXPECT_LE(band.Left, Chart::Px(plot.CX()));
  EXPECT_GE(band.Left + band.Width, Chart::Px(plot.CX() + 300));
  EXPECT_LT(band.Width, 40) << "a rubber band step repaints the band, not the picture";
  p.Refresh();
  EXPECT_EQ(changed.back(), (PixelRect{0, 0, 400, 300}));
}

// A later step of a graph drag tells the window the graph's old and new rectangle (the outline on its
// right and bottom edge included), and shows what a full refresh would.
TEST_F(PointingDrag, AGraphDragStepRepaintsOnlyTheGraphsOldAndNewPlace) {
  struct Case {
    const char* part;
    double x, y;    // the press, relative to the graph's rectangle (0..1 across it)
    double dx, dy;  // each step, twips
  };
  const Case cases[] = {
      {"border band", 0.05, 0.5, 450, 300},
      {"right edge", 0.999, 0.5, 600, 0},
      {"bottom edge", 0.5, 0.999, 0, -450},
      {"left plot edge", -1, 0.5, 300, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.part);
    Chart fresh;
    Plotara& q = fresh.p;
    q.NewGraph("G", 0, 100, 0, 100);
    q.GraphPosition(10, 10, 40, 40);
    q.NewDataSet("data");
    q.AddDataPoint(10, 10);
    q.AddDataPoint(90, 90);
    q.Refresh();
    const GraphRecord& g = fresh.c().State.Graph(0);
    auto box = [&] {  // the graph's rectangle in pixels, its right and bottom outline included
      return PixelRect{Chart::Px(g.RectLeft), Chart::Px(g.RectTop), Chart::Px(g.RectWidth) + 1,
                       Chart::Px(g.RectHeight) + 1};
    };
    const double x = k.x < 0 ? g.RectLeft + g.BorderLeft + 5 : g.RectLeft + k.x * g.RectWidth;
    const double y = g.RectTop + k.y * g.RectHeight;
    q.Picture1_MouseDown(1, 0, static_cast<float>(x), static_cast<float>(y));
    q.Picture1_MouseMove(1, 0, static_cast<float>(x + k.dx), static_cast<float>(y + k.dy));
    const PixelRect before = box();
    std::vector<PixelRect> changed;
    q.OnPictureChanged([&](const PixelRect& r) { changed.push_back(r); });
    q.Picture1_MouseMove(1, 0, static_cast<float>(x + 2 * k.dx), static_cast<float>(y + 2 * k.dy));
    const PixelRect after = box();
    ASSERT_EQ(changed.size(), 1u);
    const int x0 = std::min(before.Left, after.Left), y0 = std::min(before.Top, after.Top);
    const int x1 = std::max(before.Left + before.Width, after.Left + after.Width),
              y1 = std::max(before.Top + before.Height, after.Top + after.Height);
    EXPECT_EQ(changed[0], (PixelRect{x0, y0, x1 - x0, y1 - y0}));
    EXPECT_LT(changed[0].Width * changed[0].Height, 400 * 300 / 2) << "not the whole picture";
    Surface& shown = fresh.picture();
    std::vector<OleColor> stepped;
    for (int py = 0; py < shown.PixelHeight(); ++py)
      for (int px = 0; px < shown.PixelWidth(); ++px) stepped.push_back(shown.Pixel(px, py));
    q.Refresh();
    int differ = 0;
    for (int py = 0, i = 0; py < shown.PixelHeight(); ++py)
      for (int px = 0; px < shown.PixelWidth(); ++px) differ += shown.Pixel(px, py) != stepped[i++];
    EXPECT_EQ(differ, 0) << "the step shows what a full refresh shows";
    q.Picture1_MouseUp(1, 0, static_cast<float>(x + 2 * k.dx), static_cast<float>(y + 2 * k.dy));
  }
}

TEST_F(PointingDrag, AGraphDragStepAfterTheBackBufferChangedRepaintsAll) {
  Graph("G", 10, 10, 40, 40);
  p.Refresh();
  const double x = (Rect(0).L + Plot(0).L) / 2, y = Plot(0).CY();
  Down(1, 0, x, y);
  Move(1, 0, x + 300, y);
  p.RefreshGraphs(0, false);  // the legend drawn into the back buffer, the picture left as it was
  std::vector<PixelRect> changed;
  p.OnPictureChanged([&](const PixelRect& r) { changed.push_back(r); });
  Move(1, 0, x + 600, y);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], (PixelRect{0, 0, 400, 300}));
  Up(1, 0, x + 600, y);
}

// A graph dragged with the pointer far beyond the page (towards 2^31 twips) stops at the page's edge:
// every later refresh draws it without an error. A release after Reset, of a press on a graph that is
// gone, does nothing.
TEST_F(PointingDrag, AGraphDraggedFarBeyondThePageStopsAtItsEdge) {
  auto errors = [&] {
    const std::vector<std::string> events = log.Take();
    return std::count_if(events.begin(), events.end(),
                         [](const std::string& e) { return e.find("Error ") == 0; });
  };
  for (const double far : {2147483000.0, -2147483000.0}) {
    Graph("G", 10, 10, 50, 50);
    p.Refresh();
    log.Take();
    const double x = (Rect(0).L + Plot(0).L) / 2, y = Plot(0).CY();
    Drag(x, y, far, far);
    p.Refresh();
    p.Refresh();
    EXPECT_EQ(errors(), 0) << far;
    EXPECT_GE(Rect(0).L, 0);
    EXPECT_LE(Rect(0).L, c.State.PageWidth);
    EXPECT_LE(Rect(0).T, c.State.PageHeight);
    p.Reset();
  }
  Graph("G", 10, 10, 50, 50);
  p.Refresh();
  log.Take();
  Down(1, 0, (Rect(0).L + Plot(0).L) / 2, Plot(0).CY());
  p.Reset();
  Move(1, 0, 100, 100);
  p.Picture1_MouseUp(1, 0, 100, 100);
  EXPECT_EQ(errors(), 0);
}

}  // namespace
}  // namespace plotara::test
