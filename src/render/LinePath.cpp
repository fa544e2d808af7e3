#include "render/LinePath.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace plotara {

namespace {

inline bool Finite(const Point& p) {
  return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.E);
}

// The first point a view can touch and the end of those points, when X never decreases: every point
// before the last one left of the range, and every point after the first one right of it, has only
// neighbours outside the range, so no segment of theirs is drawn.
void VisibleRange(const LineData& d, size_t& begin, size_t& end) {
  begin = 0;
  end = d.count;
  if (!d.xNonDecreasing) return;
  const Point* p = d.points;
  const size_t lo = static_cast<size_t>(
      std::partition_point(p, p + d.count, [&](const Point& q) { return static_cast<double>(q.X) < d.x1; }) -
      p);
  const size_t hi = static_cast<size_t>(
      std::partition_point(p, p + d.count, [&](const Point& q) { return static_cast<double>(q.X) <= d.x2; }) -
      p);
  begin = lo > 0 ? lo - 1 : 0;
  end = std::min(std::max(hi, lo) + 1, d.count);
}

void EverySegment(Surface& s, const LineData& d, size_t begin, size_t end) {
  bool havePrevious = false, previousInside = false;
  float px0 = 0, py0 = 0;
  for (size_t j = begin; j < end; ++j) {
    const Point& pt = d.points[j];
    if (!Finite(pt)) continue;
    const double x = pt.X, y = pt.Y;
    const bool inside = x >= d.x1 && x <= d.x2 && y >= d.y1 && y <= d.y2;
    const float px = d.mapX.Map(x), py = d.mapY.Map(y);
    if (havePrevious && (inside || previousInside)) s.Line(px0, py0, px, py);
    havePrevious = true;
    previousInside = inside;
    px0 = px;
    py0 = py;
  }
}

// A one-pixel line covers its pixels from the start up to, not including, the end. A run of segments
// that stays within one pixel column, p0 .. pk, therefore covers every row from its lowest to its highest
// point, except pk when pk lies strictly beyond all the points before it. Four points draw the same rows:
// the first, the two extremes and the last, in an order that keeps that one exception. Colour and order
// do not matter, as every segment is drawn in one colour over the others.
// kJoined: the surface joins the segments into one path (Surface::JoinsLines); the raster's folder is
// made without that, as it runs for every pixel column of every line.
template <bool kJoined>
class ColumnFolder {
 public:
  struct Pt {
    float x, y;      // page
    int32_t ix, iy;  // pixel
  };

  explicit ColumnFolder(Surface& s) : s_(s) {
    // The raster cuts a line whose ends lie more than 4096 pixels outside its clip rectangle before
    // drawing it, and then draws its last pixel; a run through such a point is left unfolded. The clip
    // lies within the surface, so these bounds are safe for every clip.
    constexpr int32_t kReach = 4096;
    xLo_ = s.PixelWidth() - kReach;
    yLo_ = s.PixelHeight() - kReach;
    hi_ = kReach;
  }

  void Segment(const Pt& a, const Pt& b) {
    if (active_ && b.ix == col_ && a.ix == col_ && a.iy == last_.iy && Foldable(b)) {
      if (b.iy != last_.iy) Add(b);
      return;
    }
    Flush();
    if (a.ix == b.ix && Foldable(a) && Foldable(b)) {
      Start(a);
      if (b.iy != a.iy) Add(b);
      return;
    }
    s_.Line(a.x, a.y, b.x, b.y);
    if (Foldable(b)) Start(b);
  }

  // True for a point whose runs may be folded.
  bool Foldable(const Pt& p) const { return p.ix >= xLo_ && p.ix <= hi_ && p.iy >= yLo_ && p.iy <= hi_; }

  // True when the surface joins the segments into one path: then only the points the run passes over
  // count, and the run goes from its first point to the extreme it first moves to, to the other (where
  // that lies beyond the first point), to its last point, as the surface keeps such a run of the full
  // line.
  static constexpr bool Joined() { return kJoined; }

  void Flush() {
    if (kJoined && active_ && grown_) {
      const Pt& a = move_ < 0 ? lo_pt_ : hi_pt_;
      const Pt& b = move_ < 0 ? hi_pt_ : lo_pt_;
      Draw(first_, a);
      if (b.iy != first_.iy) {
        Draw(a, b);
        Draw(b, last_);
      } else {
        Draw(a, last_);
      }
    } else if (active_ && grown_) {
      if (lastBeyond_) {
        const Pt& other = last_.iy == hi_pt_.iy ? lo_pt_ : hi_pt_;
        Draw(first_, other);
        Draw(other, last_);
      } else if (last_.iy == hi_pt_.iy) {
        Draw(first_, hi_pt_);
        Draw(hi_pt_, lo_pt_);
        Draw(lo_pt_, last_);
      } else {
        Draw(first_, lo_pt_);
        Draw(lo_pt_, hi_pt_);
        Draw(hi_pt_, last_);
      }
    }
    active_ = false;
  }

