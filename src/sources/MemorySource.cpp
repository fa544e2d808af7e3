#include <algorithm>
#include <cfloat>
#include <cmath>

#include "plotara/DataSource.h"

namespace plotara {

namespace {

bool Counts(double v) {
  return std::isfinite(v) && std::fabs(v) <= FLT_MAX;
}

}  // namespace

MemorySource::MemorySource(std::string name, std::vector<std::pair<double, double>> rows)
    : name_(std::move(name)), rows_(std::move(rows)) {
  std::erase_if(rows_, [](const auto& r) { return !Counts(r.first) || !Counts(r.second); });
  std::sort(rows_.begin(), rows_.end());
}

SourceExtent MemorySource::Extent() {
  SourceExtent e;
  e.Rows = static_cast<int64_t>(rows_.size());
  if (rows_.empty()) return e;
  e.XMin = rows_.front().first;
  e.XMax = rows_.back().first;
  const auto [low, high] = std::minmax_element(
      rows_.begin(), rows_.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
  e.YMin = low->second;
  e.YMax = high->second;
  const auto end = std::lower_bound(rows_.begin(), rows_.end(), std::pair{e.XMax, -DBL_MAX});
  e.RowsAtEnd = rows_.end() - end;
  e.LowestAtEnd = end->second;
  e.LastY = rows_.back().second;
  if (e.RowsAtEnd >= 2) e.BelowLastAtEnd = rows_[rows_.size() - 2].second;
  return e;
}

FoldAnswer MemorySource::Fold(const FoldRequest& request) {
  FoldAnswer a;
  const std::vector<double>& b = request.Bounds;
  if (b.size() < 2) throw DataSourceError(name_ + ": a view needs two bounds");
  // The first row at or after X = x.
  auto at = [&](double x) {
    return std::lower_bound(rows_.begin(), rows_.end(), x,
                            [](const auto& r, double v) { return r.first < v; });
  };
  auto from = at(b.front());
  if (from != rows_.begin()) a.Before = {true, std::prev(from)->first, std::prev(from)->second};
  for (size_t k = 0; k + 1 < b.size(); ++k) {
    const auto to = at(b[k + 1]);
    FoldedInterval in;
    in.Rows = to - from;
    if (in.Rows > 0) {
      in.FirstX = from->first, in.FirstY = from->second;
      in.LastX = std::prev(to)->first, in.LastY = std::prev(to)->second;
      in.LowY = in.HighY = from->second;
      for (auto r = from; r != to; ++r)
        in.LowY = std::min(in.LowY, r->second), in.HighY = std::max(in.HighY, r->second);
    }
    a.Intervals.push_back(in);
    from = to;
  }
  if (from != rows_.end()) a.After = {true, from->first, from->second};
  return a;
}

}  // namespace plotara
