#include "sources/RowFold.h"

#include <algorithm>

namespace plotara {

namespace {

// Rows in the order the line takes them: by X, then Y.
bool Before(double x, double y, double x2, double y2) {
  return x < x2 || (x == x2 && y < y2);
}

}  // namespace

RowFold::RowFold(const FoldRequest& request) : bounds_(request.Bounds), grid_(MakeGrid(request.Bounds)) {
  answer_.Intervals.resize(bounds_.size() - 1);
}

void RowFold::Add(double x, double y) {
  if (x < bounds_.front()) {
    SourceRow& b = answer_.Before;
    if (!b.Exists || Before(b.X, b.Y, x, y)) b = {true, x, y};
    return;
  }
  if (x >= bounds_.back()) {
    SourceRow& a = answer_.After;
    if (!a.Exists || Before(x, y, a.X, a.Y)) a = {true, x, y};
    return;
  }
  FoldedInterval& in = answer_.Intervals[grid_.Interval(bounds_, x)];
  if (in.Rows++ == 0) {
    in = {1, x, y, x, y, y, y};
    return;
  }
  if (Before(x, y, in.FirstX, in.FirstY)) in.FirstX = x, in.FirstY = y;
  if (Before(in.LastX, in.LastY, x, y)) in.LastX = x, in.LastY = y;
  in.LowY = std::min(in.LowY, y);
  in.HighY = std::max(in.HighY, y);
}

}  // namespace plotara
