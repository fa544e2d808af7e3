#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <span>
#include <vector>

#include "control/Internals.h"
#include "plotara/Plotara.h"
#include "support/Events.h"

namespace plotara {
namespace {

using test::EventLog;

const DataSetRecord& DataSet(Plotara& p, int k) {
  return Internals(p).State.Current().DataSets[static_cast<size_t>(k)];
}
const AxisRecord& Axis(Plotara& p, int i) {
  return Internals(p).State.Current().Axes[static_cast<size_t>(i)];
}

TEST(AutoDataStyle, TenDataSetsCycleSymbolsAndColours) {
  Plotara p;
  p.NewGraph("G");
  struct Row {
    int16_t symbol;
    OleColor colour;
  };
  const Row rows[10] = {{3, 0x00FF0000},  {4, 0x000000FF}, {5, 0x0000FF00}, {6, 0x0000FFFF},
                        {7, 0x00FF00FF},  {8, 0x00FFFF00}, {9, 0x00FF0000}, {10, 0x000000FF},
                        {11, 0x0000FF00}, {3, 0x0000FFFF}};
  for (int k = 0; k < 10; ++k) {
    p.NewDataSet("set " + std::to_string(k));
    const DataSetRecord& d = DataSet(p, k);
    SCOPED_TRACE(k);
    EXPECT_EQ(d.DataSymbol, rows[k].symbol);
    EXPECT_EQ(d.DataFill.Color1, rows[k].colour);
    EXPECT_EQ(d.DataLineColor, rows[k].colour);
    EXPECT_EQ(d.DataFill.EdgeColor, 0);
    EXPECT_EQ(d.DataSymbolSize, 45);  // 0.8 mm
    EXPECT_EQ(d.DataLineStyle, 0);
    EXPECT_TRUE(d.ShowErrorBar);
    EXPECT_EQ(d.BarShadowColor, 0x00646464);
    EXPECT_EQ(d.DataLegend, "set " + std::to_string(k));
  }
}

TEST(AutoDataStyle, LaterDataSetsInheritTheStyleBeforeThem) {
  Plotara p;
  p.NewGraph("G");
  p.NewDataSet("a");
  p.DataLineStyle(2);
  p.BarHoriz(true);
  p.AddText("note", 1, 2, 4, "", 0, 0, false);
  p.DataTextColor(0x123456);
  p.DataHide(true);
  p.NewDataSet("b", false);
  const DataSetRecord& b = DataSet(p, 1);
  EXPECT_EQ(b.DataLineStyle, 2);
  EXPECT_TRUE(b.BarHoriz);
  EXPECT_EQ(b.DataTextColor, 0x123456);
  EXPECT_TRUE(b.DataText.empty()) << "texts are not inherited";
  EXPECT_FALSE(b.DataHide);
  EXPECT_FALSE(b.DataInLegendTable);
  EXPECT_EQ(Internals(p).State.Current().SelectedDataSet, 1);
}

TEST(AddDataPoint, WidensAutomaticAxesAndRaisesTheEvent) {
  struct Row {
    double x, y;
    double x1, x2, y1, y2;
    size_t events;
  };
  const Row rows[] = {
      {2, 5, 2, 2, 5, 5, 0},  // the first point sets the limits without an event
      {4, 1, 2, 4, 1, 5, 1},
      {3, 3, 2, 4, 1, 5, 0},  // inside: nothing widens
      {-1, 9, -1, 4, 1, 9, 1},
  };
  Plotara p;
  p.NewGraph("G");
  p.NewDataSet("d");
  EventLog log(p);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.x);
    p.AddDataPoint(r.x, r.y);
    const AxisRecord& ax = Axis(p, 0);
    const AxisRecord& ay = Axis(p, 1);
    EXPECT_EQ(ax.AxisValue1, r.x1);
    EXPECT_EQ(ax.ScaleMax, r.x2);
    EXPECT_EQ(ax.DataMax, r.x2);
    EXPECT_EQ(ay.AxisValue1, r.y1);
    EXPECT_EQ(ay.DataMin, r.y1);
    EXPECT_EQ(ay.AxisValue2, r.y2);
    EXPECT_FALSE(ax.LimitsPending);
    EXPECT_EQ(log.Take().size(), r.events);
  }
}

