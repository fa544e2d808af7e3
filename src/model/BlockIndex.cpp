#include "model/BlockIndex.h"

#include <cmath>

namespace plotara {

void BlockIndex::Add(float x, float y, float e) {
  const bool finite = std::isfinite(x) && std::isfinite(y) && std::isfinite(e);
  // A point that is not finite is never drawn, but it breaks the order: a binary search cannot step over
  // it, and the blocks would not describe the points drawn.
  if (!(finite && (count_ == 0 || x >= lastX_))) nonDecreasing_ = false;
  lastX_ = x;
  if (e != 0) errors_ = true;
  for (int level = 0; level < kLevels; ++level) {
    std::vector<Block>& blocks = levels_[static_cast<size_t>(level)];
    if ((count_ & (BlockSize(level) - 1)) == 0) {
      blocks.push_back({x, x, y, y});
    } else {
      Block& b = blocks.back();
      b.xMin = std::fmin(b.xMin, x);
      b.xMax = std::fmax(b.xMax, x);
      b.yMin = std::fmin(b.yMin, y);
      b.yMax = std::fmax(b.yMax, y);
    }
  }
  ++count_;
}

void BlockIndex::Clear() {
  for (std::vector<Block>& blocks : levels_) blocks.clear();
  count_ = 0;
  nonDecreasing_ = true;
  errors_ = false;
}

}  // namespace plotara
