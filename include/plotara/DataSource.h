// A data set fed by a source outside the control: a database table, or anything else that can answer
// two questions about its rows: how far they reach, and what they hold between two X values, folded into
// intervals. The control asks the second question for each view it draws, with one interval per pixel
// column of the picture, so that a source never hands over more than a few numbers per column however
// many rows it holds.
//
// A source's rows are (X, Y) pairs of numbers; a row whose X or Y is missing (NULL), not finite, or beyond
// single precision is no row of the line. The line runs through the rows in order of X, and rows of equal
// X in order of Y.
#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace plotara {

// A source's failure: the text says what went wrong and names the source
// ("sqlite:/data/plant.db: no such table: samples").
class DataSourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How far a source's rows reach.
struct SourceExtent {
  int64_t Rows = 0;  // 0: the source holds no row, and the values below mean nothing
  double XMin = 0, XMax = 0, YMin = 0, YMax = 0;
  // The end of the line: the rows at X = XMax, how many, their smallest and largest Y (the last row is
  // (XMax, LastY)), and the largest Y among them but the last row: NaN when the last row is alone there.
  int64_t RowsAtEnd = 0;
  double LowestAtEnd = 0, LastY = 0;
  double BelowLastAtEnd = std::numeric_limits<double>::quiet_NaN();
};

// The question a view asks: the rows with Bounds.front() <= X < Bounds.back(), in the intervals
// [Bounds[k], Bounds[k + 1]), and the rows just outside them.
struct FoldRequest {
  // At least two, strictly increasing. On a logarithmic axis the intervals are equally wide in log X:
  // the bounds are where the picture's columns begin, whatever the axis's scale.
  std::vector<double> Bounds;
  bool operator==(const FoldRequest&) const = default;
};

// What an interval holds, its rows taken in order of X, then Y.
struct FoldedInterval {
  int64_t Rows = 0;  // 0: the other fields mean nothing
  double FirstX = 0, FirstY = 0;
  double LastX = 0, LastY = 0;
  double LowY = 0, HighY = 0;  // the smallest and the largest Y of all its rows
};

// One row of a source, or none.
struct SourceRow {
  bool Exists = false;
  double X = 0, Y = 0;
};

struct FoldAnswer {
  std::vector<FoldedInterval> Intervals;  // one per interval of the request, in order
  SourceRow Before;                       // the last row with X < Bounds.front()
  SourceRow After;                        // the first row with X >= Bounds.back()
  // What crossed from the source to the control for this answer (the source's own count).
  int64_t RowsMoved = 0, BytesMoved = 0;
};

class DataSource {
 public:
  virtual ~DataSource() = default;
  // What messages call the source, such as "sqlite:/data/plant.db".
  virtual std::string Name() const = 0;
  // Both questions may take long (a query on a server) and raise DataSourceError. The control asks one
  // question at a time of a source, though not always from the same thread.
  virtual SourceExtent Extent() = 0;
  virtual FoldAnswer Fold(const FoldRequest& request) = 0;
};

// A source that holds its rows in memory, in double precision: the reference the database sources are
// measured against, and a way for a host to hand over rows it already holds.
class MemorySource : public DataSource {
 public:
  // Rows that do not count (see above) are left out.
  MemorySource(std::string name, std::vector<std::pair<double, double>> rows);
  std::string Name() const override { return name_; }
  SourceExtent Extent() override;
  FoldAnswer Fold(const FoldRequest& request) override;

 private:
  std::string name_;
  std::vector<std::pair<double, double>> rows_;  // in order of X, then Y
};

}  // namespace plotara
