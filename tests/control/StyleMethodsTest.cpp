#include <gtest/gtest.h>

#include "plotara/Automation.h"
#include "plotara/Plotara.h"
#include "support/Events.h"

namespace plotara {
namespace {

struct Fixture {
  Plotara p;
  test::EventLog log{p};
  Fixture() {
    p.NewGraph("G");
    p.NewDataSet("d");
    log.Take();
  }
};

TEST(StyleMethods, ArgumentsLeftOutKeepOrWriteTheirFields) {
  // Each row calls a method with no arguments through the interface, then reads properties.
  struct Row {
    const char* method;
    std::vector<std::pair<const char*, Variant>> after;
  };
  const Row rows[] = {
      {"AxisStyle",
       {{"AxisColor", Variant(0)}, {"AxisThickness", Variant(uint8_t{1})}, {"AxisLog", Variant(false)}}},
      {"AxisGridStyle",
       {{"AxisGridMajor", Variant(true)},
        {"AxisGridMinor", Variant(true)},
        {"AxisMajGridColor", Variant(0x00D2D2D2)}}},
      {"AxisTickStyle",
       {{"AxisTicksInside", Variant(true)},
        {"AxisTicksOutside", Variant(false)},
        {"AxisTicksBothEnds", Variant(true)}}},
      {"AxisTitleStyle", {{"AxisTitle", Variant("x-axis")}, {"AxisTitleShift", Variant(-1.0f)}}},
      {"AxisLabelStyle", {{"AxisLabelsHoriz", Variant(int16_t{0})}, {"AxisLabelShift", Variant(0.0f)}}},
      {"AxisScaleStyle", {{"AxisScale", Variant(uint8_t{1})}, {"AxisMajorDivs", Variant(int16_t{5})}}},
      {"GraphPosition", {{"GraphLeft", Variant(0.0f)}, {"GraphWidth", Variant(100.0f)}}},
      {"GraphTitleStyle", {{"GraphTitleHShift", Variant(0.0f)}, {"GraphShowTitle", Variant(true)}}},
      {"PlotAreaColors",
       {{"PlotAreaColor1", Variant(static_cast<int32_t>(0x80000018))},
        {"PlotAreaGStyle", Variant(1.0f)},
        {"PlotAreaTransparent", Variant(0)}}},
      {"DataLine", {{"DataLineThickness", Variant(uint8_t{1})}, {"DataLineStyle", Variant(int16_t{1})}}},
      {"SymbolStyle",
       {{"DataSymbol", Variant(int16_t{3})}, {"ShowErrorBar", Variant(true)}, {"Bar3D", Variant(false)}}},
      {"LegendTableStyle", {{"LegendShow", Variant(true)}, {"LegendGStyle", Variant(1.0f)}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.method);
    Fixture f;
    f.p.AxisLog(true);
    f.p.DataLineStyle(0);
    f.p.DataLineThickness(3);
    Invoke(f.p, r.method);
    for (const auto& [prop, value] : r.after) EXPECT_EQ(Get(f.p, prop), value) << prop;
    EXPECT_TRUE(f.log.events.empty());
  }
}

TEST(StyleMethods, FillMethodsMakeAPlainAreaFromOneColour) {
  Fixture f;
  f.p.PlotAreaColors(0x0000FF00);
  EXPECT_EQ(f.p.PlotAreaColor1(), 0x0000FF00);
  EXPECT_EQ(f.p.PlotAreaColor2(), 0x0000FF00);
  EXPECT_EQ(f.p.PlotAreaGStyle(), 1);
  EXPECT_EQ(f.p.PlotAreaTransparent(), 0);
  f.p.PageColors(0xFF, 0xFF0000, 45, 0.5f, 99, true);
  EXPECT_EQ(f.p.PageColor2(), 0xFF0000);
  EXPECT_EQ(f.p.PageGradient(), 45);
  EXPECT_EQ(f.p.PageGStyle(), 0) << "99 leaves the style alone";
  EXPECT_EQ(f.p.PageTransparent(), -1);
  f.p.BorderStyle(0x00FFFF, -1, -1, -1, 2, false, 20, -1, 5, -1);
  EXPECT_EQ(f.p.BorderColor2(), 0x00FFFF);
  EXPECT_EQ(f.p.BorderGStyle(), 2);
  EXPECT_FLOAT_EQ(f.p.BorderLeft(), 20);
  EXPECT_FLOAT_EQ(f.p.BorderRight(), 5);
  EXPECT_FLOAT_EQ(f.p.BorderTop(), 7);
}

TEST(StyleMethods, SymbolStyleSetsTheOutlineFromTheColourAndResetsBarOptions) {
  Fixture f;
  f.p.BarShadow(true);
  f.p.BarStacked(true);
  f.p.ShowErrorBar(false);
  f.p.SymbolStyle(5, -1, 0x000000FF);
  EXPECT_EQ(f.p.DataSymbol(), 5);
  EXPECT_EQ(f.p.DataSymbolColor(), 0xFF);
  EXPECT_EQ(f.p.DataSymbolEdgeColor(), 0xFF);
  EXPECT_FALSE(f.p.BarShadow());
  EXPECT_FALSE(f.p.BarStacked());
  EXPECT_TRUE(f.p.ShowErrorBar());
}

TEST(StyleMethods, AxisScaleStyleFixesOrFreesTheRange) {
  Fixture f;
  f.p.AxisScaleStyle(2, 8);
  EXPECT_EQ(f.p.AxisScale(), 1);
  EXPECT_EQ(f.p.AxisValue1(), 2);
  EXPECT_EQ(f.p.AxisValue2(), 8);
  f.p.AxisMajorDivs(7);
  f.p.AxisScaleStyle(2, 8, "a,b", 0);
  EXPECT_EQ(f.p.AxisScale(), 0);
  EXPECT_EQ(f.p.AxisTextLabels(), "a,b");
  EXPECT_EQ(f.p.AxisMajorDivs(), 7) << "divisions left out are kept";
  f.p.AxisScaleStyle(0, 1, "", 2, 4, 3);
  EXPECT_EQ(f.p.AxisMajorDivs(), 4);
  EXPECT_EQ(f.p.AxisMinorDivs(), 3);
}

TEST(StyleMethods, AFailingRowIsReportedAndEarlierRowsStay) {
  Fixture f;
  f.p.AxisStyle(0x00FF00, 300, true);
  EXPECT_EQ(f.log.Take(),
            std::vector<std::string>{"Error 6 has occured in Plotara.ocx, AxisStyle / Overflow"});
  EXPECT_EQ(f.p.AxisColor(), 0x00FF00);
  EXPECT_FALSE(f.p.AxisLog()) << "rows after the failure are skipped";
  f.p.LegendTableStyle("Font=Arial|12", 0xFF, -1, -1, -1, 256);
  EXPECT_EQ(f.log.Take(),
            std::vector<std::string>{"Error 6 has occured in Plotara.ocx, LegendTableStyle / Overflow"});
  EXPECT_EQ(f.p.LegendFont(), "Font=Arial|12");
  Plotara empty;
  test::EventLog log(empty);
  empty.PageColors(0xFF);
  empty.SymbolStyle(4);
  EXPECT_EQ(log.events, (std::vector<std::string>{
                            "Error 9 has occured in Plotara.ocx, PageColors / Subscript out of range",
                            "Error 9 has occured in Plotara.ocx, SymbolStyle / Subscript out of range"}));
}

TEST(StyleMethods, GraphTitleStyleRenamesTheGraph) {
  Fixture f;
  f.p.GraphTitleStyle("Revenue", "", -1, 3, -2);
  std::vector<std::string> names;
  int16_t n = 0;
  f.p.GetGraphNames(names, n);
  EXPECT_EQ(names[1], "Revenue");
  EXPECT_FLOAT_EQ(f.p.GraphTitleHShift(), 3);
  EXPECT_FLOAT_EQ(f.p.GraphTitleVShift(), -2);
}

TEST(StyleMethods, GraphPositionWithoutArgumentsOnlyEndsTheWholePageLayout) {
  Fixture f;
  f.p.GraphWholePage(true);
  f.p.GraphPosition();
  EXPECT_FALSE(f.p.GraphWholePage());
  EXPECT_FLOAT_EQ(f.p.GraphWidth(), 100);
  f.p.GraphPosition(10, -1, 50);
  EXPECT_FLOAT_EQ(f.p.GraphLeft(), 10);
  EXPECT_FLOAT_EQ(f.p.GraphWidth(), 50);
}

}  // namespace
}  // namespace plotara
