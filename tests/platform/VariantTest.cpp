#include "plotara/Variant.h"

#include <gtest/gtest.h>

#include "platform/RuntimeError.h"
#include "support/Errors.h"

namespace plotara {
namespace {

TEST(Variant, ConvertsTextAsAnAutomationHostDoes) {
  struct Row {
    const char* text;
    double value;  // when error is 0
    int error;
  };
  const Row rows[] = {
      {"12", 12, 0},    {" -3.5 ", -3.5, 0}, {"1e3", 1000, 0}, {"&HFF", 255, 0}, {"&hFFFFFFFF", -1, 0},
      {"&O17", 15, 0},  {"+4", 4, 0},        {".5", 0.5, 0},   {"abc", 0, 13},   {"", 0, 13},
      {"12abc", 0, 13}, {"inf", 0, 13},      {"nan", 0, 13},   {"1e999", 0, 6},  {"&H1FFFFFFFF", 0, 13},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    if (r.error) {
      EXPECT_EQ(test::ErrorNumberOf([&] { Variant(r.text).ToDouble(); }), r.error);
    } else {
      EXPECT_DOUBLE_EQ(Variant(r.text).ToDouble(), r.value);
    }
  }
}

TEST(Variant, NarrowsWithOverflowSix) {
  EXPECT_EQ(Variant(300).ToInteger(), 300);
  EXPECT_EQ(test::ErrorNumberOf([] { Variant(300).ToByte(); }), 6);
  EXPECT_EQ(test::ErrorNumberOf([] { Variant(40000.0).ToInteger(); }), 6);
  EXPECT_EQ(Variant(2.5).ToInteger(), 2);
  EXPECT_EQ(Variant("255").ToByte(), 255);
  EXPECT_EQ(Variant(true).ToInteger(), -1);
}

TEST(Variant, BooleansAndTexts) {
  EXPECT_TRUE(Variant("True").ToBoolean());
  EXPECT_FALSE(Variant("false").ToBoolean());
  EXPECT_TRUE(Variant(5).ToBoolean());
  EXPECT_FALSE(Variant(0.0).ToBoolean());
  EXPECT_EQ(test::ErrorNumberOf([] { Variant("maybe").ToBoolean(); }), 13);
  EXPECT_EQ(Variant(true).ToString(), "True");
  EXPECT_EQ(Variant().ToString(), "");
  EXPECT_EQ(test::ErrorNumberOf([] { Variant::Missing().ToDouble(); }), 449);
}

TEST(Variant, NumbersPrintInTheirShortestRoundTripText) {
  struct Row {
    Variant v;
    const char* text;
  };
  const Row rows[] = {
      {Variant(0.1), "0.1"},
      {Variant(1.02), "1.02"},
      {Variant(-3.0), "-3"},
      {Variant(0.1f), "0.1"},
      {Variant(int16_t{-7}), "-7"},
      {Variant(uint8_t{200}), "200"},
      {Variant(1.0 / 3), "0.3333333333333333"},
      {Variant(-0.0), "0"},
      {Variant(1e21), "1e+21"},
  };
  for (const Row& r : rows) EXPECT_EQ(r.v.ToString(), r.text);
  double back = 0;
  ASSERT_TRUE(TextToNumber(Variant(1.0 / 3).ToString(), back));
  EXPECT_EQ(back, 1.0 / 3);
}

TEST(Variant, ConvertToKeepsOrChangesTheType) {
  EXPECT_EQ(Variant("7").ConvertTo(VarType::Integer).Type(), VarType::Integer);
  EXPECT_EQ(Variant(7).ConvertTo(VarType::String), Variant("7"));
  EXPECT_EQ(Variant(2.0).ConvertTo(VarType::Variant).Type(), VarType::Double);
  EXPECT_EQ(test::ErrorNumberOf([] { Variant("x").ConvertTo(VarType::StringArray); }), 13);
}

}  // namespace
}  // namespace plotara
