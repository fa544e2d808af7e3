#include "model/BlockIndex.h"

#include <cmath>

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

void BlockIndex::Clear() {
  for (std::vector<Block>& blocks : levels_) blocks.clear();
  count_ = 0;
  nonDecreasing_ = true;
  errors_ = false;
}

}  // namespace plotara
