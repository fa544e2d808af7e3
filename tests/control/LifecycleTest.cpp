#include <gtest/gtest.h>

#include "control/Internals.h"
#include "plotara/Plotara.h"
#include "support/Events.h"
#include "support/Pixels.h"

namespace plotara {
namespace {

TEST(Lifecycle, AnswersVersionAndGraphIndexAtOnce) {
  Plotara p;
  EXPECT_EQ(p.Version(), "1.02");
  EXPECT_EQ(p.GraphIndex(), 0);
  EXPECT_FALSE(p.SuppressRaisingEvents());
}

TEST(Lifecycle, MeasuresOneMillimetreInTwips) {
  for (double dpi : {96.0, 192.0, 72.0}) {
    Plotara p(dpi);
    EXPECT_NEAR(Internals(p).State.UnitsPerMmX, 56.6929, 1e-3);
    EXPECT_NEAR(Internals(p).State.UnitsPerMmY, 56.6929, 1e-3);
  }
}

TEST(Lifecycle, ResizeLaysOutTheChildrenAndThePage) {
  Plotara p;
  p.Resize(12255, 9255);
  const Control& c = Internals(p);
  EXPECT_FLOAT_EQ(c.GraphImage->Width(), 12000);
  EXPECT_FLOAT_EQ(c.GraphImage->Height(), 9000);
  EXPECT_EQ(c.Picture1->PixelWidth(), 800);
  EXPECT_EQ(c.Picture1->PixelHeight(), 600);
  EXPECT_EQ(c.Picture2->PixelWidth(), 800);
  EXPECT_EQ(c.State.PageWidth, 12000 - 70);
  EXPECT_EQ(c.State.PageHeight, 9000 - 70);
  EXPECT_FLOAT_EQ(p.Label1().Top, 9255 - p.Label1().Height - 5);
}

// The picture gets the pixels asked for at any resolution; the client area is larger by the bar at the
// right and the strip at the bottom, so the bars lie beside the picture, not over it.
TEST(Lifecycle, ResizePictureGivesThePictureItsPixelsBesideTheBars) {
  struct Row {
    double dpi;
    int width, height;
  };
  for (const Row r : {Row{96, 800, 600}, Row{192, 800, 600}, Row{72, 333, 222}, Row{96, 1, 1}}) {
    SCOPED_TRACE(r.dpi);
    Plotara p(r.dpi);
    p.ResizePicture(r.width, r.height);
    const Control& c = Internals(p);
    EXPECT_EQ(c.Picture1->PixelWidth(), r.width);
    EXPECT_EQ(c.Picture1->PixelHeight(), r.height);
    EXPECT_EQ(c.GraphImage->PixelWidth(), r.width);
    EXPECT_DOUBLE_EQ(p.TwipsPerPixel(), 1440 / r.dpi);
    EXPECT_FLOAT_EQ(c.State.ClientWidth,
                    static_cast<float>(r.width * p.TwipsPerPixel()) + p.VScroll1().Width);
    EXPECT_FLOAT_EQ(c.State.ClientHeight,
                    static_cast<float>(r.height * p.TwipsPerPixel()) + p.HScroll1().Height);
  }
  // At 96 dpi it is the client area a host would give in twips: 800 x 600 pixels and the 255-twip bars.
  Plotara byPixels, byTwips;
  byPixels.ResizePicture(800, 600);
  byTwips.Resize(12255, 9255);
  EXPECT_EQ(Internals(byPixels).State.ClientWidth, Internals(byTwips).State.ClientWidth);
  EXPECT_EQ(Internals(byPixels).State.ClientHeight, Internals(byTwips).State.ClientHeight);
  EXPECT_EQ(byPixels.Label1().Top, byTwips.Label1().Top);
}

TEST(Lifecycle, ResizeBeforeAnyDrawingDrawsNothing) {
  Plotara p;
  test::EventLog log(p);
  p.Resize(6255, 4755);
  p.Resize(9255, 6255);
  const test::InkBox ink = test::FindInk((*Internals(p).Picture1));
  EXPECT_TRUE(ink.Empty());
  EXPECT_TRUE(log.events.empty());
}

TEST(Lifecycle, ResetForgetsGraphsButKeepsThePicture) {
  Plotara p;
  p.Resize(3255, 3255);
  Control& c = Internals(p);
  c.State.Graphs.resize(2);
  c.State.CurrentGraph = 1;
  c.State.PageFill.Color1 = 0x0000FF;
  c.State.MaxZoomFactor = 5;
  c.State.ScrollBarsVisible = true;
  c.Notify.SuppressRaisingEvents = true;
  c.Picture1->FilledBox(0, 0, 300, 300, 0x00FF0000);
  p.Reset();
  EXPECT_EQ(p.GraphIndex(), 0);
  EXPECT_EQ(c.State.NumGraphs(), 0);
  EXPECT_TRUE(c.State.Graphs.empty());
  EXPECT_EQ(c.State.PageFill.Color1, 0x00FFFFFF);
  EXPECT_EQ(c.State.PageFill.Color2, 0x00FFFFFF);
  EXPECT_EQ(c.State.PageFill.Angle, 90);
  EXPECT_DOUBLE_EQ(c.State.MaxZoomFactor, 1000000);
  EXPECT_FALSE(c.State.ScrollBarsVisible);
  EXPECT_TRUE(p.SuppressRaisingEvents()) << "Reset leaves the setting alone";
  EXPECT_EQ((*Internals(p).Picture1).Pixel(5, 5), 0x00FF0000) << "the picture stays until the next refresh";
}

TEST(ErrorPath, ReportsSourceAndDescriptionExactly) {
  Plotara p;
  test::EventLog log(p);
  Internals(p).Notify.ReportError("AddDataPoint", 6);
  Internals(p).Notify.ReportError("SetSelectedData", 9);
  Internals(p).Notify.ReportError("Anything", 94);  // invalid use of Null is ignored
  ASSERT_EQ(log.events.size(), 2u);
  EXPECT_EQ(log.events[0], "Error 6 has occured in Plotara.ocx, AddDataPoint / Overflow");
  EXPECT_EQ(log.events[1], "Error 9 has occured in Plotara.ocx, SetSelectedData / Subscript out of range");
}

TEST(ErrorPath, AGuardedFailureReturnsNormallyAndKeepsEarlierChanges) {
  Plotara p;
  test::EventLog log(p);
  Control& c = Internals(p);
  bool after = false;
  const bool ok = c.Notify.Guard("NewGraph", [&] {
    c.State.MaxZoomFactor = 7;
    c.State.Graph(3);  // no graph 3: error 9
    after = true;
  });
  EXPECT_FALSE(ok);
  EXPECT_FALSE(after);
  EXPECT_DOUBLE_EQ(c.State.MaxZoomFactor, 7) << "nothing is rolled back";
  ASSERT_EQ(log.events.size(), 1u);
  EXPECT_EQ(log.events[0], "Error 9 has occured in Plotara.ocx, NewGraph / Subscript out of range");
}

TEST(Events, SuppressionSilencesAllButErrorMsg) {
  Plotara p;
  test::EventLog log(p);
  Control& c = Internals(p);
  p.SuppressRaisingEvents(true);
  c.Notify.RaiseNewGraphInFront();
  c.Notify.RaiseGraphScaleChanged();
  c.Notify.RaiseGraphPositionChanged();
  c.Notify.RaiseLegendPositionChanged();
  c.Notify.ReportError("Refresh", 11);
  ASSERT_EQ(log.events.size(), 1u);
  EXPECT_EQ(log.events[0], "Error 11 has occured in Plotara.ocx, Refresh / Division by zero");
  p.SuppressRaisingEvents(false);
  c.Notify.RaiseGraphScaleChanged();
  c.Notify.RaiseLegendPositionChanged();
  EXPECT_EQ(log.events.size(), 3u);
  EXPECT_EQ(log.events[1], "GraphScaleChanged");
  EXPECT_EQ(log.events[2], "LegendPositionChanged");
}

TEST(Events, AThrowingHandlerDoesNotEscape) {
  Plotara p;
  p.Events().GraphScaleChanged = [] { throw std::runtime_error("host bug"); };
  p.Events().ErrorMsg = [](std::string&, std::string&) { throw 1; };
  EXPECT_NO_THROW(Internals(p).Notify.RaiseGraphScaleChanged());
  EXPECT_NO_THROW(Internals(p).Notify.ReportError("Reset", 5));
}

TEST(Events, TwoControlsAreIndependent) {
  Plotara a, b;
  test::EventLog la(a), lb(b);
  a.SuppressRaisingEvents(true);
  Internals(b).Notify.RaiseGraphScaleChanged();
  Internals(a).Notify.ReportError("Reset", 5);
  EXPECT_EQ(la.events.size(), 1u);
  EXPECT_EQ(lb.events, std::vector<std::string>{"GraphScaleChanged"});
  EXPECT_FALSE(b.SuppressRaisingEvents());
}

}  // namespace
}  // namespace plotara
