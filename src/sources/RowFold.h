// The fold of a view computed from its rows one at a time, in any order: what an engine's own aggregate
// function does with each row it reads.
#pragma once

#include <vector>

#include "plotara/DataSource.h"
#include "sources/FoldGrid.h"

namespace plotara {

class RowFold {
 public:
  explicit RowFold(const FoldRequest& request);
  // One row that counts (X and Y finite).
  void Add(double x, double y);
  FoldAnswer Take() { return std::move(answer_); }

 private:
  const std::vector<double>& bounds_;
  FoldGrid grid_;
  FoldAnswer answer_;
};

}  // namespace plotara
