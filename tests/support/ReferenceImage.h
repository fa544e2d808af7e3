// Reference pictures: a rendered surface is compared with tests/images/<name>.png, channel by channel.
// On a mismatch the test writes <name>.actual.png and <name>.diff.png (differing pixels in magenta over a
// faded copy of the reference) to the test's temporary directory and says where they are.
// With PLOTARA_UPDATE_REFERENCES=1 in the environment the reference is (re)written instead; look at
// every new reference picture before committing it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "surface/Surface.h"

namespace plotara::test {

struct ImageTolerance {
  int channel = 8;        // largest difference allowed in one channel of one pixel
  double fraction = 0.0;  // share of pixels allowed to exceed it
};

::testing::AssertionResult MatchesReference(Surface& actual, const std::string& name,
                                            ImageTolerance tolerance = {});

}  // namespace plotara::test
