#include <gtest/gtest.h>

#include "interact/ScrollBars.h"
#include "support/Chart.h"

namespace plotara {
namespace {

TEST(ScrollBars, UpdatingTheBarsKeepsTheFlagTheCallerSet) {
  test::Chart chart;
  chart.p.NewGraph("G", 0, 100, 0, 100);
  Control& c = chart.c();
  c.State.Current().Axes[0].AxisValue1 = 25;  // zoomed, so the bars are worked out
  c.State.ScrollBarsVisible = true;
  for (const bool outer : {false, true}) {
    c.State.ScrollUpdating = outer;
    SetScrollBars(chart.state(), chart.notify());
    EXPECT_EQ(c.State.ScrollUpdating, outer) << "a nested update must hand back the flag as it found it";
  }
}

}  // namespace
}  // namespace plotara
