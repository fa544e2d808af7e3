#include <cmath>
#include <limits>

#include "ScaleFixture.h"
#include "scale/AutoScale.h"

namespace plotara::test {
namespace {

struct Scaled {
  float lower, upper;
  int16_t major, minor, decimals;
  bool log;
};

class AutoScaleTest : public ScaleFixture {
 protected:
  Scaled Run(float lower, float upper, bool log = false) {
    Scaled s{lower, upper, -7, -7, -7, log};  // -7: not written
    AutoScale(n, s.lower, s.upper, s.major, s.minor, s.decimals, s.log);
    return s;
  }
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST_F(AutoScaleTest, WorkedResults) {
  const struct {
    float lower, upper;
    bool log;
    float wantLower, wantUpper;
    int16_t major, minor, decimals;
    bool wantLog;
  } rows[] = {
      {0, 7.3f, false, 0, 8, 8, 2, 2, false},
      {0, 100, false, 0, 100, 5, 2, 2, false},
      {0, 1, false, 0, 1, 5, 5, 2, false},
      {0, 20, false, 0, 20, 4, 5, 2, false},
      {0, 50, false, 0, 50, 5, 2, 2, false},
      {-3.7f, 12.2f, false, -10, 20, 6, 5, 2, false},
      {-1, 1, false, -1, 1, 4, 2, 2, false},
      {0, 0.3f, false, 0, 0.3f, 6, 2, 2, false},
      {10, 0, false, 0, 10, 5, 2, 2, false},
      {5, 5, false, 5, 6, 5, 5, 2, false},
      // Logarithmic: the decimal places stay untouched (-7); 0..500 starts from 500 / 100; a range of
      // less than a factor 2 comes back linear with the flag argument cleared.
      {1, 1000, true, 0.8f, 1200, 4, 9, -7, true},
      {0, 500, true, 4, 600, 3, 9, -7, true},
      {3, 5, true, 3, 5, 4, 2, 2, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.lower << ", " << r.upper << " log " << r.log);
    const Scaled s = Run(r.lower, r.upper, r.log);
    EXPECT_FLOAT_EQ(s.lower, r.wantLower);
    EXPECT_FLOAT_EQ(s.upper, r.wantUpper);
    EXPECT_EQ(s.major, r.major);
    EXPECT_EQ(s.minor, r.minor);
    EXPECT_EQ(s.decimals, r.decimals);
    EXPECT_EQ(s.log, r.wantLog);
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(AutoScaleTest, DivisionCountsStayInRangeAndLimitsCoverTheData) {
  // Among them equal limits too large for +1 in single precision (1e9), and the smallest single.
  const float ranges[][2] = {{0, 1e-30f},   {-1e-3f, 1e-3f}, {0.1f, 0.11f},  {1e7f, 1e7f + 1}, {-7, -6.9f},
                             {99, 101},     {-1e30f, 1e30f}, {123, 98765},   {0, 9.99f},       {0, 10.01f},
                             {-0.5f, 0.6f}, {1e9f, 1e9f},    {2e38f, 3e38f}, {0, 1.4e-45f}};
  for (const auto& r : ranges) {
    SCOPED_TRACE(testing::Message() << r[0] << ", " << r[1]);
    const Scaled s = Run(r[0], r[1]);
    EXPECT_GE(s.major, 1);
    EXPECT_LE(s.major, 9);
    EXPECT_TRUE(s.minor == 1 || (s.minor >= 2 && s.minor <= 9)) << s.minor;
    EXPECT_LT(s.lower, s.upper);
    // Within a thousandth of the range, the round limits hold the data.
    const float slack = (r[1] - r[0]) / 1000 * 1.01f;
    EXPECT_LE(s.lower, r[0] + slack);
    EXPECT_GE(s.upper, r[1] - slack);
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(AutoScaleTest, LogarithmicAxisWithoutPositiveUpperLimitScalesLinearly) {
  // Replacing the lower limit by upper / 100 would leave a negative range; scaled as it is instead.
  const struct {
    float lower, upper, wantLower, wantUpper;
    int16_t major;
  } rows[] = {{-5, -1, -5, -1, 4}, {-5, 0, -5, 0, 5}, {-1, -1, -1, 0, 5}};
  for (const auto& r : rows) {
    const Scaled s = Run(r.lower, r.upper, true);
    EXPECT_FALSE(s.log);
    EXPECT_FLOAT_EQ(s.lower, r.wantLower);
    EXPECT_FLOAT_EQ(s.upper, r.wantUpper);
    EXPECT_EQ(s.major, r.major);
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(AutoScaleTest, LogarithmicRangeBeyondSingleRatioCountsItsDecades) {
  const Scaled s = Run(1e-30f, 1e20f, true);
  EXPECT_TRUE(s.log);
  EXPECT_FLOAT_EQ(s.lower, 8e-31f);
  EXPECT_FLOAT_EQ(s.upper, 1.2e20f);
  EXPECT_EQ(s.major, 51);  // floor(log10(1.5e50)) + 1
  EXPECT_TRUE(errors.empty());
}

TEST_F(AutoScaleTest, UnusableLimitsAreRefusedBeforeAnythingIsWritten) {
  const float rows[][2] = {{kNaN, 1}, {0, kNaN}, {0, kInf}, {-kInf, 0}, {-3e38f, 3e38f}};
  for (const auto& r : rows) {
    errors.clear();
    const Scaled s = Run(r[0], r[1]);
    EXPECT_EQ(errors, std::vector<std::string>{Reported(6, "AutoScale")});
    EXPECT_EQ(s.major, -7);
    EXPECT_EQ(s.decimals, -7);
    auto same = [](float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    EXPECT_TRUE(same(s.lower, r[0]) && same(s.upper, r[1])) << s.lower << ", " << s.upper;
  }
}

TEST_F(AutoScaleTest, FailureKeepsOutputsAsFarAsWritten) {
  // 1.2 x 3e38 does not fit a single: the lower limit is already rounded, the rest untouched.
  const Scaled s = Run(1, 3e38f, true);
  EXPECT_EQ(errors, std::vector<std::string>{Reported(6, "AutoScale")});
  EXPECT_FLOAT_EQ(s.lower, 0.8f);
  EXPECT_FLOAT_EQ(s.upper, 3e38f);
  EXPECT_EQ(s.major, -7);
  EXPECT_EQ(s.minor, -7);
}

}  // namespace
}  // namespace plotara::test
