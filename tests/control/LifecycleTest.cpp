#include <gtest/gtest.h>

#include "control/Plotara.h"

namespace plotara {
namespace {

TEST(Lifecycle, VersionIsOnePointZeroTwo) {
  Plotara p;
  EXPECT_EQ(p.Version(), "1.02");
}

}  // namespace
}  // namespace plotara
