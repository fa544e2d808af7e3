#include "render/Symbols.h"

#include <gtest/gtest.h>

#include "support/Chart.h"
#include "support/Events.h"
#include "support/Pixels.h"

namespace plotara {
namespace {

using test::Chart;
using test::CountColor;
using test::FindInk;
using test::kWhite;

constexpr OleColor kRed = 0x000000FF, kBlue = 0x00FF0000;

// A graph with one data set whose symbols are red (edge blue when edge > 0), and an empty picture.
struct SymbolChart : Chart {
  explicit SymbolChart(uint8_t edge = 0, bool transparent = false) {
    p.NewGraph("G", 0, 10, 0, 10);
    p.NewDataSet("d");
    p.DataSymbolColor(kRed);
    p.DataSymbolEdgeColor(kBlue);
    p.DataSymbolEdgeThickness(edge);
    p.DataTransparent(transparent);
    c().Picture1->Cls();
  }
  // Draws a symbol of half-size `size` twips at the centre of the picture.
  test::InkBox Draw(int16_t symbol, int16_t size) {
    DataPoint(notify(), d().Picture1, item(), symbol, 200 * 15, 150 * 15, size, false, 0, 0);
    test::InkBox b = FindInk(picture());
    b.x0 -= 200;
    b.x1 -= 200;
    b.y0 -= 150;
    b.y1 -= 150;
    return b;
  }
};

TEST(DataPoint, ShapesHaveTheirSizes) {
  struct Row {
    int16_t symbol;
    int x0, x1, y0, y1;  // ink relative to the centre, in pixels
  };
  // Size 150 twips = 10 pixels.
  const Row rows[] = {
      {3, -10, 10, -10, 10},  // circle
      {4, -10, 10, -10, 10},  // square, right and bottom edges included
      {5, -10, 10, -10, 10},  // diamond
      {6, -10, 10, -15, 5},   // triangle up: apex 1.5 sizes above, base half a size below
      {7, -10, 10, -5, 15},   // triangle down
      {8, -13, 13, -8, 8},    // wide rectangle: 195 and 115 twips
      {9, -8, 8, -13, 13},    // tall rectangle
      {10, -10, 9, -9, 10},   // plus: half a pixel more (7 twips) still rounds to the pixel left out
      {11, -10, 9, -10, 10},  // cross
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.symbol);
    SymbolChart k;
    const test::InkBox b = k.Draw(r.symbol, 150);
    EXPECT_EQ(b.x0, r.x0);
    EXPECT_EQ(b.x1, r.x1);
    EXPECT_EQ(b.y0, r.y0);
    EXPECT_EQ(b.y1, r.y1);
  }
}

TEST(DataPoint, SymbolZeroDrawsNothingAndLeavesTheFillHollow) {
  SymbolChart k;
  k.c().Picture1->FillStyle = FillKind::Solid;
  EXPECT_TRUE(k.Draw(0, 150).Empty());
  EXPECT_EQ(k.c().Picture1->FillStyle, FillKind::Transparent);
}

TEST(DataPoint, OutlinesFollowTheEdge) {
  SymbolChart plain(0), edged(3);
  plain.Draw(4, 150);
  edged.Draw(4, 150);
  EXPECT_EQ(CountColor(plain.picture(), 0, 0, 400, 300, kBlue), 0) << "no edge: outlined in the fill colour";
  EXPECT_EQ(plain.picture().Pixel(190, 140), kRed);
  EXPECT_EQ(edged.picture().Pixel(200, 150), kRed);
  EXPECT_EQ(edged.picture().Pixel(190, 150), kBlue);
  EXPECT_EQ(edged.picture().Pixel(191, 150), kBlue) << "a three-pixel pen";
  EXPECT_EQ(edged.picture().Pixel(192, 150), kRed);
}

TEST(DataPoint, TransparentDataSetsHaveHollowSymbols) {
  for (int16_t symbol : {3, 4, 5, 6}) {
    SymbolChart k(0, true);
    k.Draw(symbol, 150);
    EXPECT_EQ(k.picture().Pixel(200, 149), kWhite) << symbol;
    EXPECT_GT(CountColor(k.picture(), 0, 0, 400, 300, kRed), 20) << symbol;
  }
}

TEST(DataPoint, OtherCodesPrintTheirCharacter) {
  SymbolChart a, negative, b;
  const test::InkBox boxA = a.Draw(65, 150);
  negative.Draw(-65, 150);
  b.Draw(66, 150);
  EXPECT_FALSE(boxA.Empty());
  EXPECT_NEAR((boxA.x0 + boxA.x1) / 2.0, 0, 2) << "centred on the point";
  EXPECT_NEAR((boxA.y0 + boxA.y1) / 2.0, 0, 3);
  int differ = 0, same = 0;
  for (int y = 130; y < 170; ++y)
    for (int x = 180; x < 220; ++x) {
      differ += a.picture().Pixel(x, y) != b.picture().Pixel(x, y);
      same += a.picture().Pixel(x, y) != negative.picture().Pixel(x, y);
    }
  EXPECT_EQ(same, 0) << "-65 is A as well";
  EXPECT_GT(differ, 0);
}

TEST(Triangle, ApexAndBaseInSurfaceUnits) {
  // Size 3 twips: the apex 4 units above the point, the base 1 below (in whole pixels after conversion).
  SymbolChart k;
  k.p.DataSymbolEdgeThickness(0);
  Surface& s = *k.c().Picture1;
  s.FillStyle = FillKind::Transparent;
  s.ForeColor = kRed;
  Triangle(k.notify(), s, true, 200 * 15, 150 * 15 + 60, 150);
  const test::InkBox b = FindInk(k.picture());
  EXPECT_EQ(b.y0, 150 + 4 - 15);
  EXPECT_EQ(b.y1, 150 + 4 + 5);
}

TEST(Bars, BaseOffsetShadowAndOutline) {
  struct Row {
    const char* what;
    bool base, transparent, shadow;
    float offset;
  };
  for (const Row& r :
       {Row{"base 5, value 3", true, false, false, 0}, Row{"offset 2 mm", false, false, false, 2},
        Row{"transparent", false, true, false, 0}, Row{"shadow", false, false, true, 0}}) {
    SCOPED_TRACE(r.what);
    Chart k;
    k.p.NewGraph("G", 0, 10, 0, 10);
    k.p.BorderStyle(kWhite);
    k.p.PlotAreaColors(kWhite);
    k.p.LegendShow(false);
    k.p.NewDataSet("bars");
    k.p.SymbolStyle(1, 4, kRed, -1, -1, false, r.offset, r.shadow, false, r.base, 5);
    k.p.DataTransparent(r.transparent);
    k.p.BarShadowColor(kBlue);
    k.p.AddDataPoint(5, 3);
    k.p.Refresh();
    const Chart::Box b = k.Plot();
    auto column = [&](double x) { return b.L + static_cast<int>(std::lround((b.R - b.L) * x / 10)); };
    auto row = [&](double y) { return b.B - static_cast<int>(std::lround((b.B - b.T) * y / 10)); };
    const int x = column(5) + (r.offset != 0 ? 8 : 0);  // 2 mm is about 7.6 pixels
    if (r.base) {
      EXPECT_EQ(k.picture().Pixel(x, row(4)), kRed);
      EXPECT_EQ(k.picture().Pixel(x, row(2)), kWhite) << "from 5 down to 3 only";
    } else if (r.transparent) {
      EXPECT_EQ(k.picture().Pixel(x, row(1)), kWhite) << "hollow";
      EXPECT_GT(CountColor(k.picture(), 0, row(3), 400, row(3) + 1, kRed), 5);
    } else {
      EXPECT_EQ(k.picture().Pixel(x, row(1)), kRed);
      EXPECT_EQ(k.picture().Pixel(x, row(3.5)), kWhite);
    }
    if (r.shadow) {
      // One millimetre right and down.
      EXPECT_EQ(k.picture().Pixel(column(5) + 9, row(2.5)), kBlue);
    }
    if (r.offset != 0) {
      EXPECT_EQ(k.picture().Pixel(column(5) - 8, row(1)), kWhite);
    }
  }
}

TEST(Bars, ShadedBarsRunFromTheEdgeColourInward) {
  Chart k;
  k.p.NewGraph("G", 0, 10, 0, 10);
  k.p.LegendShow(false);
  k.p.NewDataSet("bars");
  k.p.SymbolStyle(1, 6, kRed, 0x00000000, -1, true);
  k.p.AddDataPoint(5, 8);
  k.p.Refresh();
  const Chart::Box b = k.Plot();
  const int y = (b.T + b.B) / 2 + 20;
  int left = 400, right = 0;
  for (int x = 0; x < 400; ++x)
    if (GreenOf(k.picture().Pixel(x, y)) == 0 && BlueOf(k.picture().Pixel(x, y)) == 0) {
      if (x > b.L + 2 && x < b.R - 2) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  ASSERT_LT(left, right);
  EXPECT_LT(RedOf(k.picture().Pixel(left, y)), 40) << "the long sides carry the edge colour (black)";
  EXPECT_GT(RedOf(k.picture().Pixel((left + right) / 2, y)), 200) << "the middle approaches the fill colour";
}

}  // namespace
}  // namespace plotara
