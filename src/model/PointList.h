// The point list of one graph: X, Y and E of every point as three floats, all data sets one after the
// other in one contiguous block. The block lives in its own virtual memory mapping and grows by
// remapping, which moves no data: appending stays amortised O(1) and the peak memory stays at what the
// points themselves need, even for tens of millions of points.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plotara {

struct Point {
  float X;
  float Y;
  float E;
};
static_assert(sizeof(Point) == 12, "points are three packed floats");

class PointList {
 public:
  PointList() = default;
  ~PointList();
  PointList(const PointList&) = delete;
  PointList& operator=(const PointList&) = delete;
  PointList(PointList&& other) noexcept;
  PointList& operator=(PointList&& other) noexcept;

  void Append(float x, float y, float e) {
    if (count_ == capacity_) Grow();
    data_[count_++] = Point{x, y, e};
  }
  // Room for n more points after the last, for a caller that writes some of them and then counts those
  // with Added before anything reads them. Raises run-time error 7 when no memory can be had.
  Point* Room(size_t n) {
    while (capacity_ - count_ < n) Grow();
    return data_ + count_;
  }
  void Added(size_t n) noexcept { count_ += n; }
  // Forgets all points; keeps room for a couple.
  void Clear();

  size_t Count() const noexcept { return count_; }
  const Point* Data() const noexcept { return data_; }
  const Point& operator[](size_t i) const noexcept { return data_[i]; }
  Point& operator[](size_t i) noexcept { return data_[i]; }

 private:
  void Grow();  // raises run-time error 7 when no memory can be had

  Point* data_ = nullptr;
  size_t count_ = 0;
  size_t capacity_ = 0;
  size_t mappedBytes_ = 0;
};

}  // namespace plotara