 private:
  void Start(const Pt& p) {
    active_ = true;
    grown_ = false;
    lastBeyond_ = false;
    col_ = p.ix;
    if (kJoined) move_ = 0;
    first_ = last_ = lo_pt_ = hi_pt_ = p;
  }
  void Add(const Pt& p) {
    if (kJoined && move_ == 0) move_ = p.iy < first_.iy ? -1 : 1;
    lastBeyond_ = p.iy < lo_pt_.iy || p.iy > hi_pt_.iy;
    if (p.iy < lo_pt_.iy) lo_pt_ = p;
    if (p.iy > hi_pt_.iy) hi_pt_ = p;
    last_ = p;
    grown_ = true;
  }
  void Draw(const Pt& u, const Pt& v) {
    if (u.iy != v.iy) s_.Line(u.x, u.y, v.x, v.y);
  }

  Surface& s_;
  int32_t xLo_, yLo_, hi_;
  bool active_ = false, grown_ = false, lastBeyond_ = false;
  int32_t col_ = 0;
  int move_ = 0;  // the way the run first moves: -1 up, 1 down, 0 not yet
  Pt first_{}, last_{}, lo_pt_{}, hi_pt_{};
};

// The line through the points in order, each segment handed to the column folder.
template <bool kJoined>
class FoldedLine {
 public:
  using Folder = ColumnFolder<kJoined>;
  using Pt = typename Folder::Pt;
  FoldedLine(Surface& s, const LineData& d) : s_(s), d_(d), t_(s.TwipsPerPixelX()), folder_(s) {}

  bool Inside(const Point& p) const {
    const double x = p.X, y = p.Y;
    return x >= d_.x1 && x <= d_.x2 && y >= d_.y1 && y <= d_.y2;
  }
  Pt At(const Point& p) const {
    const float px = d_.mapX.Map(p.X), py = d_.mapY.Map(p.Y);
    return {px, py, PixelOfPage(px, t_), PixelOfPage(py, t_)};
  }
  int32_t Column(const Point& p) const { return PixelOfPage(d_.mapX.Map(p.X), t_); }

  void Visit(const Pt& cur, bool inside) {
    if (havePrevious_ && (inside || previousInside_)) {
      folder_.Segment(prev_, cur);
      lastEnd_ = cur;
      drew_ = true;
    }
    havePrevious_ = true;
    previousInside_ = inside;
    prev_ = cur;
  }
  void Visit(const Point& p) {
    if (Finite(p)) Visit(At(p), Inside(p));
  }

  // Points [i, j), all in one pixel column and within the limits, every one finite: the segments into
  // and through the column are those of the first point, the lowest and highest Y of all but the last
  // (found from the blocks), and the last point. False, visiting nothing, where that does not hold.
  bool VisitColumn(size_t i, size_t j) {
    const Point* p = d_.points;
    if (j - i < 4 || !(p[i].X >= d_.x1 && p[j - 1].X <= d_.x2)) return false;
    float lo, hi;
    d_.index->RangeY(p, i, j - 1, lo, hi);
    const float yLast = p[j - 1].Y;
    if (!(std::fmin(lo, yLast) >= d_.y1 && std::fmax(hi, yLast) <= d_.y2)) return false;
    const Pt first = At(p[i]), last = At(p[j - 1]);
    const float pyLo = d_.mapY.Map(lo), pyHi = d_.mapY.Map(hi);
    const Pt low{first.x, pyLo, first.ix, PixelOfPage(pyLo, t_)},
        high{first.x, pyHi, first.ix, PixelOfPage(pyHi, t_)};
    if (!folder_.Foldable(low) || !folder_.Foldable(high) || !folder_.Foldable(first) ||
        !folder_.Foldable(last))
      return false;
    Visit(first, true);
    // A surface that joins the segments keeps the way the run first moves.
    const Pt& up = low.iy <= high.iy ? low : high;
    const Pt& down = low.iy <= high.iy ? high : low;
    if (kJoined && FirstMove(i, j, first) > 0) {
      Visit(down, true);
      Visit(up, true);
    } else if (kJoined) {
      Visit(up, true);
      Visit(down, true);
    } else {
      Visit(low, true);
      Visit(high, true);
    }
    Visit(last, true);
    return true;
  }

