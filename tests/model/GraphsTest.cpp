#include <gtest/gtest.h>

#include "control/Internals.h"
#include "plotara/Plotara.h"
#include "support/Events.h"

namespace plotara {
namespace {

using test::EventLog;

TEST(NewGraph, AppendsAGraphWithTwoAxesAndRaisesTwoScaleEvents) {
  Plotara p;
  EventLog log(p);
  p.NewGraph("A");
  p.NewGraph("B");
  EXPECT_EQ(p.GraphIndex(), 1);
  EXPECT_EQ(log.Count("GraphScaleChanged"), 4u);
  std::vector<std::string> names;
  int16_t n = -1;
  p.GetGraphNames(names, n);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(names, (std::vector<std::string>{"", "A", "B"}));
  p.GetAxisNames(names, n);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(names, (std::vector<std::string>{"x-axis", "y-axis", ""}));
  EXPECT_EQ(p.GetSelectedAxisIndex(0), 0);
  EXPECT_EQ(p.GetSelectedAxisIndex(1), 1);
  EXPECT_EQ(p.GetSelectedAxisIndex(2), -1);
  const Control& c = Internals(p);
  EXPECT_EQ(c.State.GraphOrder, (std::vector<int16_t>{0, 1}));
  EXPECT_EQ(c.State.Graphs[1].SelectedAxis, 0);
}

TEST(NewGraph, SuppressedEventsAreNotRaised) {
  Plotara p;
  EventLog log(p);
  p.SuppressRaisingEvents(true);
  p.NewGraph("quiet");
  EXPECT_TRUE(log.events.empty());
}

TEST(NewGraph, LimitsMakeFixedAxesAndTheDefaultsAreThoseOfANewGraph) {
  Plotara p;
  p.NewGraph("G", 0, 10);
  const Control& c = Internals(p);
  const GraphRecord& g = c.State.Graphs[0];
  const AxisRecord& x = g.Axes[0];
  const AxisRecord& y = g.Axes[1];
  EXPECT_EQ(x.AxisScale, 1);
  EXPECT_EQ(x.XY, 0);
  EXPECT_DOUBLE_EQ(x.ScaleMax, 10);
  EXPECT_DOUBLE_EQ(x.DataMax, 10);
  EXPECT_EQ(y.AxisScale, 0);
  EXPECT_EQ(y.XY, 1);
  EXPECT_EQ(y.AxisLabelsHoriz, 90);
  EXPECT_EQ(x.AxisLabelsHoriz, 0);
  EXPECT_EQ(x.AxisTickLength, 113);  // 2 mm
  EXPECT_EQ(x.AxisTitle, "x-axis");
  EXPECT_EQ(x.AxisLabelFont, "Font=Arial|9");
  EXPECT_TRUE(x.RescalePending);
  EXPECT_TRUE(x.LimitsPending);
  EXPECT_NEAR(g.BorderLeft, 14 * 56.6929, 0.01);
  EXPECT_NEAR(g.BorderTop, 7 * 56.6929, 0.01);
  EXPECT_NEAR(g.BorderRight, 7 * 56.6929, 0.01);
  EXPECT_NEAR(g.BorderBottom, 10 * 56.6929, 0.01);
  EXPECT_EQ(g.PlotAreaFill.Color1, static_cast<OleColor>(0x80000018));
  EXPECT_EQ(g.BorderFill.Color1, 0x00C0FFFF);
  EXPECT_EQ(g.LegendTableLeft, 100);
  EXPECT_TRUE(g.NotYetDrawn);
  EXPECT_EQ(g.NumDataSets(), 0);
}

TEST(Axes, NewAxesBecomeCurrentButNotSelected) {
  Plotara p;
  p.NewGraph("G");
  p.NewYAxis("right");
  EXPECT_EQ(p.GetSelectedAxisIndex(1), 2);
  EXPECT_EQ(Internals(p).State.Graphs[0].SelectedAxis, 0);
  p.NewXAxis("top", 1, 5);
  EXPECT_EQ(p.GetSelectedAxisIndex(0), 3);
  EXPECT_EQ(Internals(p).State.Graphs[0].Axes[3].AxisScale, 1);
}

TEST(Axes, SelectionMethodsFollowTheirRules) {
  // Axes: 0 X, 1 Y, 2 Y.
  struct Row {
    const char* call;
    int16_t arg;
    int16_t result;
    int16_t selected, currentX, currentY;
  };
  const Row rows[] = {
      {"SetSelectedAxis", 5, -1, 0, 0, 1},  // out of range: nothing changes
      {"SetSelectedAxis", 2, 1, 2, 0, 2},  {"SetSelectedAxis", 0, 0, 0, 0, 1}, {"SelectYaxis", 2, 2, 2, 0, 2},
      {"SelectYaxis", 3, 0, 0, 0, 1},  // no third Y axis: axis 0, an X axis
      {"SelectYaxis", 0, 0, 0, 0, 1},      {"SelectYaxis", -4, 0, 0, 0, 1},    {"SelectXaxis", 1, 0, 0, 0, 1},
      {"SelectYaxis", 1, 1, 1, 0, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.call) + " " + std::to_string(r.arg));
    Plotara p;
    p.NewGraph("G");
    p.NewYAxis("right");
    p.SetSelectedAxis(0);
    p.SelectYaxis(1);  // current Y back to axis 1
    p.SetSelectedAxis(0);
    const std::string call = r.call;
    const int16_t result = call == "SetSelectedAxis" ? p.SetSelectedAxis(r.arg)
                           : call == "SelectXaxis"   ? p.SelectXaxis(r.arg)
                                                     : p.SelectYaxis(r.arg);
    const GraphRecord& g = Internals(p).State.Graphs[0];
    EXPECT_EQ(result, r.result);
    EXPECT_EQ(g.SelectedAxis, r.selected);
    EXPECT_EQ(g.CurrentXAxis, r.currentX);
    EXPECT_EQ(g.CurrentYAxis, r.currentY);
  }
}

TEST(Selection, BeforeTheFirstGraphTheGraphMethodsReportErrorNine) {
  Plotara p;
  EventLog log(p);
  std::vector<std::string> names{"keep"};
  int16_t n = 7;
  p.SetSelectedData(1);
  p.NewXAxis("x");
  p.SetSelectedAxis(0);
  p.GetAxisNames(names, n);
  p.SetSelectedGraph(0);  // an index out of range is ignored without a report
  EXPECT_EQ(log.events, (std::vector<std::string>{
                            "Error 9 has occured in Plotara.ocx, SetSelectedData / Subscript out of range",
                            "Error 9 has occured in Plotara.ocx, NewXAxis / Subscript out of range",
                            "Error 9 has occured in Plotara.ocx, SetSelectedAxis / Subscript out of range",
                            "Error 9 has occured in Plotara.ocx, GetAxisNames / Subscript out of range"}));
  EXPECT_EQ(names, std::vector<std::string>{"keep"});
  EXPECT_EQ(n, 7);
  p.GetGraphNames(names, n);
  EXPECT_EQ(n, 0) << "an empty list is not a failure";
  EXPECT_EQ(names, std::vector<std::string>{""});
}

TEST(Selection, SetSelectedGraphBringsAGraphToTheFrontOnce) {
  Plotara p;
  p.NewGraph("A");
  p.NewGraph("B");
  p.NewGraph("C");
  EventLog log(p);
  p.SetSelectedGraph(0);
  EXPECT_EQ(Internals(p).State.GraphOrder, (std::vector<int16_t>{1, 2, 0}));
  EXPECT_EQ(p.GraphIndex(), 0);
  EXPECT_FALSE(Internals(p).State.Graphs[1].NotYetDrawn) << "the page is redrawn";
  EXPECT_EQ(log.Count("NewGraphInFront"), 1u);
  log.Take();
  p.SetSelectedGraph(0);  // already in front: nothing at all
  p.SetSelectedGraph(3);  // no such graph
  EXPECT_TRUE(log.events.empty());
  p.SetSelectedGraph(2);
  EXPECT_EQ(Internals(p).State.GraphOrder, (std::vector<int16_t>{1, 0, 2}));
  EXPECT_EQ(p.GetSelectedGraph(), 2);
}

TEST(Selection, DataSetsAreSelectedWithinRangeOnly) {
  Plotara p;
  p.NewGraph("G");
  p.NewDataSet("a");
  p.NewDataSet("b");
  int16_t sel = -1;
  p.GetSelectedData(sel);
  EXPECT_EQ(sel, 1);
  p.SetSelectedData(0);
  p.SetSelectedData(2);
  p.SetSelectedData(-1);
  p.GetSelectedData(sel);
  EXPECT_EQ(sel, 0);
  std::vector<std::string> names;
  int16_t n = 0;
  p.GetDataSetNames(names, n);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b", ""}));
}

TEST(NewGraph, TooManyGraphsOverflowAndLeaveTheModelWhole) {
  Plotara p;
  EventLog log(p);
  p.SuppressRaisingEvents(true);
  Control& c = Internals(p);
  for (int i = 0; i < 32767; ++i) p.NewGraph("g");
  ASSERT_TRUE(log.events.empty());
  p.NewGraph("one too many");
  EXPECT_EQ(log.events, std::vector<std::string>{"Error 6 has occured in Plotara.ocx, NewGraph / Overflow"});
  EXPECT_EQ(c.State.Graphs.size(), 32767u);
  EXPECT_EQ(c.State.GraphNames.size(), 32767u);
  EXPECT_EQ(c.State.GraphOrder.size(), 32767u);
  EXPECT_EQ(p.GraphIndex(), 32766);
}

}  // namespace
}  // namespace plotara