TEST(AddDataPoint, FixedAxesWidenToo) {
  Plotara p;
  p.NewGraph("G", 0, 10, 0, 10);
  p.NewDataSet("d");
  EventLog log(p);
  p.AddDataPoint(20, 5);
  EXPECT_EQ(Axis(p, 0).AxisValue2, 20);
  EXPECT_EQ(Axis(p, 0).ScaleMax, 20);
  EXPECT_EQ(Axis(p, 0).AxisScale, 1);
  EXPECT_EQ(log.events, std::vector<std::string>{"GraphScaleChanged"});
}

TEST(AddDataPoint, GoesToTheLastDataSetAndKeepsEveryPointInOrder) {
  Plotara p;
  p.NewGraph("G");
  p.NewDataSet("a");
  p.AddDataPoint(1, 1);
  p.NewDataSet("b");
  p.SetSelectedData(0);
  for (int i = 0; i < 250; ++i) p.AddDataPoint(i, i * 0.5, i % 3);
  const GraphRecord& g = Internals(p).State.Current();
  EXPECT_EQ(g.DataSets[0].PointCount, 1);
  EXPECT_EQ(g.DataSets[1].PointCount, 250);
  EXPECT_EQ(g.NumPoints(), 251);
  for (int i = 0; i < 250; ++i) {
    const Point& pt = g.Points[static_cast<size_t>(i) + 1];
    ASSERT_EQ(pt.X, static_cast<float>(i));
    ASSERT_EQ(pt.Y, static_cast<float>(i * 0.5));
    ASSERT_EQ(pt.E, static_cast<float>(i % 3));
  }
}

TEST(AddDataPoint, NonFiniteValuesAreKeptButTakeNoPlaceOnAnAxis) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  Plotara p;
  p.NewGraph("G");
  p.NewDataSet("d");
  EventLog log(p);
  p.AddDataPoint(nan, inf, nan);  // first point: no limits taken from it
  EXPECT_TRUE(Axis(p, 0).LimitsPending);
  p.AddDataPoint(1, 2);
  p.AddDataPoint(-inf, nan, inf);
  p.AddDataPoint(inf, 3);
  EXPECT_EQ(Axis(p, 0).AxisValue1, 1);
  EXPECT_EQ(Axis(p, 0).AxisValue2, 1);
  EXPECT_EQ(Axis(p, 1).AxisValue1, 2);
  EXPECT_EQ(Axis(p, 1).AxisValue2, 3);
  EXPECT_EQ(log.Take(), std::vector<std::string>{"GraphScaleChanged"}) << "only the finite 3 widened";
  const GraphRecord& g = Internals(p).State.Current();
  ASSERT_EQ(g.NumPoints(), 4);
  EXPECT_TRUE(std::isnan(g.Points[0].X));
  EXPECT_TRUE(std::isinf(g.Points[0].Y));
  EXPECT_TRUE(std::isinf(g.Points[2].E));
}

TEST(AddDataPoint, AValueBeyondSinglePrecisionFailsAndChangesNothing) {
  Plotara p;
  p.NewGraph("G");
  p.NewDataSet("d");
  EventLog log(p);
  p.AddDataPoint(1e300, 1);
  EXPECT_EQ(log.events,
            std::vector<std::string>{"Error 6 has occured in Plotara.ocx, AddDataPoint / Overflow"});
  const GraphRecord& g = Internals(p).State.Current();
  EXPECT_EQ(g.NumPoints(), 0);
  EXPECT_EQ(g.DataSets[0].PointCount, 0);
  EXPECT_TRUE(g.Axes[0].LimitsPending);
}

TEST(DataMethods, WithoutAGraphOrDataSetNothingHappens) {
  Plotara p;
  EventLog log(p);
  p.NewDataSet("d");
  p.AddDataPoint(1, 2);
  p.AddMathFunc("x");
  p.AddText("t", 0, 0, 0, "", 0, 0, false);
  EXPECT_TRUE(log.events.empty());
  p.NewGraph("G");
  log.Take();
  p.AddDataPoint(1, 2);
  p.AddMathFunc("x");
  EXPECT_TRUE(log.events.empty());
  EXPECT_EQ(Internals(p).State.Current().NumPoints(), 0);
}

