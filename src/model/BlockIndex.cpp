#include "model/BlockIndex.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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

namespace {

constexpr size_t kFirstBlock = BlockIndex::BlockSize(0);

// The ranges of a block of the first level as Add widens them point by point: NaN never replaces an
// extreme, and a first point that is NaN stays.
BlockIndex::Block Ranges(const Point* q) {
  BlockIndex::Block b{q[0].X, q[0].X, q[0].Y, q[0].Y};
  for (size_t k = 1; k < kFirstBlock; ++k) {
    const float x = q[k].X, y = q[k].Y;
    b.xMin = x < b.xMin ? x : b.xMin;
    b.xMax = x > b.xMax ? x : b.xMax;
    b.yMin = y < b.yMin ? y : b.yMin;
    b.yMax = y > b.yMax ? y : b.yMax;
  }
  return b;
}

// The same for a block whose values are all finite, four floats at a time: four points are three such
// vectors, X Y E X | Y E X Y | E X Y E, so each lane keeps the extreme of one coordinate.
BlockIndex::Block RangesOfFinite(const Point* q) {
  using V4 = float __attribute__((vector_size(16)));
  const auto* f = reinterpret_cast<const float*>(q);
  V4 lo[3], hi[3];
  for (size_t v = 0; v < 3; ++v) {
    std::memcpy(&lo[v], f + 4 * v, sizeof(V4));
    hi[v] = lo[v];
  }
  for (size_t group = 1; group < kFirstBlock / 4; ++group)
    for (size_t v = 0; v < 3; ++v) {
      V4 a;
      std::memcpy(&a, f + 12 * group + 4 * v, sizeof(V4));
      lo[v] = a < lo[v] ? a : lo[v];
      hi[v] = a > hi[v] ? a : hi[v];
    }
  return {
      std::min({lo[0][0], lo[0][3], lo[1][2], lo[2][1]}), std::max({hi[0][0], hi[0][3], hi[1][2], hi[2][1]}),
      std::min({lo[0][1], lo[1][0], lo[1][3], lo[2][2]}), std::max({hi[0][1], hi[1][0], hi[1][3], hi[2][2]})};
}

}  // namespace

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
    levels_[0].push_back(ordered ? RangesOfFinite(q) : Ranges(q));
    lastX_ = q[kBlock - 1].X;
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
