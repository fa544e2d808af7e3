#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "control/Internals.h"
#include "plotara/Automation.h"
#include "plotara/Plotara.h"
#include "support/Errors.h"
#include "support/Events.h"

namespace plotara {
namespace {

// A control with one graph and one data set.
struct Fixture {
  Plotara p;
  Fixture() {
    p.NewGraph("G");
    p.NewDataSet("d");
  }
};

TEST(Properties, EveryFamilyStoresWithItsConversion) {
  struct Row {
    const char* name;
    Variant put;
    Variant get;  // what reads back
  };
  const Row rows[] = {
      {"AxisTitle", Variant(12.5), Variant("12.5")},  // any value as text
      {"AxisTickLength", Variant(3.0f), Variant(170 / 56.6929134f)},
      {"AxisLabelsHoriz", Variant(int16_t{45}), Variant(int16_t{45})},
      {"LegendGStyle", Variant(2.5f), Variant(2.0f)},  // rounded half to even
      {"LegendGStyle", Variant(3.5f), Variant(4.0f)},
      {"LegendTransparent", Variant(5), Variant(-1)},
      {"LegendTransparent", Variant(0), Variant(0)},
      {"LegendEdgeThickness", Variant(255), Variant(255)},
      {"BorderEdgeThickness", Variant(int16_t{3}), Variant(int16_t{3})},
      {"PlotTopMargin", Variant(5.0f), Variant(5.0f)},
      {"GraphLeft", Variant(25.0f), Variant(25.0f)},
      {"PageGStyle", Variant(1.4f), Variant(1.0f)},
      {"DataSymbolSize", Variant(3.0f), Variant(85 / 56.6929134f * 2)},
      {"BarOffset", Variant(1.25f), Variant(1.25f)},
      {"DataLineThickness", Variant(uint8_t{4}), Variant(uint8_t{4})},
      {"MathFuncX2", Variant(1e300), Variant(1e300)},
      {"AxisTextLabels", Variant("Jan,Feb"), Variant("Jan,Feb")},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Fixture f;
    Put(f.p, r.name, r.put);
    const Variant got = Get(f.p, r.name);
    if (got.Type() == VarType::Single) {
      EXPECT_NEAR(got.ToDouble(), r.get.ToDouble(), 1e-5);
    } else {
      EXPECT_EQ(got, r.get);
    }
  }
}

TEST(Properties, MillimetresAndPercentagesAreStoredInTheirUnits) {
  Fixture f;
  f.p.PlotTopMargin(5);
  EXPECT_FLOAT_EQ(f.p.BorderTop(), 5) << "two names, one property";
  EXPECT_NEAR(Internals(f.p).State.Current().BorderTop, 5 * 56.6929, 0.01);
  f.p.GraphWholePage(true);
  f.p.GraphLeft(25);
  EXPECT_FLOAT_EQ(Internals(f.p).State.Current().PosLeft, 0.25f);
  EXPECT_FALSE(f.p.GraphWholePage());
  f.p.PlotLeftMargin(10);
  EXPECT_FLOAT_EQ(f.p.PlotLeftMargin(), 10);
}

TEST(Properties, TickLengthRoundsToWholeSurfaceUnits) {
  Fixture f;
  Internals(f.p).State.UnitsPerMmX = 3.78f;  // a surface in pixels
  f.p.AxisTickLength(1.5f);
  EXPECT_EQ(Internals(f.p).State.Current().Axes[0].AxisTickLength, 6);
  EXPECT_NEAR(f.p.AxisTickLength(), 1.587, 1e-3);
}

TEST(Properties, AxisLimitsMakeAFixedAxis) {
  Fixture f;
  EXPECT_EQ(f.p.AxisScale(), 0);
  f.p.AxisValue1(3);
  EXPECT_EQ(f.p.AxisScale(), 1);
  f.p.AxisValue2(8);
  EXPECT_EQ(f.p.AxisValue1(), 3);
  EXPECT_EQ(f.p.AxisValue2(), 8);
  const AxisRecord& a = Internals(f.p).State.Current().Axes[0];
  EXPECT_EQ(a.ScaleMin, 3);
  EXPECT_EQ(a.ScaleMax, 8);
  f.p.AddDataPoint(1, 1);  // widens the limits, the full range and the data range
  f.p.AxisScale(0);
  EXPECT_EQ(f.p.AxisValue1(), 1) << "automatic again: the full range is the data range";
  EXPECT_EQ(f.p.AxisValue2(), 0) << "the data range of an axis created without limits";
}

TEST(Properties, MissingRecordsFailWithNineAndNoEvent) {
  Plotara p;
  test::EventLog log(p);
  EXPECT_EQ(test::ErrorNumberOf([&] { p.AxisColor(5); }), 9);
  EXPECT_EQ(test::ErrorNumberOf([&] { p.PageColor1(5); }), 9) << "the page properties want a graph too";
  EXPECT_EQ(test::ErrorNumberOf([&] { p.GraphLeft(); }), 9);
  p.NewGraph("G");
  log.Take();
  EXPECT_EQ(test::ErrorNumberOf([&] { p.DataSymbol(4); }), 9) << "no data set yet";
  EXPECT_EQ(test::ErrorNumberOf([&] { p.xAxisIndex(); }), 9);
  Internals(p).State.Current().SelectedAxis = 7;
  EXPECT_EQ(test::ErrorNumberOf([&] { p.AxisColor(); }), 9);
  EXPECT_TRUE(log.events.empty());
}

TEST(Properties, ValuesThatDoNotFitFailWithSixAndChangeNothing) {
  Fixture f;
  struct Row {
    const char* name;
    Variant value;
  };
  const Row rows[] = {
      {"LegendEdgeThickness", Variant(256)}, {"AxisThickness", Variant(300)},
      {"AxisTickLength", Variant(1e6f)},     {"LegendGStyle", Variant(40000.0f)},
      {"DataSymbolSize", Variant(2000.0f)},  {"AxisDP", Variant(40000)},
      {"PageEdgeThickness", Variant(-1)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const Variant before = Get(f.p, r.name);
    EXPECT_EQ(test::ErrorNumberOf([&] { Put(f.p, r.name, r.value); }), 6);
    EXPECT_EQ(Get(f.p, r.name), before);
  }
  EXPECT_EQ(test::ErrorNumberOf([&] { Put(f.p, "AxisColor", Variant("red")); }), 13);
}

// The typed setters take any integer and refuse one the property's type cannot hold, as the by-name path
// does, instead of storing what is left of it after a silent narrowing.
TEST(Properties, TypedSettersCheckTheRangeOfWhatTheyAreGiven) {
  Fixture f;
  struct Row {
    const char* name;
    std::function<void(int64_t)> set;
    int64_t value;
  };
  const Row rows[] = {
      {"AxisThickness", [&](int64_t v) { f.p.AxisThickness(v); }, 300},
      {"AxisThickness", [&](int64_t v) { f.p.AxisThickness(v); }, -1},
      {"AxisLabelsHoriz", [&](int64_t v) { f.p.AxisLabelsHoriz(v); }, 40000},
      {"AxisMajorDivs", [&](int64_t v) { f.p.AxisMajorDivs(v); }, -32769},
      {"AxisColor", [&](int64_t v) { f.p.AxisColor(v); }, int64_t{1} << 32},
      {"LegendEdgeThickness", [&](int64_t v) { f.p.LegendEdgeThickness(v); }, -2147483649},
      {"AxisScale", [&](int64_t v) { f.p.AxisScale(v); }, 256},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const Variant before = Get(f.p, r.name);
    EXPECT_EQ(test::ErrorNumberOf([&] { r.set(r.value); }), 6);
    EXPECT_EQ(Get(f.p, r.name), before);
    EXPECT_EQ(test::ErrorNumberOf([&] { Put(f.p, r.name, Variant(static_cast<double>(r.value))); }), 6)
        << "the by-name path agrees";
  }
  // Within range the value is stored as given.
  const int64_t thick = 200, angle = -90;
  f.p.AxisThickness(thick);
  f.p.AxisLabelsHoriz(angle);
  EXPECT_EQ(f.p.AxisThickness(), 200);
  EXPECT_EQ(f.p.AxisLabelsHoriz(), -90);
}

TEST(Properties, AllOneHundredTwentyFivePropertiesAreInTheTableAndReadBack) {
  Fixture f;
  // The time axes and readable labels add four properties of their own beside the 125.
  const std::set<std::string> additions = {"AxisTime", "AxisTimeFormat", "AxisTimeZone", "ReadableLabels"};
  int properties = 0, added = 0;
  for (const MemberInfo& m : Members().All()) {
    if (m.Kind != MemberKind::Property) continue;
    // The control's own properties and the view's limits are not among them.
    static const std::set<std::string> others = {"Version",       "GraphIndex",     "SuppressRaisingEvents",
                                                 "WheelZoom",     "PinchZoom",      "TouchPan",
                                                 "KeyNavigation", "AxisViewValue1", "AxisViewValue2"};
    if (others.count(m.Name)) continue;
    ++(additions.count(m.Name) ? added : properties);
    SCOPED_TRACE(m.Name);
    const Variant v = Get(f.p, m.Name);
    if (m.Put) {
      EXPECT_NO_THROW(Put(f.p, m.Name, v));
      EXPECT_EQ(Get(f.p, m.Name), v) << "writing back what was read changes nothing";
    }
  }
  EXPECT_EQ(properties, 125);
  EXPECT_EQ(added, 4);
}

}  // namespace
}  // namespace plotara