  // The way points [i, j) first move away from the row of the first: -1 up, 1 down, 0 not at all.
  int FirstMove(size_t i, size_t j, const Pt& first) const {
    for (size_t k = i + 1; k < j; ++k) {
      const int32_t iy = PixelOfPage(d_.mapY.Map(d_.points[k].Y), t_);
      if (iy != first.iy) return iy < first.iy ? -1 : 1;
    }
    return 0;
  }

  void Finish() {
    folder_.Flush();
    if (drew_) {
      // Where the last segment ends, as drawing every segment leaves the text position.
      s_.CurrentX = lastEnd_.x;
      s_.CurrentY = lastEnd_.y;
    }
  }

 private:
  Surface& s_;
  const LineData& d_;
  const double t_;
  Folder folder_;
  bool havePrevious_ = false, previousInside_ = false, drew_ = false;
  Pt prev_{}, lastEnd_{};
};

template <bool kJoined>
void Folded(Surface& s, const LineData& d, size_t begin, size_t end) {
  FoldedLine<kJoined> line(s, d);
  if (d.index == nullptr || !d.xNonDecreasing) {
    for (size_t j = begin; j < end; ++j) line.Visit(d.points[j]);
    line.Finish();
    return;
  }
  // X never decreases, so the points of a pixel column follow one another: each column's end is found by
  // galloping and binary search, and its extremes from the blocks. The cost grows with the columns and
  // the logarithm of the points. Neighbouring columns tend to hold as many points as each other, so the
  // search first tries the previous column's count: on evenly spaced data a few probes, close together
  // in memory, settle a column.
  const Point* p = d.points;
  size_t i = begin, previousCount = 1;
  while (i < end) {
    const int32_t c = line.Column(p[i]);
    size_t known = i, hi = end;
    const size_t guess = i + previousCount;
    // The next column's end is likely one count further: ask for it while this column is worked out.
    if (guess + previousCount < end) __builtin_prefetch(p + guess + previousCount);
    if (guess < end) {
      if (line.Column(p[guess]) != c) {
        // Back a few points, which share the guess's cache lines: counts differ by one or two.
        constexpr size_t kNear = 3;
        hi = guess;
        for (size_t k = guess - 1; k > i && k + kNear >= guess; --k) {
          if (line.Column(p[k]) == c) {
            known = k;
            break;
          }
          hi = k;
        }
      } else {
        known = guess;
      }
    }
    for (size_t step = 1; hi == end && known + step < end; step *= 2) {
      if (line.Column(p[known + step]) != c) {
        hi = known + step;
        break;
      }
      known += step;
    }
    size_t lo = known + 1;
    while (lo < hi) {
      const size_t mid = lo + (hi - lo) / 2;
      if (line.Column(p[mid]) == c) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    const size_t j = lo;
    previousCount = j - i;
    if (!line.VisitColumn(i, j))
      for (size_t k = i; k < j; ++k) line.Visit(p[k]);
    i = j;
  }
  line.Finish();
}

}  // namespace

LineData LineOf(const ItemView& item) {
  LineData line;
  line.points = item.Points;
  line.count = static_cast<size_t>(std::max<int32_t>(item.Data.PointCount, 0));
  line.mapX = item.X;
  line.mapY = item.Y;
  line.x1 = item.XAxis.AxisValue1;
  line.x2 = item.XAxis.AxisValue2;
  line.y1 = item.YAxis.AxisValue1;
  line.y2 = item.YAxis.AxisValue2;
  const BlockIndex& index = item.Data.Index;
  line.xNonDecreasing = index.NonDecreasing() && index.Count() == line.count;
  if (line.xNonDecreasing) line.index = &index;
  return line;
}

void DrawDataLine(Surface& s, const LineData& d, LineDrawing drawing) {
  size_t begin, end;
  VisibleRange(d, begin, end);
  // Folding needs either the exact one-pixel rules or a surface that joins the segments into one path,
  // where only the points the pen passes over count (a column's run then covers the span from its
  // lowest to its highest point, whatever the order). A dotted line's pattern runs along every segment,
  // a wide pen paints beyond the pixels of the centre line on the raster, and an inverting pen depends on
  // how often a pixel is drawn. Those draw every segment.
  const bool fold = drawing == LineDrawing::Folded && s.DrawStyle == LineKind::Solid &&
                    s.DrawMode == PenMode::Copy && ((s.ExactPixels() && s.DrawWidth <= 1) || s.JoinsLines());
  if (fold) {
    if (s.JoinsLines()) {
      Folded<true>(s, d, begin, end);
    } else {
      Folded<false>(s, d, begin, end);
    }
  } else {
    EverySegment(s, d, begin, end);
  }
}

}  // namespace plotara