TEST(AddMathFunc, MakesTheLastDataSetALine) {
  struct Row {
    int16_t styleBefore, styleAfter;
  };
  for (const Row& r : {Row{0, 1}, Row{3, 3}, Row{-2, -2}}) {
    Plotara p;
    p.NewGraph("G");
    p.NewDataSet("f");
    p.DataLineStyle(r.styleBefore);
    p.AddMathFunc("SIN(x)", 1, 5);
    const DataSetRecord& d = DataSet(p, 0);
    EXPECT_EQ(d.DataLineStyle, r.styleAfter);
    EXPECT_EQ(d.DataSymbol, 0);
    EXPECT_FALSE(d.ShowErrorBar);
    EXPECT_EQ(d.MathFunc, "SIN(x)");
    EXPECT_EQ(d.MathFuncX2, 5);
  }
}

TEST(AddText, ATextAloneLosesItsLegendRow) {
  struct Row {
    bool point, function, keepsRow;
  };
  for (const Row& r : {Row{false, false, false}, Row{true, false, true}, Row{false, true, true}}) {
    Plotara p;
    p.NewGraph("G");
    p.NewDataSet("d", true);
    if (r.point) p.AddDataPoint(1, 1);
    if (r.function) p.AddMathFunc("x");
    p.AddText("", 1, 1, 0, "", 0, 0, false);
    EXPECT_TRUE(DataSet(p, 0).DataInLegendTable) << "an empty text changes nothing";
    p.AddText("label", 10, 20, 7, "Font=Arial|12", 255, 45, true);
    const DataSetRecord& d = DataSet(p, 0);
    EXPECT_EQ(d.DataInLegendTable, r.keepsRow);
    EXPECT_EQ(d.DataText, "label");
    EXPECT_EQ(d.DataTextOri, 7);
    EXPECT_EQ(d.DataTextAngle, 45);
    EXPECT_TRUE(d.DataTextPercent);
  }
}

TEST(NewDataSet, UsesTheAxesCurrentWhenItIsMade) {
  Plotara p;
  p.NewGraph("G");
  p.NewYAxis("right");
  p.NewDataSet("on right");
  p.SelectYaxis(1);
  p.NewDataSet("on left");
  EXPECT_EQ(DataSet(p, 0).DataYAxis, 2);
  EXPECT_EQ(DataSet(p, 1).DataYAxis, 1);
  p.SetSelectedData(0);
  EXPECT_EQ(p.yAxisIndex(), Variant(int16_t{2}));
  EXPECT_EQ(p.xAxisIndex().Type(), VarType::Integer);
}

// ---------------------------------------------------------------- many points at once

// Byte equality; an empty block may have no address, which memcmp must not be given.
bool SameBytes(const void* a, const void* b, size_t n) {
  return n == 0 || std::memcmp(a, b, n) == 0;
}

// The points, their summary and the axes as two controls hold them.
void ExpectSameData(Plotara& a, Plotara& b) {
  const GraphRecord& ga = Internals(a).State.Current();
  const GraphRecord& gb = Internals(b).State.Current();
  ASSERT_EQ(ga.NumPoints(), gb.NumPoints());
  ASSERT_TRUE(SameBytes(ga.Points.Data(), gb.Points.Data(), sizeof(Point) * ga.Points.Count()));
  const DataSetRecord &da = ga.DataSets.back(), &db = gb.DataSets.back();
  EXPECT_EQ(da.PointCount, db.PointCount);
  EXPECT_EQ(da.Index.Count(), db.Index.Count());
  EXPECT_EQ(da.Index.NonDecreasing(), db.Index.NonDecreasing());
  EXPECT_EQ(da.Index.AnyError(), db.Index.AnyError());
  for (int level = 0; level < BlockIndex::kLevels; ++level) {
    const auto &la = da.Index.Level(level), &lb = db.Index.Level(level);
    ASSERT_EQ(la.size(), lb.size()) << "level " << level;
    EXPECT_TRUE(SameBytes(la.data(), lb.data(), la.size() * sizeof la[0])) << "level " << level;
  }
  for (size_t k = 0; k < 2; ++k) {
    const AxisRecord &xa = ga.Axes[k], &xb = gb.Axes[k];
    EXPECT_EQ(xa.AxisValue1, xb.AxisValue1);
    EXPECT_EQ(xa.AxisValue2, xb.AxisValue2);
    EXPECT_EQ(xa.ScaleMin, xb.ScaleMin);
    EXPECT_EQ(xa.ScaleMax, xb.ScaleMax);
    EXPECT_EQ(xa.DataMin, xb.DataMin);
    EXPECT_EQ(xa.DataMax, xb.DataMax);
    EXPECT_EQ(xa.LimitsPending, xb.LimitsPending);
    EXPECT_EQ(xa.TimeOrigin, xb.TimeOrigin);
  }
}

