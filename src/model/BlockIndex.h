// A summary of a data set's points for drawing many of them: whether X never decreases, and for every
// block of kBlockSize consecutive points the range of X and Y. Kept up to date as points are added, so
// that a zoomed or panned view finds its points by binary search and takes a pixel column's extremes from
// whole blocks instead of from every point.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plotara {

class BlockIndex {
 public:
  static constexpr int kBlockShift = 8;
  static constexpr size_t kBlockSize = size_t{1} << kBlockShift;  // 16 bytes per 256 points

  struct Block {
    float xMin, xMax, yMin, yMax;
    // False when a point of the block is not drawn as a plain point (an X, Y or E that is not finite);
    // such a block is taken point by point.
    bool Plain() const { return !std::isnan(yMin); }
  };

  // Adds the summary of the next point.
  void Add(float x, float y, float e) {
    const bool finite = std::isfinite(x) && std::isfinite(y) && std::isfinite(e);
    // A point that is not finite is never drawn, but it does break the order: a binary search cannot
    // step over it.
    if (!(finite && (count_ == 0 || x >= lastX_))) nonDecreasing_ = false;
    lastX_ = x;
    if (e != 0) errors_ = true;
    if ((count_ & (kBlockSize - 1)) == 0) {
      blocks_.push_back(finite ? Block{x, x, y, y} : Block{x, x, NAN, NAN});
    } else {
      Block& b = blocks_.back();
      if (!finite || !b.Plain()) {
        b.yMin = b.yMax = NAN;
      } else {
        b.xMin = std::fmin(b.xMin, x);
        b.xMax = std::fmax(b.xMax, x);
        b.yMin = std::fmin(b.yMin, y);
        b.yMax = std::fmax(b.yMax, y);
      }
    }
    ++count_;
  }
  void Clear() {
    blocks_.clear();
    count_ = 0;
    nonDecreasing_ = true;
    errors_ = false;
  }

  size_t Count() const noexcept { return count_; }
  // True when every point so far is finite and no X is smaller than the one before it.
  bool NonDecreasing() const noexcept { return nonDecreasing_; }
  // True when a point has an error value other than 0, so that it may need an error bar.
  bool AnyError() const noexcept { return errors_; }
  const std::vector<Block>& Blocks() const noexcept { return blocks_; }

 private:
  std::vector<Block> blocks_;
  size_t count_ = 0;
  float lastX_ = 0;
  bool nonDecreasing_ = true;
  bool errors_ = false;
};

}  // namespace plotara
