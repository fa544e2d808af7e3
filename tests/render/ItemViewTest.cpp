#include "render/ItemView.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "model/Notifier.h"
#include "platform/RuntimeError.h"
#include "scale/Mapping.h"

namespace plotara {
namespace {

// A graph with four axes (X, Y, X, Y) and a data set on each pair; the item view of a data set maps as
// PosX and PosY do once its axes are made the current ones.
TEST(ItemView, MapsThroughItsDataSetsAxesAsPosXAndPosYDo) {
  const struct {
    double lo, hi;
    bool log, reverse;
  } axes[] = {{0, 10, false, false}, {-5, 5, false, true}, {1, 1e4, true, false}, {0.5, 2e3, true, true}};
  ControlState s;
  Notifier n;
  std::vector<std::string> errors;
  n.Handlers.ErrorMsg = [&](std::string& source, std::string&) { errors.push_back(source); };
  GraphRecord& g = s.Graphs.emplace_back();
  g.RectLeft = 700;
  g.RectTop = 300;
  g.BorderLeft = 800;
  g.BorderTop = 400;
  for (int i = 0; i < 4; ++i) {
    AxisRecord& a = g.Axes.emplace_back();
    SetAxisDefaults(a, "axis", static_cast<int16_t>(i % 2), axes[i].lo, axes[i].hi, 56.7f);
    a.AxisLog = axes[i].log;
    a.AxisReverse = axes[i].reverse;
    a.AxisLength = i % 2 ? 3000 : 5000;
  }
  g.DataSets.resize(2);
  g.DataSets[1].DataXAxis = 2;
  g.DataSets[1].DataYAxis = 3;
  const double values[] = {-7, 0, 0.25, 1, 3.5, 10, 600, 1e5, std::numeric_limits<double>::quiet_NaN()};
  for (int16_t d = 0; d < 2; ++d) {
    const ItemView item(g, d, nullptr, 56.7f, 56.7f);
    g.CurrentXAxis = g.DataSets[static_cast<size_t>(d)].DataXAxis;
    g.CurrentYAxis = g.DataSets[static_cast<size_t>(d)].DataYAxis;
    for (const double v : values) {
      SCOPED_TRACE(std::to_string(d) + ": " + std::to_string(v));
      EXPECT_EQ(item.PosX(v), PosX(s, n, v));
      EXPECT_EQ(item.PosY(v), PosY(s, n, v));
    }
  }
  EXPECT_TRUE(errors.empty());
  // A data set, or an axis of one, that does not exist.
  g.DataSets[1].DataYAxis = 4;
  for (const int16_t d : {1, 2}) {
    try {
      const ItemView item(g, d, nullptr, 56.7f, 56.7f);
      ADD_FAILURE() << "data set " << d;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), err::SubscriptOutOfRange);
    }
  }
}

}  // namespace
}  // namespace plotara
