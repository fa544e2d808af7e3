#include <cmath>
#include <limits>

#include "ScaleFixture.h"
#include "scale/NumberFormat.h"

namespace plotara::test {
namespace {

using NumberFormatTest = ScaleFixture;

// Format_Real with fresh in/out arguments.
std::string Fmt(ErrorReporter& r, double v, int16_t width, int16_t digits, int16_t style, int16_t trim) {
  return Format_Real(r, v, width, digits, style, trim);
}

TEST_F(NumberFormatTest, EasyFormatAndAxisLabelWorkedResults) {
  const struct {
    double value;
    const char* easy;
    const char* label;
  } rows[] = {
      {0, "0", "0"},
      {0.8, "0.8", "0.8"},
      {1.5, "1.5", "1.5"},
      {12.3456, "12.35", "12.3456"},
      {123.456, "123", "123.456"},
      {1481.4, "1481", "1481.4"},
      {12345, "12345", "12345"},
      {1234567, "1.235e6", "1234567"},
      {0.12345, "0.123", "0.12345"},
      {0.05, "5e-2", "5e-2"},
      {0.00001, "1e-5", "1e-5"},
      {-2.5, "-2.5", "-2.5"},
      {2.5e10, "2.5e10", "2.5e10"},
      {0.30000000000000004, "0.3", "0.3"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(EasyFormat(n, r.value, 3), r.easy) << r.value;
    EXPECT_EQ(Fmt(n, r.value, 0, 6, 2, 1), r.label) << r.value;
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(NumberFormatTest, WidthStyleAndTrimArguments) {
  const struct {
    double value;
    int16_t width, digits, style, trim;
    const char* want;
  } rows[] = {
      {3.14159, 8, 2, 0, 1, "    3.14"},
      {3.14159, -8, 2, 0, 1, "3.14    "},
      {3.14159, 0, 2, 0, 2, " 3.14"},
      {-3.14159, 0, 2, 0, 2, "-3.14"},
      {3.14159, 0, 2, 1, 1, "3.14"},       // an exponent of 0 disappears
      {3.14159, 8, 2, 0, 2, "     3.14"},  // the sign column comes on top of the width
      {1234567, 3, 6, 2, 1, "1234567"},    // never cut
      {2.5, 0, 3, 0, 0, "2.500"},
      {2.5, 0, 3, 0, 2, " 2.500"},
      {0.05, 0, 3, 1, 0, "5.000e-2"},
      {1200, 0, 3, 1, 0, "1.200e3"},
      {0.1 * 3, 0, 16, 1, 1, "3e-1"},  // clean at every digit count
      {0.1 * 3, 0, 16, 0, 1, "0.3"},
      {-0.4, 0, 0, 0, 1, "0"},  // rounds to zero: no sign left
      {1e300, 0, 6, 2, 1, "1e300"},
      {-5e-324, 0, 6, 2, 1, "-4.940656e-324"},
      {123456789, 0, 2, 0, 1, "123456789"},
      {1234567890, 0, 2, 0, 1, "1.23e9"},  // fixed notation stops below an exponent of 9
  };
  for (const auto& r : rows) {
    EXPECT_EQ(Fmt(n, r.value, r.width, r.digits, r.style, r.trim), r.want)
        << r.value << " " << r.width << " " << r.digits << " " << r.style << " " << r.trim;
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(NumberFormatTest, RoundsHalfAwayFromZeroOnTheDecimalForm) {
  const struct {
    double value;
    int16_t digits, style;
    const char* want;
  } rows[] = {
      {2.5, 0, 0, "3"},       {-2.5, 0, 0, "-3"},        {0.125, 2, 0, "0.13"},  {-0.125, 2, 0, "-0.13"},
      {2.675, 2, 0, "2.68"},  {1.005, 2, 0, "1.01"},     {9.995, 2, 0, "10.00"}, {12345, 3, 1, "1.235e4"},
      {99999.5, 0, 1, "1e5"}, {9.9996, 3, 1, "1.000e1"},
  };
  for (const auto& r : rows) EXPECT_EQ(Fmt(n, r.value, 0, r.digits, r.style, 0), r.want) << r.value;
}

TEST_F(NumberFormatTest, DigitsAndStyleComeBackAsUsed) {
  const struct {
    double value;
    int16_t digits, style, wantDigits, wantStyle;
  } rows[] = {
      {123.456, 3, 2, 0, 0},                         // reduced twice for values of 10 and above
      {12.3456, 3, 2, 2, 0}, {1234567, 3, 2, 3, 2},  // automatic style outside its range stays automatic
      {2.5e10, 6, 0, 6, 1},   // fixed style gives way to scientific from an exponent of 9
      {0.001, 20, 0, 12, 0},  // digits + exponent held at 9
  };
  for (const auto& r : rows) {
    int16_t digits = r.digits, style = r.style;
    Format_Real(n, r.value, 0, digits, style, 1);
    EXPECT_EQ(digits, r.wantDigits) << r.value;
    EXPECT_EQ(style, r.wantStyle) << r.value;
  }
}

TEST_F(NumberFormatTest, FailuresGiveAnEmptyText) {
  const struct {
    double value;
    int16_t digits;
    int error;
  } rows[] = {{1.5, 32766, 6},
              {1.5, 32767, 6},
              {1.5, -3, 5},
              {std::numeric_limits<double>::quiet_NaN(), 3, 6},
              {-std::numeric_limits<double>::infinity(), 3, 6}};
  for (const auto& r : rows) {
    errors.clear();
    EXPECT_EQ(Fmt(n, r.value, 0, r.digits, 2, 1), "") << r.digits;
    EXPECT_EQ(errors, std::vector<std::string>{Reported(r.error, "Format_Real")});
  }
  errors.clear();
  EXPECT_EQ(Fmt(n, 1.5, 0, 32765, 2, 1), "1.5");
  EXPECT_EQ(EasyFormat(n, std::numeric_limits<double>::infinity(), 3), "");
  EXPECT_EQ(errors, std::vector<std::string>{Reported(6, "Format_Real")});
}

TEST_F(NumberFormatTest, AxisDPxCountsTheDigitsARangeNeeds) {
  const double huge = std::numeric_limits<double>::max();
  const struct {
    double a, b;
    int16_t want;
  } rows[] = {{0, 100, 5}, {0, 1, 3},      {0, 0.01, 5},   {1000, 1001, 6},  {0, 1e9, 9},
              {100, 0, 5}, {-2.5, 2.5, 3}, {0, 1e-300, 9}, {-huge, huge, 9}, {1, 1 + 1e-15, 9}};
  for (const auto& r : rows) EXPECT_EQ(AxisDPx(n, r.a, r.b), r.want) << r.a << " " << r.b;
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(AxisDPx(n, 7, 7), 0);
  EXPECT_EQ(errors, std::vector<std::string>{Reported(11, "AxisDPx")});
}

TEST_F(NumberFormatTest, NextTokenReadsCommaSeparatedLabels) {
  const struct {
    const char* text;
    std::vector<std::string> tokens;
  } rows[] = {{"Jan,Feb,Mar", {"Jan", "Feb", "Mar", ""}},
              {",a", {"", "a", ""}},
              {"", {"", ""}},
              {" x , y", {" x ", " y", ""}},
              {"a,,b,", {"a", "", "b", "", ""}}};
  for (const auto& r : rows) {
    std::string text = r.text;
    std::vector<std::string> got;
    for (size_t i = 0; i < r.tokens.size(); ++i) got.push_back(NextToken(n, text));
    EXPECT_EQ(got, r.tokens) << r.text;
    EXPECT_EQ(text, "");
  }
}

}  // namespace
}  // namespace plotara::test
