#include "render/Legend.h"

#include <gtest/gtest.h>

#include "platform/Conversions.h"
#include "support/Chart.h"
#include "support/Pixels.h"

namespace plotara {
namespace {

using test::Chart;
using test::CountColor;

constexpr OleColor kRed = 0x000000FF, kBlue = 0x00FF0000;

struct LegendChart : Chart {
  LegendChart() {
    p.NewGraph("G", 0, 10, 0, 10);
    p.LegendTableStyle("", -1, -1, -1, kRed, 1, kBlue);
  }
  const GraphRecord& g() { return c().State.Current(); }
};

TEST(LegendTable, ThreeRowsAndTheirSize) {
  LegendChart k;
  for (const char* name : {"alpha", "beta", "a much longer legend text"}) {
    k.p.NewDataSet(name);
    k.p.AddDataPoint(1, 1);
  }
  k.p.Refresh();
  Surface& s = *k.c().Picture1;
  s.FontName = "Arial";
  s.FontSize = 9;
  s.FontBold = s.FontItalic = false;
  const float rowHeight = s.TextHeight("A");
  EXPECT_EQ(k.g().LegendRectHeight, CInt(3.8 * rowHeight)) << "three rows and 0.8 of a row";
  EXPECT_EQ(k.g().LegendRectWidth,
            CInt(CInt(s.TextWidth("a much longer legend text")) + 12 * k.c().State.UnitsPerMmX));
  // Held inside the graph: LegendTableLeft 100 puts the table at the graph's right edge.
  EXPECT_EQ(k.g().LegendRectLeft + k.g().LegendRectWidth, k.g().RectLeft + k.g().RectWidth);
  EXPECT_EQ(k.g().LegendRectTop, k.g().RectTop);
  // The edge is red and the fill blue, on Picture1.
  const int left = Chart::Px(k.g().LegendRectLeft), top = Chart::Px(k.g().LegendRectTop);
  EXPECT_EQ(k.picture().Pixel(left, top + 5), kRed);
  EXPECT_GT(CountColor(k.picture(), left, top, left + 200, top + 60, kBlue), 100);
  // Its pixels are kept for dragging.
  EXPECT_EQ(k.c().ScratchPic1->Pixel(0, 5), kRed);
}

TEST(LegendTable, OnlyListedDataSetsHaveRows) {
  struct Row {
    const char* legend;
    bool hidden, inTable;
  };
  for (const Row& r : {Row{"", false, true}, Row{"hidden", true, true}, Row{"not wanted", false, false}}) {
    LegendChart k;
    k.p.NewDataSet(r.legend, r.inTable);
    k.p.AddDataPoint(1, 1);
    k.p.DataHide(r.hidden);
    k.p.Refresh();
    EXPECT_EQ(k.g().LegendRectWidth, 0) << r.legend;
    EXPECT_EQ(k.g().LegendRectHeight, 0) << r.legend;
  }
}

TEST(LegendTable, AGraphTooNarrowForItsTextsHasNoTable) {
  LegendChart k;
  k.p.NewDataSet("a legend text far wider than the graph it belongs to");
  k.p.GraphPosition(0, 0, 20, 50);
  k.p.Refresh();
  EXPECT_EQ(k.g().LegendRectWidth, 0);
}

TEST(LegendTable, HiddenKeepsItsLastSize) {
  LegendChart k;
  k.p.NewDataSet("shown");
  k.p.Refresh();
  const int16_t width = k.g().LegendRectWidth;
  EXPECT_GT(width, 0);
  k.p.LegendShow(false);
  k.p.Refresh();
  EXPECT_EQ(k.g().LegendRectWidth, width);
  EXPECT_EQ(CountColor(k.picture(), 0, 0, 400, 300, kRed), 0);
}

TEST(LegendTable, BehindTheDataTheSymbolsCoverIt) {
  for (bool inFront : {true, false}) {
    LegendChart k;
    k.p.LegendTableStyle("", -1, 40, 40, kRed, 1, kBlue);
    k.p.LegendInFront(inFront);
    k.p.NewDataSet("points over the legend");
    k.p.SymbolStyle(4, 3, 0x0000FF00);
    for (double x = 3; x <= 9; x += 0.25)
      for (double y = 3; y <= 7; y += 0.25) k.p.AddDataPoint(x, y);
    k.p.Refresh();
    const int left = Chart::Px(k.g().LegendRectLeft), top = Chart::Px(k.g().LegendRectTop);
    const int green = CountColor(k.picture(), left + 60, top, left + k.g().LegendRectWidth / 15,
                                 top + k.g().LegendRectHeight / 15, 0x0000FF00);
    EXPECT_EQ(green > 0, !inFront) << "in front " << inFront;
  }
}

TEST(LegendPosition, StoresTheCornerAndTheNextTableHoldsItInside) {
  LegendChart k;
  k.p.NewDataSet("d");
  k.p.Refresh();
  LegendPosition(k.state(), k.notify(), 0, 1000000, -50);
  EXPECT_EQ(k.g().LegendRectLeft, 1000000);
  LegendTable(k.d(), k.d().Picture1, 0);
  EXPECT_EQ(k.g().LegendRectLeft + k.g().LegendRectWidth, k.g().RectLeft + k.g().RectWidth);
  EXPECT_EQ(k.g().LegendRectTop, k.g().RectTop);
}

}  // namespace
}  // namespace plotara
