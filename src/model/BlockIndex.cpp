#include "model/BlockIndex.h"

#include <cmath>
#include <limits>

namespace plotara {

void BlockIndex::StartBlock(float x, float y) {
  levels_[0].push_back({x, x, y, y});
}

void BlockIndex::Complete() {
  // A block that is now complete goes into the block above it, and so on up.
  for (int level = 1; level < kLevels && (count_ & (BlockSize(level - 1) - 1)) == 0; ++level) {
    const Block& done = levels_[static_cast<size_t>(level - 1)].back();
    std::vector<Block>& up = levels_[static_cast<size_t>(level)];
    if (((count_ - BlockSize(level - 1)) & (BlockSize(level) - 1)) == 0) {
      up.push_back(done);
    } else {
      Widen(up.back(), done);
    }
  }
}

void BlockIndex::Append(const Point* points, size_t n) {
  constexpr size_t kBlock = BlockSize(0);
  size_t i = 0;
  // Up to the start of a block one by one, then whole blocks, then the rest one by one.
  for (; i < n && (count_ & (kBlock - 1)) != 0; ++i) Add(points[i].X, points[i].Y, points[i].E);
  const size_t whole = i + (n - i) / kBlock * kBlock;
  // What Add does for each point, without a branch per point: the order and the errors over all of the
  // whole blocks, and each block's ranges, where NaN never replaces an extreme (as in Widen).
  constexpr float kMax = std::numeric_limits<float>::max();
  bool ordered = i == whole || count_ == 0 || points[i].X >= lastX_;
  bool errors = false;
  for (size_t k = i; k < whole; ++k) {
    const float x = points[k].X, e = points[k].E;
    ordered &= (k == i || x >= points[k - 1].X) & (std::fabs(x) <= kMax) & (std::fabs(points[k].Y) <= kMax) &
               (std::fabs(e) <= kMax);
    errors |= e != 0;
  }
  nonDecreasing_ = nonDecreasing_ && ordered;
  errors_ = errors_ || errors;
  for (; i < whole; i += kBlock) {
    const Point* q = points + i;
    Block b{q[0].X, q[0].X, q[0].Y, q[0].Y};
    for (size_t k = 1; k < kBlock; ++k) {
      const float x = q[k].X, y = q[k].Y;
      b.xMin = x < b.xMin ? x : b.xMin;
      b.xMax = x > b.xMax ? x : b.xMax;
      b.yMin = y < b.yMin ? y : b.yMin;
      b.yMax = y > b.yMax ? y : b.yMax;
    }
    lastX_ = q[kBlock - 1].X;
    levels_[0].push_back(b);
    count_ += kBlock;
    Complete();
  }
  for (; i < n; ++i) Add(points[i].X, points[i].Y, points[i].E);
}

void BlockIndex::Clear() {
  for (std::vector<Block>& blocks : levels_) blocks.clear();
  count_ = 0;
  nonDecreasing_ = true;
  errors_ = false;
}

}  // namespace plotara
