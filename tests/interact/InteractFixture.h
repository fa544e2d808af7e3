// A 400 x 300 pixel chart for the mouse tests, with helpers that find where a graph's parts lie in twips.
#pragma once

#include <gtest/gtest.h>

#include "model/Lookup.h"
#include "support/Chart.h"
#include "support/Events.h"

namespace plotara::test {

struct Twips {
  double L, T, R, B;
  double CX() const { return (L + R) / 2; }
  double CY() const { return (T + B) / 2; }
};

class InteractTest : public ::testing::Test {
 protected:
  Chart chart;
  Plotara& p = chart.p;
  Control& c = chart.c();
  Interaction& ui = chart.ui();
  MouseSession& mouse = ui.Mouse;
  EventLog log{p};

  // A graph over the given share of the page (percent), fixed axes 0..100, one data set listed in the
  // legend, drawn.
  void Graph(const std::string& name, float left = 0, float top = 0, float width = 100, float height = 100) {
    p.NewGraph(name, 0, 100, 0, 100);
    p.GraphPosition(left, top, width, height);
    p.NewDataSet("data");
    p.AddDataPoint(10, 10);
    p.AddDataPoint(90, 90);
  }

  GraphRecord& G(int g) { return c.State.Graph(g); }
  Twips Rect(int g) {
    const GraphRecord& r = G(g);
    return {static_cast<double>(r.RectLeft), static_cast<double>(r.RectTop),
            static_cast<double>(r.RectLeft) + r.RectWidth, static_cast<double>(r.RectTop) + r.RectHeight};
  }
  Twips Plot(int g) {
    const GraphRecord& r = G(g);
    const double l = r.RectLeft + static_cast<double>(r.BorderLeft),
                 t = r.RectTop + static_cast<double>(r.BorderTop);
    return {l, t, l + AxisAt(r, r.CurrentXAxis).AxisLength, t + AxisAt(r, r.CurrentYAxis).AxisLength};
  }
  Twips Legend(int g) {
    const GraphRecord& r = G(g);
    return {static_cast<double>(r.LegendRectLeft), static_cast<double>(r.LegendRectTop),
            static_cast<double>(r.LegendRectLeft) + r.LegendRectWidth,
            static_cast<double>(r.LegendRectTop) + r.LegendRectHeight};
  }
  void Down(int b, int s, double x, double y) {
    p.Picture1_MouseDown(b, s, static_cast<float>(x), static_cast<float>(y));
  }
  void Move(int b, int s, double x, double y) {
    p.Picture1_MouseMove(b, s, static_cast<float>(x), static_cast<float>(y));
  }
  void Up(int b, int s, double x, double y) {
    p.Picture1_MouseUp(b, s, static_cast<float>(x), static_cast<float>(y));
  }
  void Drag(double x0, double y0, double x1, double y1, int shift = 0) {
    Down(1, shift, x0, y0);
    Move(1, shift, (x0 + x1) / 2, (y0 + y1) / 2);
    Move(1, shift, x1, y1);
    Up(1, shift, x1, y1);
  }
  AxisRecord& Axis(int g, int i) { return G(g).Axes[static_cast<size_t>(i)]; }
};

}  // namespace plotara::test
