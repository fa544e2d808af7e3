// Round ticks for readable labels: multiples of 1, 2 or 5 x 10^n inside any range, the finest whose labels
// fit, and the minor divisions of such a step.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scale/RoundTicks.h"

namespace plotara {
namespace {

// Labels fit when there are at most n of them.
RoundLabelsFit AtMost(size_t n) {
  return [n](const std::vector<double>& values) { return values.size() <= n; };
}

TEST(RoundTicks, ZoomedAndFixedRangesGetRoundTicksInside) {
  const struct {
    const char* name;
    double lo, hi;
    size_t fit;
    double step;
    std::vector<double> ticks;
  } rows[] = {
      // The fixed range that divides into 0, 2.6, 5.2, 7.8 by default.
      {"fixed 0..13", 0, 13, 8, 2, {0, 2, 4, 6, 8, 10, 12}},
      {"a zoomed view", 2.13519, 3.66549, 8, 0.2, {2.2, 2.4, 2.6, 2.8, 3.0, 3.2, 3.4, 3.6}},
      {"reversed limits", 10.46116, 9.455258, 6, 0.2, {9.6, 9.8, 10.0, 10.2, 10.4}},
      {"around zero", -0.35, 0.35, 8, 0.1, {-0.3, -0.2, -0.1, 0, 0.1, 0.2, 0.3}},
      {"large and negative", -73000, -21000, 6, 10000, {-70000, -60000, -50000, -40000, -30000}},
      {"tiny", 1e-9, 9e-9, 5, 2e-9, {2e-9, 4e-9, 6e-9, 8e-9}},
      {"no room at all", 0, 13, 0, 20, {0}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const RoundTicks t = ChooseRoundTicks(r.lo, r.hi, 1000, AtMost(r.fit));
    EXPECT_DOUBLE_EQ(t.Step, r.step);
    ASSERT_EQ(t.Majors.size(), r.ticks.size());
    for (size_t i = 0; i < r.ticks.size(); ++i) EXPECT_NEAR(t.Majors[i], r.ticks[i], r.step * 1e-9);
  }
}

TEST(RoundTicks, ZeroIsExactAndLimitsOnATickCount) {
  // 3 x 0.1 is 0.30000000000000004, still a tick of a range ending at 0.3; the tick at zero is 0, not -0.
  EXPECT_EQ(MultiplesIn(-0.3, 0.3, 0.1).size(), 7u);
  EXPECT_EQ(MultiplesIn(-0.3, 0.3, 0.1)[3], 0.0);
  EXPECT_FALSE(std::signbit(MultiplesIn(-0.3, 0.3, 0.1)[3]));
  EXPECT_TRUE(MultiplesIn(0, std::nan(""), 1).empty());
  EXPECT_TRUE(MultiplesIn(0, 1e300, 1).empty()) << "more ticks than any page shows";
  EXPECT_TRUE(ChooseRoundTicks(5, 5, 1000, AtMost(10)).Majors.empty());
  EXPECT_TRUE(ChooseRoundTicks(0, INFINITY, 1000, AtMost(10)).Majors.empty());
}

TEST(RoundTicks, MinorTicksDivideTheStep) {
  const struct {
    double step;
    int divisions;
  } steps[] = {{1, 2},    {2, 2},    {5, 5}, {0.5, 2}, {0.2, 5}, {10, 2},      {2e6, 2},
               {5e-4, 2}, {2e-3, 5}, {0, 2}, {-1, 2},  {NAN, 2}, {INFINITY, 2}};
  for (const auto& s : steps) EXPECT_EQ(RoundMinorDivisions(s.step), s.divisions) << s.step;

  const std::vector<double> minors = MinorMultiplesIn(-1, 1.2, 0.5, 5);
  const std::vector<double> expected = {-0.9, -0.8, -0.7, -0.6, -0.4, -0.3, -0.2, -0.1, 0.1,
                                        0.2,  0.3,  0.4,  0.6,  0.7,  0.8,  0.9,  1.1,  1.2};
  ASSERT_EQ(minors.size(), expected.size());
  for (size_t i = 0; i < minors.size(); ++i) EXPECT_NEAR(minors[i], expected[i], 1e-12);
  EXPECT_TRUE(MinorMultiplesIn(0, 10, 1, 1).empty());
}

}  // namespace
}  // namespace plotara
