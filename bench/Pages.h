// Pages the benchmarks share.
#pragma once

#include <string>

#include "plotara/Plotara.h"

namespace bench {

// A 1920 x 1080 picture at 96 dpi.
inline void SizeFullHd(plotara::Plotara& p) {
  p.ResizePicture(1920, 1080);
}

// Four graphs with gradient fills, two axes each and grid lines; with data, each has a data set of 21
// points and a filled legend table.
inline void FourGradientGraphs(plotara::Plotara& p, bool withData = false) {
  SizeFullHd(p);
  const float pos[4][2] = {{0, 0}, {50, 0}, {0, 50}, {50, 50}};
  for (int i = 0; i < 4; ++i) {
    p.NewGraph("graph " + std::to_string(i), 0, 100, -1, 1);
    if (i == 0) p.PageColors(0xFFF0E0, 0x804000, 45, 0, 1);
    p.GraphPosition(pos[i][0], pos[i][1], 50, 50);
    p.BorderStyle(0xFFFFFF, 0xC08040, static_cast<int16_t>(45 * i), 0, static_cast<int16_t>(1 + i));
    p.PlotAreaColors(0xFFFFFF, 0x40C0FF, 90, 0, 1);
    p.SetSelectedAxis(0);
    p.AxisGridStyle(0xD0D0D0, 0xE8E8E8);
    p.SetSelectedAxis(1);
    p.AxisGridStyle(0xD0D0D0, 0xE8E8E8);
    if (!withData) continue;
    p.LegendTableStyle("", -1, -1, -1, 0, 1, 0xFFFFFF, 0xFFE0C0, 90, 0, 1);
    p.NewDataSet("data " + std::to_string(i));
    for (int k = 0; k <= 20; ++k) p.AddDataPoint(k * 5, (k % 7) / 7.0 - 0.4);
  }
}

}  // namespace bench
