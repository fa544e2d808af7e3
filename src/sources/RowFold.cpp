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

void RowExtent::Add(double x, double y) {
  if (e_.Rows++ == 0 || x > e_.XMax) {
    if (e_.Rows == 1) e_.XMin = e_.XMax = x, e_.YMin = e_.YMax = y;
    e_.XMax = x;
    e_.RowsAtEnd = 1;
    e_.LowestAtEnd = e_.LastY = y;
  } else if (x == e_.XMax) {
    // The last row is the one with the greatest Y; the one before it keeps the Y it had.
    const double below = y >= e_.LastY ? e_.LastY : y;
    belowLast_ = e_.RowsAtEnd++ == 1 ? below : std::max(belowLast_, below);
    e_.LastY = std::max(e_.LastY, y);
    e_.LowestAtEnd = std::min(e_.LowestAtEnd, y);
  }
  e_.XMin = std::min(e_.XMin, x);
  e_.YMin = std::min(e_.YMin, y);
  e_.YMax = std::max(e_.YMax, y);
}

SourceExtent RowExtent::Take() const {
  SourceExtent e = e_;
  if (e.RowsAtEnd >= 2) e.BelowLastAtEnd = belowLast_;
  return e;
}

}  // namespace plotara
