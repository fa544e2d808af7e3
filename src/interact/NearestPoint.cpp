#include "interact/NearestPoint.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/Lookup.h"
#include "model/TimeOrigin.h"
#include "render/ItemView.h"
#include "render/Pipeline.h"
#include "scale/Mapping.h"

namespace plotara {

namespace {

constexpr double kUnbounded = std::numeric_limits<double>::infinity();

// The nearest point so far, over all data sets: its squared distance, and whether there is one.
struct Best {
  double d2;
  bool found = false;
};

// Takes a failure in silence and remembers it.
struct Quiet final : ErrorReporter {
  void ReportError(std::string_view, int) noexcept override { failed = true; }
  bool failed = false;
};

// The values of the square around the pointer that holds every point near enough, a twip wider on each
// side than the mapping's rounding needs, through the data set's own axes; the whole plane where the
// axes cannot be inverted there.
struct Window {
  Window(const ControlState& s, int16_t graph, const DataSetRecord& d, double x, double y, double r) {
    Quiet quiet;
    const double reach = r + 1;
    const double x0 = GetXCoord(s, quiet, graph, d.DataXAxis, static_cast<float>(x - reach)),
                 x1 = GetXCoord(s, quiet, graph, d.DataXAxis, static_cast<float>(x + reach)),
                 y0 = GetYCoord(s, quiet, graph, d.DataYAxis, static_cast<float>(y - reach)),
                 y1 = GetYCoord(s, quiet, graph, d.DataYAxis, static_cast<float>(y + reach));
    if (quiet.failed || !std::isfinite(x0) || !std::isfinite(x1) || !std::isfinite(y0) || !std::isfinite(y1))
      return;
    xLo = std::min(x0, x1), xHi = std::max(x0, x1), yLo = std::min(y0, y1), yHi = std::max(y0, y1);
  }
  bool Holds(const Point& p) const { return xLo <= p.X && p.X <= xHi && yLo <= p.Y && p.Y <= yHi; }
  bool Meets(const BlockIndex::Block& k) const {
    return !(k.xMax < xLo || k.xMin > xHi || k.yMax < yLo || k.yMin > yHi);
  }
  double xLo = -kUnbounded, xHi = kUnbounded, yLo = -kUnbounded, yHi = kUnbounded;
};

// The search through one data set: its points and their mapping to the page.
class Search {
 public:
  Search(const ItemView& item, const PlotBox& plot, const Window& window, double x, double y, Best& best)
      : item_(item), plot_(plot), window_(window), x_(x), y_(y), best_(best) {}

  // Every point of the data set, through the blocks of its index: all its levels when the index
  // describes the points (X never decreases, every point finite); otherwise only the first level,
  // whose blocks still bound their finite points.
  int32_t Run() {
    const BlockIndex& index = item_.Data.Index;
    const size_t n = static_cast<size_t>(item_.Data.PointCount);
    if (index.Count() != n) return Scan(0, n);
    const int top = index.NonDecreasing() ? BlockIndex::kLevels - 1 : 0;
    size_t covered = 0;  // points covered by the blocks of the levels above
    for (int level = top; level >= 0; --level) {
      const std::vector<BlockIndex::Block>& blocks = index.Level(level);
      for (size_t b = covered / BlockIndex::BlockSize(level); b < blocks.size(); ++b) Visit(level, b);
      covered = std::max(covered, blocks.size() * BlockIndex::BlockSize(level));
    }
    return found_;
  }

 private:
  // The page interval a value range maps to, or an unbounded one where the range cannot be mapped
  // (a value that is not finite, or not positive on a logarithmic axis).
  static void PageInterval(const AxisMapping& m, bool log, float lo, float hi, double& from, double& to) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || (log && !(lo > 0))) {
      from = -kUnbounded;
      to = kUnbounded;
      return;
    }
    const double a = m.Map(lo), b = m.Map(hi);
    from = std::min(a, b);
    to = std::max(a, b);
  }
  static double Gap(double v, double from, double to) { return v < from ? from - v : v > to ? v - to : 0; }

