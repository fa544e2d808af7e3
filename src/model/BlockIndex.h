// A summary of a data set's points for drawing many of them: whether X never decreases, and for every
// block of consecutive points the range of X and Y, on several levels (blocks of 32 points, of 16 such
// blocks, and so on). Kept up to date as points are added, so that a view finds its points by binary
// search and the extremes of any run of points from a few blocks: half a byte per point.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plotara {

class BlockIndex {
 public:
  static constexpr int kLevels = 5;
  static constexpr int kFirstShift = 5;  // 32 points per block of the first level
  static constexpr int kLevelShift = 4;  // 16 blocks of a level per block of the next

  struct Block {
    float xMin, xMax, yMin, yMax;
  };

  void Add(float x, float y, float e);
  void Clear();

  size_t Count() const noexcept { return count_; }
  // True when every point so far is finite and no X is smaller than the one before it; only then do the
  // blocks describe the points.
  bool NonDecreasing() const noexcept { return nonDecreasing_; }
  // True when a point has an error value other than 0, so that it may need an error bar.
  bool AnyError() const noexcept { return errors_; }
  // The blocks of a level and the number of points each covers.
  const std::vector<Block>& Level(int level) const noexcept { return levels_[static_cast<size_t>(level)]; }
  static constexpr size_t BlockSize(int level) { return size_t{1} << (kFirstShift + kLevelShift * level); }

  // Lowest and highest Y of points [begin, end) of `points` (this index's points): whole blocks from the
  // levels, the points at the ends one by one. Only for an index that is NonDecreasing; begin < end.
  template <class PointT>
  void RangeY(const PointT* points, size_t begin, size_t end, float& lo, float& hi) const;

 private:
  std::array<std::vector<Block>, kLevels> levels_;
  size_t count_ = 0;
  float lastX_ = 0;
  bool nonDecreasing_ = true;
  bool errors_ = false;
};

template <class PointT>
void BlockIndex::RangeY(const PointT* points, size_t begin, size_t end, float& lo, float& hi) const {
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
