#include "render/SymbolStamp.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

#include "render/DataPlot.h"
#include "render/Pipeline.h"
#include "support/Chart.h"
#include "support/Pixels.h"
#include "surface/CairoSurface.h"
#include "surface/SmoothSurface.h"

namespace plotara {
namespace {

using test::Chart;

constexpr OleColor kRed = 0x000000FF, kBlue = 0x00FF0000;

struct Style {
  int16_t symbol, size;  // size in twips
  OleColor edgeColour;
  uint8_t edge;
  bool transparent;
};

// A graph 0..10 with one data set of symbols at points that crowd, repeat, lie just outside the limits
// and are not finite, drawn by PlotDataSets and, for reference, point by point through DataPointXY.
template <class S>
struct Pictures {
  S plotted{96}, reference{96};
  int inked = 0, differing = 0, worst = 0;
  std::string first;

  explicit Pictures(const Style& st) {
    Chart k;
    k.p.NewGraph("G", 0, 10, 0, 10);
    k.p.NewDataSet("d");
    k.p.DataSymbolColor(kRed);
    k.p.DataSymbolEdgeColor(st.edgeColour);
    k.p.DataSymbolEdgeThickness(st.edge);
    k.p.DataTransparent(st.transparent);
    Control& c = k.c();
    DataSetRecord& d = c.State.Current().DataSets[0];
    d.DataSymbol = st.symbol;
    d.DataSymbolSize = st.size;
    d.ShowErrorBar = true;  // no error values: no bars
    std::mt19937 rng(st.symbol * 100 + st.size + st.edge);
    std::uniform_real_distribution<double> u(-0.05, 10.05);
    std::vector<std::pair<double, double>> pts;
    for (int i = 0; i < 3000; ++i) pts.emplace_back(u(rng), u(rng));
    for (int i = 0; i < 300; ++i) pts.push_back(pts[static_cast<size_t>(i) * 7]);  // the same pixels again
    for (int i = 0; i < 200; ++i) pts.emplace_back(5 + 0.01 * (i % 9), 5 + 0.01 * (i / 9));  // crowded
    pts.emplace_back(std::numeric_limits<double>::quiet_NaN(), 3);
    for (const auto& [x, y] : pts) k.p.AddDataPoint(x, y, 0);
    k.p.Refresh();  // lays the graph out
    for (S* s : {&plotted, &reference}) {
      s->Move(0, 0, 400 * 15, 300 * 15);
      s->Cls();
    }
    PlotDataSets(k.d(), plotted);
    ClipGraphArea(k.state(), k.notify(), reference, kAreaPlot);
    const ItemView item = k.item();
    for (size_t j = 0; j < c.State.Current().Points.Count(); ++j) {
      const Point& p = c.State.Current().Points[j];
      if (std::isfinite(p.X) && std::isfinite(p.Y))
        DataPointXY(k.notify(), reference, item, st.symbol, p.X, p.Y, p.E, st.size, 0, 0);
    }
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 400; ++x) {
        const OleColor a = plotted.Pixel(x, y), b = reference.Pixel(x, y);
        inked += a != test::kWhite;
        if (a != b && differing++ == 0) first = std::to_string(x) + "," + std::to_string(y);
        for (int shift = 0; shift < 24; shift += 8)
          worst = std::max(
              worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
      }
  }
};

const Style kStyles[] = {
    {kSymbolCircle, 60, kRed, 0, false},          {kSymbolCircle, 150, kBlue, 1, false},
    {kSymbolCircle, 150, kBlue, 1, true},         {kSymbolCircle, 90, kBlue, 3, false},
    {kSymbolSquare, 60, kBlue, 1, false},         {kSymbolSquare, 120, kBlue, 2, true},
    {kSymbolDiamond, 90, kBlue, 1, false},        {kSymbolDiamond, 150, kRed, 0, true},
    {kSymbolWideRectangle, 100, kBlue, 1, false}, {kSymbolTallRectangle, 100, kBlue, 3, false},
    {kSymbolTriangleUp, 90, kBlue, 1, false},  // drawn one by one
};

std::string Name(const Style& st) {
  return "symbol " + std::to_string(st.symbol) + " size " + std::to_string(st.size) + " edge " +
         std::to_string(st.edge) + (st.transparent ? " hollow" : "");
}

TEST(SymbolStamp, CopiesGiveThePictureOfDrawingEachSymbol) {
  for (const Style& st : kStyles) {
    SCOPED_TRACE(Name(st));
    const Pictures<CairoSurface> p(st);
    EXPECT_GT(p.inked, 2000);
    EXPECT_EQ(p.differing, 0) << "first at " << p.first;
  }
}

// A smoothed marker is copied with its edge pixels blended into what lies under them, as cairo blends
// them. A marker is filled and then outlined: the copy blends once where drawing blends twice, which
// moves an edge pixel by a few levels, at most 6 of 255.
TEST(SymbolStamp, SmoothedCopiesGiveThePictureOfDrawingEachSymbol) {
  for (const Style& st : kStyles) {
    SCOPED_TRACE(Name(st));
    const Pictures<SmoothSurface> p(st);
    EXPECT_GT(p.inked, 2000);
    EXPECT_LE(p.worst, 6) << "first difference at " << p.first;
  }
}

TEST(SymbolStamp, OnlyMarkersDrawnFromTheirCentrePixelAreStamped) {
  Chart k;
  k.p.NewGraph("G", 0, 10, 0, 10);
  k.p.NewDataSet("d");
  k.p.DataSymbolColor(kRed);
  k.p.DataSymbolEdgeColor(kBlue);
  const struct {
    int16_t symbol;
    uint8_t edge;
    bool ready, oneColour;
  } rows[] = {
      {kSymbolCircle, 0, true, true},       {kSymbolCircle, 1, true, false},
      {kSymbolSquare, 0, true, true},       {kSymbolTallRectangle, 2, true, false},
      {kSymbolTriangleUp, 1, false, false}, {kSymbolPlus, 0, false, false},
      {kSymbolCross, 0, false, false},      {65, 0, false, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.symbol);
    k.p.DataSymbolEdgeThickness(r.edge);
    const SymbolStamp stamp(k.notify(), k.d().Picture1, k.item(), r.symbol, 90);
    EXPECT_EQ(stamp.Ready(), r.ready);
    if (r.ready) {
      EXPECT_EQ(stamp.OneColour(), r.oneColour);
    }
  }
}

}  // namespace
}  // namespace plotara
