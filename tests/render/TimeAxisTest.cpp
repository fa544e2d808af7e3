// Time axes and readable labels as drawn: reference pictures of a time axis (across a daylight-saving
// change, zoomed to a day, to the millisecond), the viewer's zoomed chart with readable labels, the
// labels the planned ticks keep, and the default pictures untouched by the switches.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "hosts/cli/Script.h"
#include "render/AxisTicks.h"
#include "render/Pipeline.h"
#include "support/Chart.h"
#include "support/ReferenceImage.h"

namespace plotara {
namespace {

using test::Chart;

// 2026-03-28 00:00 in Berlin (CET), the day before the clocks go forward.
constexpr double kBerlinSaturday = 1774652400;

// Three days of hourly temperatures in Berlin, the middle one 23 hours long.
void ThreeDaysInBerlin(Plotara& p) {
  p.NewGraph("Three days in Berlin");
  p.AxisTime(true);
  p.AxisTimeZone("Europe/Berlin");
  p.AxisTitle(Variant("local time"));
  p.AxisGridStyle(0x00E0E0E0, -1, true, false);
  p.SelectYaxis(1);
  p.AxisTitle(Variant("temperature (C)"));
  p.PlotAreaColors(0x00FFFFFF);
  p.LegendShow(false);
  p.NewDataSet("temperature");
  p.SymbolStyle(0);
  p.DataLine(0xC00000, 2, 1);
  for (int h = 0; h <= 71; ++h)
    p.AddDataPoint(kBerlinSaturday + h * 3600.0, 8 + 6 * std::sin((h - 9) * M_PI / 12));
}

TEST(TimeAxisPictures, ThreeDaysAcrossTheClockChange) {
  Chart chart(640, 360);
  ThreeDaysInBerlin(chart.p);
  chart.p.Refresh();
  EXPECT_TRUE(test::MatchesReference(chart.picture(), "time_axis_dst_berlin", {16, 0.002}));
}

// A rubber band over the second day zooms to it: the ticks become hours of that day, and the read-out
// shows the instant under the pointer.
TEST(TimeAxisPictures, ZoomingToADayShowsHours) {
  Chart chart(640, 360);
  ThreeDaysInBerlin(chart.p);
  chart.p.Refresh();
  const Chart::Box plot = chart.Plot();
  const float t = test::kTwipsPerPixel, width = static_cast<float>(plot.R - plot.L);
  chart.p.Picture1_MouseDown(1, 0, (plot.L + width * 0.33f) * t, (plot.T + 10) * t);
  chart.p.Picture1_MouseMove(1, 0, (plot.L + width * 0.67f) * t, (plot.B - 10) * t);
  chart.p.Picture1_MouseUp(1, 0, (plot.L + width * 0.67f) * t, (plot.B - 10) * t);
  EXPECT_TRUE(chart.p.HScroll1().Visible);
  EXPECT_TRUE(test::MatchesReference(chart.picture(), "time_axis_zoomed_to_a_day", {16, 0.002}));

  const GraphRecord& g = chart.state().Current();
  const AxisRecord& x = g.Axes[0];
  Surface& s = chart.picture();
  s.FontName = "Arial";
  s.FontSize = 9;
  const float h = s.TextHeight("A");
  const LabelLayout layout{false, 0, kAlignCentre, kAlignTop, 4 * h, 0.75f * h};
  const PlotBox p = PlotOf(g);
  const TickPlan plan = TimeTickPlan(s, layout, x, AxisMapping(g, x, false), p.L, p.R);
  // Hours, and the date where the day starts: the Sunday the clocks went forward, and the Monday.
  std::string labels;
  for (const PlannedTick& tick : plan.Majors) labels += tick.Label + " ";
  EXPECT_EQ(labels, "2026-03-29 06:00 12:00 18:00 2026-03-30 ");

  chart.p.Picture1_MouseMove(0, 0, (plot.L + plot.R) / 2.0f * t, (plot.T + plot.B) / 2.0f * t);
  const std::string caption = chart.p.Label1().Caption;
  EXPECT_EQ(caption.substr(0, 12), " 2026-03-29 ") << caption;
  EXPECT_NE(caption.find(" CEST, "), std::string::npos) << caption;

  // Panned to the end, the view shows the hours of the last day.
  chart.p.HScroll1_Change(chart.p.HScroll1().Max);
  const TickPlan panned = TimeTickPlan(s, layout, x, AxisMapping(g, x, false), p.L, p.R);
  ASSERT_FALSE(panned.Majors.empty());
  EXPECT_EQ(panned.Majors.back().Label, "2026-03-31");
  const std::string before = panned.Majors[panned.Majors.size() - 2].Label;
  EXPECT_TRUE(before.size() == 5 && before.substr(2) == ":00") << before;
}

// A series of milliseconds in 2026: each sample lands on its own pixel column, as the offsets from the
// axis's origin keep them apart. Readable labels keep the Y labels clear of the full date.
TEST(TimeAxisPictures, MillisecondsIn2026) {
  Chart chart(640, 300);
  Plotara& p = chart.p;
  p.ReadableLabels(true);
  p.NewGraph("A millisecond series");
  p.AxisTime(true);
  p.PlotAreaColors(0x00FFFFFF);
  p.LegendShow(false);
  p.NewDataSet("samples");
  p.SymbolStyle(2, 1, 0x0000C0);
  const double start = 1774746000.0;  // 2026-03-29 01:00:00 UTC
  for (int i = 0; i <= 200; ++i) p.AddDataPoint(start + i * 0.001, std::sin(i * 0.1));
  p.Refresh();
  EXPECT_TRUE(test::MatchesReference(chart.picture(), "time_axis_milliseconds", {16, 0.002}));
}

// The README's viewer screenshot zoomed by a rubber band, with readable labels: round ticks inside the
// view, horizontal Y labels, no label over another.
TEST(ReadableLabels, TheViewersZoomedChartGetsRoundTicks) {
  Plotara control;
  control.ReadableLabels(true);
  std::ifstream in(std::string(PLOTARA_SOURCE_DIR) + "/docs/plotara-view.plotara");
  std::stringstream text;
  text << in.rdbuf();
  ScriptOptions script;
  SizePicture(control, script.Width, script.Height);
  std::ostringstream out, err;
  ScriptRunner runner(control, script, out, err);
  ASSERT_EQ(runner.Run(text.str(), "plotara-view"), kScriptOk) << err.str();
  EXPECT_TRUE(test::MatchesReference(*Internals(control).Picture1, "readable_plotara-view", {16, 0.002}));
}

// Switched on and off again, a time axis and readable labels leave every pixel as it was.
TEST(ReadableLabels, SwitchingBackDrawsTheDefaultPicture) {
  const auto draw = [](bool detour) {
    auto chart = std::make_unique<Chart>(500, 300);
    Plotara& p = chart->p;
    p.NewGraph("default", 0, 13, -1.5, 1.5);
    p.NewDataSet("points");
    for (int i = 0; i <= 26; ++i) p.AddDataPoint(i * 0.5, std::sin(i * 0.5));
    p.Refresh();
    p.Picture1_MouseDown(1, 1, 4000, 2000);  // Shift+click: zoom in by 2
    if (detour) {
      p.ReadableLabels(true);
      p.AxisTime(true);
      p.Refresh();
      p.AxisTime(false);
      p.ReadableLabels(false);
    }
    p.Refresh();
    return chart;
  };
  const auto plain = draw(false), back = draw(true);
  const PictureView a = plain->p.Picture1(), b = back->p.Picture1();
  ASSERT_EQ(a.Width, b.Width);
  int differing = 0;
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x)
      differing += a.Pixels[y * a.StridePixels + x] != b.Pixels[y * b.StridePixels + x];
  EXPECT_EQ(differing, 0);
}

// Labels kept: inside the plot and the graph, full dates first, none nearer another than the gap.
TEST(ReadableLabels, LabelsThatWouldOverlapAreLeftOut) {
  const auto box = [](float left, float right) { return TextBox{left, 0, right, 10}; };
  TickPlan plan;
  plan.Majors = {{0, "2026-03-02", true}, {1, "06:00", false},     {2, "12:00", false},
                 {3, "18:00", false},     {4, "2026-03-03", true}, {5, "", false}};
  const std::vector<TextBox> boxes = {box(-5, 55),   box(40, 60),   box(80, 100),
                                      box(120, 140), box(130, 190), box(200, 210)};
  const TextBox wide{0, -100, 200, 100}, narrow{0, -100, 180, 100};
  const std::vector<bool> all(6, true);
  const struct {
    const char* name;
    TextBox bounds;
    std::vector<bool> inside;
    std::vector<TextBox> taken;
    float gap;
    std::vector<bool> kept;
  } rows[] = {
      // The first date reaches past the graph's left edge; the second date wins over the 18:00 it
      // overlaps; an empty text is no label.
      {"a wide graph", wide, all, {}, 0, {false, true, true, false, true, false}},
      {"the second date past the edge", narrow, all, {}, 0, {false, true, true, true, false, false}},
      {"with a gap", narrow, all, {}, 25, {false, true, false, true, false, false}},
      {"beside another axis's label",
       narrow,
       all,
       {box(85, 95)},
       0,
       {false, true, false, true, false, false}},
      {"a tick outside the plot",
       narrow,
       {true, false, true, true, true, true},
       {},
       0,
       {false, false, true, true, false, false}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(KeptLabels(plan, boxes, r.inside, r.bounds, r.taken, r.gap), r.kept);
  }
  // Where the first tick's date and time would touch the date of the next midnight, the midnight's stays.
  TickPlan night;
  night.Majors = {{0, "2026-03-28 22:00", true}, {1, "23:00", false}, {2, "2026-03-29", true}};
  EXPECT_EQ(KeptLabels(night, {box(0, 100), box(80, 110), box(90, 150)}, {true, true, true}, wide, {}, 0),
            (std::vector<bool>{false, false, true}));
}

}  // namespace
}  // namespace plotara