  void Visit(int level, size_t b) {
    const BlockIndex::Block& k = item_.Data.Index.Level(level)[b];
    // First the window's values, then (above the first level, where it pays) the page and the best
    // distance so far. A range that is not a number (a block that began with such a point) passes both.
    if (!window_.Meets(k)) return;
    if (level == 0) {
      const size_t first = b * BlockIndex::BlockSize(0);
      Scan(first, std::min(first + BlockIndex::BlockSize(0), static_cast<size_t>(item_.Data.PointCount)));
      return;
    }
    double x0, x1, y0, y1;
    PageInterval(item_.X, item_.XAxis.AxisLog, k.xMin, k.xMax, x0, x1);
    PageInterval(item_.Y, item_.YAxis.AxisLog, k.yMin, k.yMax, y0, y1);
    const double gx = Gap(x_, x0, x1), gy = Gap(y_, y0, y1);
    if (gx * gx + gy * gy > best_.d2) return;
    constexpr size_t kChildren = size_t{1} << BlockIndex::kLevelShift;
    for (size_t c = b * kChildren; c < (b + 1) * kChildren; ++c) Visit(level - 1, c);
  }

  int32_t Scan(size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
      const Point& p = item_.Points[i];
      // Most points near the pointer in one direction lie far in the other: two comparisons pass them by
      // (and every point that is not finite).
      if (!window_.Holds(p)) continue;
      const double px = item_.PosX(p.X), py = item_.PosY(p.Y);
      if (!(plot_.L <= px && px <= plot_.R && plot_.T <= py && py <= plot_.B)) continue;
      const double d2 = (px - x_) * (px - x_) + (py - y_) * (py - y_);
      if (d2 < best_.d2 || (d2 == best_.d2 && !best_.found)) {
        best_ = {d2, true};
        found_ = static_cast<int32_t>(i);
      }
    }
    return found_;
  }

  const ItemView& item_;
  const PlotBox& plot_;
  const Window& window_;
  double x_, y_;
  Best& best_;
  int32_t found_ = -1;  // in this data set
};

bool Drawn(const DataSetRecord& d) {
  return !d.DataHide && d.PointCount > 0 &&
         (d.DataSymbol != kSymbolNone || d.DataLineStyle != kLineNone ||
          (d.ShowErrorBar && d.Index.AnyError()));
}

}  // namespace

PointHit NearestPoint(const ControlState& s, ErrorReporter& r, int16_t graph, float x, float y,
                      float maxDistance) {
  PointHit hit;
  Guarded(r, "NearestPoint", [&] {
    const GraphRecord& g = s.Graph(graph);
    const PlotBox plot = PlotOf(g);
    if (!(maxDistance >= 0)) return;
    Best best{static_cast<double>(maxDistance) * maxDistance};
    size_t start = 0;
    for (int16_t i = 0; i < g.NumDataSets(); ++i) {
      const DataSetRecord& d = g.DataSets[static_cast<size_t>(i)];
      const Point* points = g.Points.Data() + start;
      start += static_cast<size_t>(std::max<int32_t>(d.PointCount, 0));
      if (!Drawn(d)) continue;
      const ItemView item(g, i, points, s.UnitsPerMmX, s.UnitsPerMmY);
      const Window window(s, graph, d, x, y, maxDistance);
      const int32_t found = Search(item, plot, window, x, y, best).Run();
      if (found < 0) continue;
      const Point& p = points[found];
      hit = {true,
             graph,
             i,
             found,
             HostValueOf(item.XAxis, p.X),
             HostValueOf(item.YAxis, p.Y),
             d.DataLegend,
             static_cast<float>(std::sqrt(best.d2))};
    }
  });
  return hit;
}

}  // namespace plotara
