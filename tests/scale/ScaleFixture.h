// The records of one graph (X axis 0, Y axis 1) and a log of the errors reported.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Notifier.h"
#include "model/Records.h"

namespace plotara::test {

class ScaleFixture : public ::testing::Test {
 protected:
  // The plot area: L = 1000 + 840, T = 500 + 420; X axis 6000 long, Y axis 4000 long.
  static constexpr float kLeft = 1840, kTop = 920, kXLength = 6000, kYLength = 4000;

  ScaleFixture() {
    n.Handlers.ErrorMsg = [this](std::string& source, std::string&) { errors.push_back(source); };
    GraphRecord& g = s.Graphs.emplace_back();
    g.RectLeft = 1000;
    g.RectTop = 500;
    g.BorderLeft = 840;
    g.BorderTop = 420;
    g.Axes.resize(2);
    SetAxisDefaults(g.Axes[0], "x-axis", 0, 0, 10, kUnitsPerMm);
    SetAxisDefaults(g.Axes[1], "y-axis", 1, 0, 10, kUnitsPerMm);
    g.Axes[0].AxisLength = static_cast<int16_t>(kXLength);
    g.Axes[1].AxisLength = static_cast<int16_t>(kYLength);
    s.CurrentGraph = 0;
  }

  AxisRecord& XAxis() { return s.Graphs[0].Axes[0]; }
  AxisRecord& YAxis() { return s.Graphs[0].Axes[1]; }

  static std::string Reported(int number, const std::string& routine) {
    return "Error " + std::to_string(number) + " has occured in Plotara.ocx, " + routine;
  }

  static constexpr float kUnitsPerMm = 56.7f;  // at 96 dpi

  ControlState s;
  Notifier n;
  std::vector<std::string> errors;
};

}  // namespace plotara::test
