// A summary of a data set's points for drawing many of them: whether X never decreases, and for every
// block of consecutive points the range of X and Y, on several levels (blocks of 32 points, of 16 such
// blocks, and so on). Kept up to date as points are added, so that a view finds its points by binary
// search and the extremes of any run of points from a few blocks: half a byte per point.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/PointList.h"

namespace plotara {

class BlockIndex {
 public:
  static constexpr int kLevels = 5;
  static constexpr int kFirstShift = 5;  // 32 points per block of the first level
  static constexpr int kLevelShift = 4;  // 16 blocks of a level per block of the next

  struct Block {
    float xMin, xMax, yMin, yMax;
  };

  // Takes in the next point: one block update, inline, as it runs for every point added.
  void Add(float x, float y, float e) {
    // A point that is not finite is never drawn, but it breaks the order: a binary search cannot step
    // over it, and the blocks would not describe the points drawn. The blocks are read only while the
    // order holds, so plain comparisons serve for their ranges.
    if (!(std::isfinite(x) && std::isfinite(y) && std::isfinite(e) && (count_ == 0 || x >= lastX_)))
      nonDecreasing_ = false;
    lastX_ = x;
    errors_ |= e != 0;
    if ((count_ & (BlockSize(0) - 1)) == 0) {
      StartBlock(x, y);
    } else {
      Widen(levels_[0].back(), {x, x, y, y});
    }
    if ((++count_ & (BlockSize(0) - 1)) == 0) Complete();
  }
  // Takes in n points as Add does one by one, a block of the first level at a time.
  void Append(const Point* points, size_t n);
  void Clear();

  size_t Count() const noexcept { return count_; }
  // True when every point so far is finite and no X is smaller than the one before it; only then do the
  // blocks describe the points.
  bool NonDecreasing() const noexcept { return nonDecreasing_; }
  // True when a point has an error value other than 0, so that it may need an error bar.
  bool AnyError() const noexcept { return errors_; }
  // The blocks of a level and the number of points each covers. The first level takes in every point; a
  // level above it takes in the blocks below only once they are complete, which is all a range ever
  // reads there.
  const std::vector<Block>& Level(int level) const noexcept { return levels_[static_cast<size_t>(level)]; }
  static constexpr size_t BlockSize(int level) { return size_t{1} << (kFirstShift + kLevelShift * level); }

  // Lowest and highest Y of points [begin, end) of `points` (this index's points): whole blocks from the
  // levels, the points at the ends one by one. Only for an index that is NonDecreasing; begin < end.
  template <class PointT>
  [[gnu::always_inline]] inline void RangeY(const PointT* points, size_t begin, size_t end, float& lo,
                                            float& hi) const;

 private:
  // b takes in the ranges of `with`.
  static void Widen(Block& b, const Block& with) noexcept {
    if (with.xMin < b.xMin) b.xMin = with.xMin;
    if (with.xMax > b.xMax) b.xMax = with.xMax;
    if (with.yMin < b.yMin) b.yMin = with.yMin;
    if (with.yMax > b.yMax) b.yMax = with.yMax;
  }
  void StartBlock(float x, float y);
  void Complete();  // a block of the first level is full: the levels above take it in

  std::array<std::vector<Block>, kLevels> levels_;
  size_t count_ = 0;
  float lastX_ = 0;
  bool nonDecreasing_ = true;
  bool errors_ = false;
};

template <class PointT>
inline void BlockIndex::RangeY(const PointT* points, size_t begin, size_t end, float& lo, float& hi) const {
  lo = points[begin].Y;
  hi = lo;
  auto take = [&](float a, float b) {
    if (a < lo) lo = a;
    if (b > hi) hi = b;
  };
  constexpr size_t first = size_t{1} << kFirstShift;
  while (begin < end && (begin & (first - 1)) != 0) take(points[begin].Y, points[begin].Y), ++begin;
  while (end > begin && (end & (first - 1)) != 0) --end, take(points[end].Y, points[end].Y);
  size_t b = begin >> kFirstShift, e = end >> kFirstShift;
  for (int level = 0; level < kLevels && b < e; ++level) {
    const std::vector<Block>& blocks = levels_[static_cast<size_t>(level)];
    const bool top = level == kLevels - 1;
    constexpr size_t group = size_t{1} << kLevelShift;
    while (b < e && (top || (b & (group - 1)) != 0)) take(blocks[b].yMin, blocks[b].yMax), ++b;
    while (e > b && (top || (e & (group - 1)) != 0)) --e, take(blocks[e].yMin, blocks[e].yMax);
    b >>= kLevelShift;
    e >>= kLevelShift;
  }
}

}  // namespace plotara
