// A control on a white 400 x 300 pixel picture at 96 dpi, with helpers to find where things are drawn.
#pragma once

#include <cmath>
#include <string>

#include "control/Internals.h"
#include "plotara/Plotara.h"
#include "render/ItemView.h"

namespace plotara::test {

inline constexpr float kTwipsPerPixel = static_cast<float>(kTwipsPerLogicalPixel);

struct Chart {
  Plotara p;
  explicit Chart(int width = 400, int height = 300) { p.ResizePicture(width, height); }
  Control& c() { return Internals(p); }
  Drawing& d() { return c().View; }
  Interaction& ui() { return c().View; }
  ControlState& state() { return c().State; }
  Notifier& notify() { return c().Notify; }
  // Data set `data` of the current graph as its renderers see it.
  ItemView item(int16_t data = 0) {
    const GraphRecord& g = state().Current();
    size_t start = 0;
    for (int16_t i = 0; i < data; ++i)
      start += static_cast<size_t>(g.DataSets[static_cast<size_t>(i)].PointCount);
    return ItemView(g, data, g.Points.Data() + start, state().UnitsPerMmX, state().UnitsPerMmY);
  }
  Surface& picture() const { return *Internals(p).Picture1; }
  // A surface coordinate of the page as a pixel of the picture.
  static int Px(double twips) { return static_cast<int>(std::nearbyint(twips / kTwipsPerPixel)); }
  // The plot area of graph g in pixels, as drawn.
  struct Box {
    int L, T, R, B;
  };
  Box Plot(int g = -1) {
    GraphRecord& r = c().State.Graph(g < 0 ? c().State.CurrentGraph : g);
    const double l = static_cast<double>(r.RectLeft) + r.BorderLeft,
                 t = static_cast<double>(r.RectTop) + r.BorderTop;
    return {Px(l), Px(t), Px(l + r.Axes[static_cast<size_t>(r.CurrentXAxis)].AxisLength),
            Px(t + r.Axes[static_cast<size_t>(r.CurrentYAxis)].AxisLength)};
  }
};

// A graph with fixed axes 0..10, plain white fills, no title and no legend, so that what a test draws
// stands out.
inline void PlainGraph(Plotara& p, const std::string& name = "G") {
  p.NewGraph(name, 0, 10, 0, 10);
  p.BorderStyle(0x00FFFFFF);
  p.PlotAreaColors(0x00FFFFFF);
  p.GraphShowTitle(false);
  p.LegendShow(false);
}

}  // namespace plotara::test
