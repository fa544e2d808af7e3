#include <algorithm>
#include <cmath>
#include <limits>

#include "ScaleFixture.h"
#include "scale/Mapping.h"

namespace plotara::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct AxisSetup {
  double lower, upper;
  bool log, reverse;
};

class MappingTest : public ScaleFixture {
 protected:
  void Set(AxisRecord& a, const AxisSetup& s) {
    a.AxisValue1 = s.lower;
    a.AxisValue2 = s.upper;
    a.AxisLog = s.log;
    a.AxisReverse = s.reverse;
  }
};

TEST_F(MappingTest, PosXPlacesValuesInProportion) {
  const struct {
    AxisSetup axis;
    double value;
    float fraction;  // of the X axis length from the plot's left edge
  } rows[] = {
      {{0, 10, false, false}, 0, 0},
      {{0, 10, false, false}, 10, 1},
      {{0, 10, false, false}, 2.5, 0.25},
      {{0, 10, false, false}, 15, 1.5},
      {{0, 10, false, true}, 0, 1},
      {{0, 10, false, true}, 2.5, 0.75},
      {{1, 1000, true, false}, 10, 1.0f / 3},
      {{1, 1000, true, true}, 10, 2.0f / 3},
      // Below the lower limit of a reversed axis: beyond the right edge, not mirrored onto the left.
      {{0, 10, false, true}, -5, 1.5},
      {{1, 1000, true, true}, 0.1, 4.0f / 3},
      // Cannot be mapped: one axis length left of the plot area, reversed or not.
      {{1, 1000, true, false}, 0, -1},
      {{1, 1000, true, true}, -3, -1},
      {{-1, 1000, true, false}, 10, -1},
      {{5, 5, false, false}, 5, -1},
      {{5, 5, true, false}, 5, -1},
      {{0, 10, false, true}, kNaN, -1},
      {{0, 10, false, false}, 1e300, -1},
      {{0, 1e-300, false, false}, 1, -1},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.axis.lower << ".." << r.axis.upper << " log " << r.axis.log
                                    << " rev " << r.axis.reverse << ": " << r.value);
    Set(XAxis(), r.axis);
    EXPECT_NEAR(PosX(s, n, r.value), kLeft + kXLength * r.fraction, 0.01);
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(MappingTest, PosYPutsLargerValuesHigherUnlessReversed) {
  const float bottom = kTop + kYLength;
  const struct {
    AxisSetup axis;
    double value;
    float y;
  } rows[] = {
      {{0, 10, false, false}, 0, bottom},
      {{0, 10, false, false}, 10, kTop},
      {{0, 10, false, true}, 0, kTop},
      {{0, 10, false, true}, 10, bottom},
      {{1, 100, true, false}, 10, kTop + kYLength / 2},
      // The mark -1 lands one axis length below the plot, or above it on a reversed axis.
      {{1, 100, true, false}, 0, kTop + 2 * kYLength},
      {{1, 100, true, true}, 0, kTop - kYLength},
  };
  for (const auto& r : rows) {
    Set(YAxis(), r.axis);
    EXPECT_NEAR(PosY(s, n, r.value), r.y, 0.01) << r.value;
  }
}

TEST_F(MappingTest, PageCoordinatesMapBackToTheirValues) {
  const AxisSetup axes[] = {{0, 10, false, false},  {0, 10, false, true},   {-3.5, 1e6, false, true},
                            {1, 1000, true, false}, {1e-3, 50, true, true}, {200, 2, false, false}};
  const double values[] = {1e-4, 0.5, 1, 7.25, 9.99, 10, 12, 600};
  for (const auto& axis : axes) {
    Set(XAxis(), axis);
    Set(YAxis(), axis);
    for (double v : values) {
      SCOPED_TRACE(testing::Message() << axis.lower << ".." << axis.upper << " log " << axis.log << " rev "
                                      << axis.reverse << ": " << v);
      // Within single-precision rounding: of the fraction (relative to the span it covers) and of the
      // page coordinate (what two steps of it are worth on this axis).
      const double lo = axis.lower, hi = axis.upper;
      const double f = axis.log ? std::log(v / lo) / std::log(hi / lo) : (v - lo) / (hi - lo);
      const double span = axis.log ? v * std::fabs(std::log(hi / lo)) : std::fabs(hi - lo);
      const double fractionError = 4e-7 * span * std::max(1.0, std::fabs(f));
      const float x = PosX(s, n, v);
      const float y = PosY(s, n, v);
      const double xStep = std::fabs(GetXCoord(s, n, 0, std::nextafter(x, 1e9f)) - GetXCoord(s, n, 0, x));
      const double yStep = std::fabs(GetYCoord(s, n, 0, std::nextafter(y, 1e9f)) - GetYCoord(s, n, 0, y));
      EXPECT_NEAR(GetXCoord(s, n, 0, x), v, fractionError + 2 * xStep);
      EXPECT_NEAR(GetYCoord(s, n, 0, y), v, fractionError + 2 * yStep);
    }
  }
  EXPECT_TRUE(errors.empty());
}

// An inverse through a named axis gives what the inverse through the current axis gives once that axis is
// made current, and leaves the current axes alone.
TEST_F(MappingTest, InverseThroughANamedAxisIgnoresTheCurrentOne) {
  auto& axes = s.Graphs[0].Axes;
  axes.resize(4);
  Set(axes[2] = XAxis(), {1, 1000, true, false});  // a second X axis, logarithmic
  Set(axes[3] = YAxis(), {50, -50, false, true});  // a second Y axis, high to low and reversed
  for (const float at : {1840.0f, 2500.0f, 7839.0f, 9000.0f}) {
    SCOPED_TRACE(at);
    const double viaX2 = GetXCoord(s, n, 0, 2, at), viaY3 = GetYCoord(s, n, 0, 3, at);
    EXPECT_NE(viaX2, GetXCoord(s, n, 0, at));
    EXPECT_NE(viaY3, GetYCoord(s, n, 0, at));
    GraphRecord& g = s.Graphs[0];
    g.CurrentXAxis = 2;
    g.CurrentYAxis = 3;
    EXPECT_EQ(viaX2, GetXCoord(s, n, 0, at));
    EXPECT_EQ(viaY3, GetYCoord(s, n, 0, at));
    g.CurrentXAxis = 0;
    g.CurrentYAxis = 1;
  }
  EXPECT_EQ(GetXCoord(s, n, 0, 4, 2000), 0);
  EXPECT_EQ(errors, std::vector<std::string>{Reported(9, "GetXCoord")});
}

TEST_F(MappingTest, InverseFailuresAreReportedAndGiveZero) {
  XAxis().AxisLength = 0;
  EXPECT_EQ(GetXCoord(s, n, 0, 2000), 0);
  Set(YAxis(), {-1, 100, true, false});
  EXPECT_EQ(GetYCoord(s, n, 0, 2000), 0);
  EXPECT_EQ(GetXCoord(s, n, 3, 2000), 0);
  EXPECT_EQ(errors, (std::vector<std::string>{Reported(11, "GetXCoord"), Reported(5, "GetYCoord"),
                                              Reported(9, "GetXCoord")}));
}

TEST_F(MappingTest, MissingGraphOrAxisIsReportedWithoutThrowing) {
  s.Graphs[0].CurrentXAxis = 5;
  EXPECT_EQ(PosX(s, n, 1), 0);
  s.CurrentGraph = 2;
  EXPECT_EQ(PosY(s, n, 1), 0);
  EXPECT_EQ(AxisLevelIndex(s, n, 1, 1), 0);
  EXPECT_EQ(errors, (std::vector<std::string>{Reported(9, "PosX"), Reported(9, "PosY"),
                                              Reported(9, "AxisLevelIndex")}));
}

TEST_F(MappingTest, AxisLevelIndexCountsAxesOfOneKind) {
  auto& axes = s.Graphs[0].Axes;
  axes.resize(4);
  axes[2].XY = 1;  // kinds: X, Y, Y, X
  axes[3].XY = 0;
  const struct {
    int16_t kind, level, index;
  } rows[] = {{1, 2, 2}, {1, 3, 0}, {1, 1, 1}, {0, 1, 0}, {0, 2, 3},
              {0, 3, 0}, {0, 0, 0}, {1, 0, 0}, {1, -1, 0}};
  for (const auto& r : rows)
    EXPECT_EQ(AxisLevelIndex(s, n, r.kind, r.level), r.index) << r.kind << " " << r.level;
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace plotara::test
