#include <cmath>
#include <limits>

#include "ScaleFixture.h"
#include "scale/NumericHelpers.h"

namespace plotara::test {
namespace {

using NumericHelpersTest = ScaleFixture;

TEST(NumericHelpers, MinMaxHoldsTheValueWithinLowAndHigh) {
  const struct {
    double value, low, high, want;
  } rows[] = {{5, 0, 3, 3},
              {-1, 0, 3, 0},
              {2, 0, 3, 2},
              {1, 5, 3, 5},
              {std::numeric_limits<double>::quiet_NaN(), 3, 9, 9}};
  for (const auto& r : rows) EXPECT_EQ(MinMax(r.value, r.low, r.high), r.want) << r.value;
  EXPECT_EQ(MinMax(int16_t{400}, 0, 255), 255);
  EXPECT_EQ(MaxInt(100, 37), 100);
  EXPECT_EQ(MaxInt(-4, 37), 37);
}

TEST(NumericHelpers, LogarithmAndFractionalPart) {
  EXPECT_DOUBLE_EQ(Log10(1000), 3);
  EXPECT_EQ(Log10(0), 0);
  EXPECT_EQ(Log10(-5), 0);
  EXPECT_FLOAT_EQ(Frac(2.75f), 0.75f);
  EXPECT_FLOAT_EQ(Frac(-2.75f), 0.75f);
  // log10 of the single 0.1 is exactly -1 once held in single precision.
  EXPECT_EQ(Frac(static_cast<float>(std::log10(0.1f))), 0);
}

TEST_F(NumericHelpersTest, LogAndExpConvertOnlyWhenTheFlagIsSet) {
  EXPECT_EQ(xxLog(n, -4, false), -4);
  EXPECT_EQ(xxExp(n, 700, false), 700);
  EXPECT_DOUBLE_EQ(xxLog(n, std::exp(2.5), true), 2.5);
  EXPECT_DOUBLE_EQ(xxExp(n, xxLog(n, 1234.5, true), true), 1234.5);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(xxLog(n, 0, true), 0);
  EXPECT_EQ(xxExp(n, 1000, true), 0);
  EXPECT_EQ(errors, (std::vector<std::string>{Reported(5, "xxLog"), Reported(6, "xxExp")}));
}

}  // namespace
}  // namespace plotara::test
