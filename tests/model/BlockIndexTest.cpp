#include "model/BlockIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

#include "model/PointList.h"

namespace plotara {
namespace {

TEST(BlockIndex, OrderAndErrorsFollowThePointsAdded) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  const struct {
    const char* what;
    std::vector<Point> points;
    bool nonDecreasing, errors;
  } rows[] = {
      {"none", {}, true, false},
      {"rising with repeats", {{1, 5, 0}, {1, 6, 0}, {2, -1, 0}}, true, false},
      {"one step back", {{1, 5, 0}, {3, 6, 0}, {2, -1, 0}, {4, 0, 0}}, false, false},
      {"an X that is not finite", {{1, 5, 0}, {kNaN, 6, 0}, {4, 0, 0}}, false, false},
      {"a Y that is not finite", {{1, kNaN, 0}, {2, 6, 0}}, false, false},
      {"an error value", {{1, 5, 0}, {2, 6, -0.5f}}, true, true},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    BlockIndex index;
    for (const Point& p : r.points) index.Add(p.X, p.Y, p.E);
    EXPECT_EQ(index.Count(), r.points.size());
    EXPECT_EQ(index.NonDecreasing(), r.nonDecreasing);
    EXPECT_EQ(index.AnyError(), r.errors);
    index.Clear();
    EXPECT_TRUE(index.NonDecreasing());
    EXPECT_FALSE(index.AnyError());
    EXPECT_EQ(index.Count(), 0u);
  }
}

TEST(BlockIndex, RangesOfAnyRunMatchThePoints) {
  std::mt19937 rng(5);
  std::normal_distribution<float> noise(0, 1);
  std::vector<Point> pts;
  BlockIndex index;
  for (int i = 0; i < 300000; ++i) {
    pts.push_back({static_cast<float>(i), noise(rng) * (i % 1000 == 0 ? 50 : 1), 0});
    index.Add(pts.back().X, pts.back().Y, 0);
  }
  std::uniform_int_distribution<size_t> at(0, pts.size() - 1);
  std::uniform_int_distribution<int> shift(0, 18);
  for (int k = 0; k < 2000; ++k) {
    const size_t begin = at(rng), len = 1 + (at(rng) >> shift(rng));
    const size_t end = std::min(pts.size(), begin + len);
    float lo, hi;
    index.RangeY(pts.data(), begin, end, lo, hi);
    const auto [mn, mx] =
        std::minmax_element(pts.begin() + static_cast<long>(begin), pts.begin() + static_cast<long>(end),
                            [](const Point& a, const Point& b) { return a.Y < b.Y; });
    ASSERT_EQ(lo, mn->Y) << begin << " " << end;
    ASSERT_EQ(hi, mx->Y) << begin << " " << end;
  }
  // The blocks of each level summarise their points; half a byte per point in all.
  size_t bytes = 0;
  for (int level = 0; level < BlockIndex::kLevels; ++level) {
    const auto& blocks = index.Level(level);
    bytes += blocks.size() * sizeof(BlockIndex::Block);
    const size_t n = BlockIndex::BlockSize(level);
    // A level above the first takes in the blocks below it as they are completed.
    const size_t below = level == 0 ? 1 : BlockIndex::BlockSize(level - 1);
    const size_t covered = level == 0 ? pts.size() : pts.size() / below * below;
    ASSERT_EQ(blocks.size(), (covered + n - 1) / n);
    const BlockIndex::Block& b = blocks[blocks.size() / 2];
    EXPECT_EQ(b.xMin, pts[blocks.size() / 2 * n].X);
    EXPECT_EQ(b.xMax, pts[std::min((blocks.size() / 2 + 1) * n, covered) - 1].X);
  }
  EXPECT_LE(static_cast<double>(bytes) / static_cast<double>(pts.size()), 0.6);
}

}  // namespace
}  // namespace plotara
