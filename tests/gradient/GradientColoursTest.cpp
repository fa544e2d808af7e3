#include "gradient/GradientColours.h"

#include <gtest/gtest.h>

#include <vector>

namespace plotara {
namespace {

TEST(GradientRamp, BlendsBendsAndReflects) {
  struct Case {
    const char* what;
    OleColor c1, c2;
    int count;
    float shift;
    bool reflected;
    std::vector<OleColor> expected;
  };
  const auto sys5 = static_cast<OleColor>(0x80000005);
  const Case cases[] = {
      {"divisor is count: last step longer", 0, 0xFFFFFF, 4, 0, false, {0, 0x404040, 0x808080, 0xFFFFFF}},
      {"count below 2", 0x123456, 0x654321, 1, 0, true, {0x123456, 0x654321}},
      {"channels apart", 0x0000FF, 0xFF0000, 3, 0, false, {0x0000FF, 0x5500AA, 0xFF0000}},
      {"halves to even", 0, 5, 4, 0, false, {0, 1, 2, 5}},
      {"shift 1 stays near colour1", 0, 0xFFFFFF, 4, 1, false, {0, 0, 0, 0xFFFFFF}},
      {"shift -1 reaches colour2 sooner", 0, 0xFFFFFF, 4, -1, false, {0, 0xDEDEDE, 0xEEEEEE, 0xFFFFFF}},
      {"reflected, odd", 0, 0xFFFFFF, 5, 0, true, {0, 0x666666, 0xCCCCCC, 0x666666, 0xFFFFFF}},
      {"reflected, even", 0, 0xFFFFFF, 4, 0, true, {0, 0x808080, 0x808080, 0xFFFFFF}},
      {"ends keep their high byte", sys5, 0xFFFFFF, 3, 0, false, {sys5, 0x555558, 0xFFFFFF}},
  };
  for (const Case& c : cases) {
    std::vector<OleColor> got(9, 7);  // stale entries must not survive
    EXPECT_EQ(GradientRamp(c.c1, c.c2, c.count, c.shift, c.reflected, got),
              static_cast<int>(c.expected.size()))
        << c.what;
    EXPECT_EQ(got, c.expected) << c.what;
  }
}

}  // namespace
}  // namespace plotara
