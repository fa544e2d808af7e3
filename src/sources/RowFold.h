// The fold of a view, and the extent of the rows, computed from the rows one at a time, in any order:
// what an engine's own aggregate function does with each row it reads.
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

// SourceExtent's fields.
class RowExtent {
 public:
  // One row that counts.
  void Add(double x, double y);
  SourceExtent Take() const;

 private:
  SourceExtent e_;
  double belowLast_ = 0;  // the largest Y at XMax but the last row's, while RowsAtEnd >= 2
};

}  // namespace plotara
