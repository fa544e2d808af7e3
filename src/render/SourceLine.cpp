// SourceLine sections: the columns of a view; the points of an answer; drawing.
//
// Why the points draw the same pixels as all the rows: within one pixel column every segment is a
// vertical run of that column, so the rows between the first and the last matter only through the
// rows they reach; a one-pixel line leaves out the last row of a column only when it lies beyond all the
// others, and the segment on to the next column draws it again. Only the very end of the line has no
// such segment: there the lowest and highest Y are taken without the last row (SourceExtent's end).
#include "render/SourceLine.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>

#include "model/BlockIndex.h"
#include "render/LinePath.h"

namespace plotara {

// ---------------------------------------------------------------- the columns of a view

namespace {

// Doubles in their order as integers, for bisection over every value between two.
int64_t OrderKey(double v) {
  const auto bits = std::bit_cast<int64_t>(v);
  return bits < 0 ? std::numeric_limits<int64_t>::min() - bits : bits;
}
double FromOrderKey(int64_t k) {
  return std::bit_cast<double>(k < 0 ? std::numeric_limits<int64_t>::min() - k : k);
}

// The least value in [lo, hi] for which `past` holds, where past holds for every value after one that
// it holds for; hi when it holds for none before it.
template <class Past>
double FirstPast(double lo, double hi, Past past) {
  if (past(lo)) return lo;
  int64_t a = OrderKey(lo), b = OrderKey(hi);  // past(a) is false; b is past, or the end
  // The keys of the whole double range span more than an int64 holds: step in unsigned.
  while (static_cast<uint64_t>(b) - static_cast<uint64_t>(a) > 1) {
    const int64_t mid = static_cast<int64_t>(static_cast<uint64_t>(a) +
                                             (static_cast<uint64_t>(b) - static_cast<uint64_t>(a)) / 2);
    if (past(FromOrderKey(mid))) {
      b = mid;
    } else {
      a = mid;
    }
  }
  return FromOrderKey(b);
}

// X as a point of the data set holds it and the pixel column it lands in.
struct XPlacement {
  const AxisMapping& map;
  double origin;
  double twipsPerPixel;
  // Clamped first: a value beyond single range is no point's, and the search below tries them all.
  double Stored(double x) const {
    return static_cast<float>(std::clamp<double>(x - origin, -FLT_MAX, FLT_MAX));
  }
  int32_t Column(double x) const { return PixelOfPage(map.Map(Stored(x)), twipsPerPixel); }
};

}  // namespace

std::optional<SourceQuestion> ViewQuestion(const ItemView& item, double twipsPerPixel,
                                           const SourceExtent& extent) {
  const double x1 = item.XAxis.AxisValue1, x2 = item.XAxis.AxisValue2;
  // Limits given high to low hold no point (a segment is drawn only with an end inside them).
  if (!(x1 <= x2) || extent.Rows == 0) return std::nullopt;
  const XPlacement place{item.X, item.XAxis.TimeOrigin, twipsPerPixel};
  const double lowest = -DBL_MAX, highest = DBL_MAX;
  // The rows inside the X limits as the points would hold them: from first to before end.
  const double first = FirstPast(lowest, highest, [&](double x) { return place.Stored(x) >= x1; });
  const double end = FirstPast(lowest, highest, [&](double x) { return place.Stored(x) > x2; });
  if (!(first < end)) return std::nullopt;
  SourceQuestion q;
  std::vector<double>& bounds = q.Request.Bounds;
  bounds.push_back(first);
  // The columns follow one another as X grows (backwards on a reversed axis): each bound is the least X
  // of a new column.
  for (double from = first;;) {
    const int32_t column = place.Column(from);
    const double next = FirstPast(from, end, [&](double x) { return place.Column(x) != column; });
    if (!(next < end)) break;
    bounds.push_back(next);
    from = next;
  }
  bounds.push_back(end);
  // The end of the line gets an interval of its own within its column.
  const double last = extent.XMax;
  if (last >= first && last < end) {
    // The first bound after last's interval.
    const auto after = std::upper_bound(bounds.begin(), bounds.end(), last) - bounds.begin();
    q.EndJoins = bounds[static_cast<size_t>(after - 1)] != last;
    if (q.EndJoins) bounds.insert(bounds.begin() + after, last);
    q.EndPart = static_cast<int32_t>(q.EndJoins ? after : after - 1);
  }
  return q;
}

// ---------------------------------------------------------------- the points of an answer

namespace {

// The points of one pixel column, given what its rows hold: the first, the lowest and highest Y (at the
// first row's X) and the last.
void ColumnPoints(std::vector<Point>& out, int64_t rows, double firstX, double firstY, double lowY,
                  double highY, double lastX, double lastY, double ox, double oy) {
  auto add = [&](double x, double y) {
    out.push_back({static_cast<float>(x - ox), static_cast<float>(y - oy), 0.0f});
  };
  add(firstX, firstY);
  if (rows >= 3) {
    add(firstX, lowY);
    add(firstX, highY);
  }
  if (rows >= 2) add(lastX, lastY);
}

}  // namespace

std::vector<Point> AnswerPoints(const SourceQuestion& q, const FoldAnswer& a, const SourceExtent& e,
                                double ox, double oy) {
  std::vector<Point> out;
  out.reserve(a.Intervals.size() * 4 + 2);
  if (a.Before.Exists)
    out.push_back({static_cast<float>(a.Before.X - ox), static_cast<float>(a.Before.Y - oy), 0});
  const int32_t count = static_cast<int32_t>(a.Intervals.size());
  for (int32_t k = 0; k < count; ++k) {
    const bool joinsNext = k + 1 == q.EndPart && q.EndJoins;
    if (k == q.EndPart || joinsNext) {
      // The end of the line: the rows before it in its column (if any) and the rows at the last X, whose
      // last row, the one with the greatest Y, is the line's last point. The lowest and highest Y leave
      // that one out.
      const FoldedInterval none;
      const FoldedInterval& before = joinsNext ? a.Intervals[static_cast<size_t>(k)] : none;
      const FoldedInterval& end = a.Intervals[static_cast<size_t>(q.EndPart)];
      double lo = std::numeric_limits<double>::infinity(), hi = -lo;
      if (before.Rows > 0) lo = before.LowY, hi = before.HighY;
      if (end.Rows >= 2) lo = std::min(lo, end.LowY), hi = std::max(hi, e.BelowLastAtEnd);
      if (before.Rows > 0) {
        ColumnPoints(out, before.Rows + end.Rows, before.FirstX, before.FirstY, lo, hi, end.LastX, end.LastY,
                     ox, oy);
      } else if (end.Rows > 0) {
        ColumnPoints(out, end.Rows, end.FirstX, end.FirstY, lo, hi, end.LastX, end.LastY, ox, oy);
      }
      if (joinsNext) ++k;
      continue;
    }
    const FoldedInterval& c = a.Intervals[static_cast<size_t>(k)];
    if (c.Rows > 0) ColumnPoints(out, c.Rows, c.FirstX, c.FirstY, c.LowY, c.HighY, c.LastX, c.LastY, ox, oy);
  }
  if (a.After.Exists)
    out.push_back({static_cast<float>(a.After.X - ox), static_cast<float>(a.After.Y - oy), 0});
  return out;
}

// ---------------------------------------------------------------- drawing

namespace {

void DrawPoints(Surface& s, const ItemView& item, const std::vector<Point>& points) {
  if (points.empty()) return;
  BlockIndex index;
  for (const Point& p : points) index.Add(p.X, p.Y, p.E);
  // The data set's mapping and axis ranges, with these points in place of its own (it holds none).
  LineData line = LineOf(item);
  line.points = points.data();
  line.count = points.size();
  line.xNonDecreasing = index.NonDecreasing();
  line.index = line.xNonDecreasing ? &index : nullptr;
  DrawDataLine(s, line);
}

}  // namespace

void DrawSourceLine(Drawing& d, Surface& s, const ItemView& item, SourceFeed& feed) {
  ControlState& state = d.State;
  const std::string failure = feed.TakeFailure();
  if (!failure.empty()) d.Notify.ReportFailure("DataQuery", err::DataSourceFailed, failure);
  const std::optional<SourceQuestion> q = ViewQuestion(item, s.TwipsPerPixelX(), feed.Extent());
  if (!q) return;
  std::shared_ptr<const FoldAnswer> answer = feed.Find(q->Request);
  if (!answer && state.DeferDataQueries) {
    // A question that has just failed on the host's thread is not noted again: the host would run it,
    // draw, and note it once more, for ever. The last rows are drawn; the next view asks anew.
    if (failure.empty()) {
      feed.Defer(q->Request);
      state.PictureWaits = true;
    }
  } else if (!answer) {
    try {
      answer = feed.Ask(q->Request);
    } catch (const std::exception& e) {
      d.Notify.ReportFailure("DataQuery", err::DataSourceFailed, e.what());
    }
  }
  if (answer) {
    feed.SetShown(*q, answer);
    DrawPoints(s, item,
               AnswerPoints(*q, *answer, feed.Extent(), item.XAxis.TimeOrigin, item.YAxis.TimeOrigin));
    return;
  }
  const auto [shownQuestion, shown] = feed.Shown();
  if (shown)
    DrawPoints(
        s, item,
        AnswerPoints(shownQuestion, *shown, feed.Extent(), item.XAxis.TimeOrigin, item.YAxis.TimeOrigin));
}

}  // namespace plotara
