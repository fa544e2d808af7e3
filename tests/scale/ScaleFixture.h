// A control with one graph (X axis 0, Y axis 1) and a log of the errors it reports.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Control.h"

namespace plotara::test {

class ScaleFixture : public ::testing::Test {
 protected:
  // The plot area: L = 1000 + 840, T = 500 + 420; X axis 6000 long, Y axis 4000 long.
  static constexpr float kLeft = 1840, kTop = 920, kXLength = 6000, kYLength = 4000;

  ScaleFixture() {
    c.Handlers.ErrorMsg = [this](std::string& source, std::string&) { errors.push_back(source); };
    GraphRecord& g = c.Graphs.emplace_back();
    g.RectLeft = 1000;
    g.RectTop = 500;
    g.BorderLeft = 840;
    g.BorderTop = 420;
    g.Axes.resize(2);
    SetAxisDefaults(g.Axes[0], "x-axis", 0, 0, 10, c.UnitsPerMmX);
    SetAxisDefaults(g.Axes[1], "y-axis", 1, 0, 10, c.UnitsPerMmX);
    g.Axes[0].AxisLength = static_cast<int16_t>(kXLength);
    g.Axes[1].AxisLength = static_cast<int16_t>(kYLength);
    c.CurrentGraph = 0;
  }

  AxisRecord& XAxis() { return c.Graphs[0].Axes[0]; }
  AxisRecord& YAxis() { return c.Graphs[0].Axes[1]; }

  static std::string Reported(int number, const std::string& routine) {
    return "Error " + std::to_string(number) + " has occured in Plotara.ocx, " + routine;
  }

  Control c;
  std::vector<std::string> errors;
};

}  // namespace plotara::test