TEST(AddDataPoints, TakeWhatAddDataPointTakesOneByOne) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  // Over several blocks of conversion, with values that are not finite where a block starts and inside
  // one.
  std::vector<double> x(20'000), y(x.size()), e(x.size());
  for (size_t i = 0; i < x.size(); ++i) {
    x[i] = 1.8e9 + static_cast<double>(i) * 0.25;  // seconds in 2027: far from 0, so a time origin shows
    y[i] = std::sin(static_cast<double>(i) * 0.01) * 1e3;
    e[i] = i % 7 == 0 ? 0.5 : 0;
  }
  std::vector<double> gaps = y, gapsAtFirst = y, backwards = x, errorGaps = e;
  gapsAtFirst[0] = nan;
  for (size_t i : {4096, 8192, 8200}) gaps[i] = inf;
  gaps[5000] = -inf;
  gaps[12'345] = nan;
  backwards[9000] = 0;
  errorGaps[64] = nan;
  const struct {
    const char* name;
    const std::vector<double>& x;
    const std::vector<double>& y;
    const std::vector<double>* e;
    bool time, fixed, skip, lead;  // lead: a point before them, so the summary starts part way into a block
  } cases[] = {
      {"plain", x, y, nullptr, false, false, false, true},
      {"errors", x, y, &e, false, false, false, false},
      {"gaps kept", x, gaps, nullptr, false, false, false, true},
      {"gaps left out", x, gaps, &errorGaps, false, false, true, false},
      {"first point missing, time axis", x, gapsAtFirst, &e, true, false, false, false},
      {"first point left out, time axis", x, gapsAtFirst, nullptr, true, false, true, false},
      {"fixed axes", x, gaps, nullptr, false, true, false, true},
      {"X goes back", backwards, y, nullptr, false, false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Plotara one, many;
    for (Plotara* p : {&one, &many}) {
      if (c.fixed) {
        p->NewGraph("G", 0, 10, 0, 10);
      } else {
        p->NewGraph("G");
      }
      if (c.time) p->AxisTime(true);
      p->NewDataSet("d");
      if (c.lead) p->AddDataPoint(1.8e9, 5);
    }
    for (size_t i = 0; i < c.x.size(); ++i) {
      double ei = c.e ? (*c.e)[i] : 0;
      if (c.skip && !(std::isfinite(c.x[i]) && std::isfinite(c.y[i]))) continue;
      if (c.skip && !std::isfinite(ei)) ei = 0;
      one.AddDataPoint(c.x[i], c.y[i], ei);
    }
    EventLog log(many);
    many.AddDataPoints(c.x, c.y, c.e ? std::span<const double>(*c.e) : std::span<const double>(), c.skip);
    ExpectSameData(one, many);
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"GraphScaleChanged"})) << "one event for the call";
  }
}

TEST(AddDataPoints, StopAtAValueASingleCannotHoldAndRefuseUnequalLengths) {
  std::vector<double> x(10'000), y(x.size(), 1.0);
  for (size_t i = 0; i < x.size(); ++i) x[i] = static_cast<double>(i);
  x[9000] = 1e300;
  Plotara p;
  p.NewGraph("G");
  p.NewDataSet("d");
  EventLog log(p);
  p.AddDataPoints(x, y);
  EXPECT_EQ(log.Take(),
            (std::vector<std::string>{"GraphScaleChanged",
                                      "Error 6 has occured in Plotara.ocx, AddDataPoints / Overflow"}));
  EXPECT_EQ(DataSet(p, 0).PointCount, 9000) << "the points before it are kept";
  EXPECT_EQ(Axis(p, 0).AxisValue2, 8999);
  const std::vector<double> shorter(10, 1.0);
  p.AddDataPoints(shorter, y);
  p.AddDataPoints(y, y, shorter);
  const std::vector<std::string> refused = log.Take();
  ASSERT_EQ(refused.size(), 2u);
  for (const std::string& e : refused)
    EXPECT_EQ(e.rfind("Error 5 has occured in Plotara.ocx, AddDataPoints", 0), 0u) << e;
  EXPECT_EQ(DataSet(p, 0).PointCount, 9000);
}

}  // namespace
}  // namespace plotara
