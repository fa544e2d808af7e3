#include "surface/PenTrace.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plotara {

namespace {

constexpr int kSampleRows = 15;    // per pixel row, as cairo's rasteriser samples
constexpr int kSampleStride = 16;  // the rows' arrays, one longer for whole vectors
constexpr double kNone = std::numeric_limits<double>::infinity();
constexpr float kFar = std::numeric_limits<float>::infinity();

// a * b / 255 for bytes, rounded as cairo's compositor rounds.
inline uint32_t Mul255(uint32_t a, uint32_t b) {
  const uint32_t t = a * b + 0x7F;
  return ((t >> 8) + t) >> 8;
}

// The colour over the pixel at coverage a (0..255), as cairo blends a solid colour through a mask.
inline uint32_t Over(uint32_t rgb, uint32_t under, uint32_t a) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8)
    out |= (Mul255((rgb >> shift) & 0xFF, a) + Mul255((under >> shift) & 0xFF, 255 - a)) << shift;
  return out;
}

}  // namespace

bool PenTrace::Across(const Capsule& c, double y, double& left, double& right) const {
  double lo = kNone, hi = -kNone;
  auto disc = [&](double cx, double cy) {
    const double d = y - cy, h2 = r2_ - d * d;
    if (h2 < 0) return;
    const double h = std::sqrt(h2);
    lo = std::min(lo, cx - h);
    hi = std::max(hi, cx + h);
  };
  disc(c.ax, c.ay);
  if (c.len > 0) {
    disc(c.bx, c.by);
    // The band between the discs: along the segment within its length, across it within r.
    const double along = (y - c.ay) * c.uy, across = (y - c.ay) * c.ux;
    double a0 = -kNone, a1 = kNone, b0 = -kNone, b1 = kNone;
    if (c.ux != 0) {
      const double u = c.ax - along / c.ux, v = c.ax + (c.len - along) / c.ux;
      a0 = std::min(u, v);
      a1 = std::max(u, v);
    } else if (along < 0 || along > c.len) {
      a0 = kNone;
    }
    if (c.uy != 0) {
      const double u = c.ax + (across - r_) / c.uy, v = c.ax + (across + r_) / c.uy;
      b0 = std::min(u, v);
      b1 = std::max(u, v);
    } else if (std::fabs(across) > r_) {
      b0 = kNone;
    }
    const double l = std::max(a0, b0), h = std::min(a1, b1);
    if (l <= h) {
      lo = std::min(lo, l);
      hi = std::max(hi, h);
    }
  }
  left = lo;
  right = hi;
  return lo <= hi;
}

namespace {

// The share of a pixel on the side of a line toward which the normal (a, b) points less than d from the
// pixel's centre: the area of a unit square below a line, by the line's distance.
double SquareBelow(double a, double b, double d) {
  a = std::fabs(a);
  b = std::fabs(b);
  if (a < b) std::swap(a, b);
  const double h = (a + b) / 2, k = (a - b) / 2;
  if (d <= -h) return 0;
  if (d >= h) return 1;
  if (d < -k) return (d + h) * (d + h) / (2 * a * b);
  if (d > k) return 1 - (h - d) * (h - d) / (2 * a * b);
  return 0.5 + d / a;
}

}  // namespace

void PenTrace::SampleRows(const Capsule& c, int y, float* lo, float* hi) const {
  // The ends' centres lie in the middle of pixels, so the half chords of their discs on the sample rows
  // come from the table made for the pen: a row of the table for each end, or none.
  const int rows = static_cast<int>(chords_.size()) / kSampleStride;
  auto chords = [&](double cy) -> const float* {
    const int j = y - static_cast<int>(cy - 0.5) + rows / 2;
    return j >= 0 && j < rows ? chords_.data() + static_cast<size_t>(j * kSampleStride) : noChords_.data();
  };
  const float* ca = chords(c.ay);
  const float* cb = c.len > 0 ? chords(c.by) : noChords_.data();
  const auto ax = static_cast<float>(c.ax), bx = static_cast<float>(c.bx);
  for (int k = 0; k < kSampleStride; ++k) {
    lo[k] = std::min(ca[k] >= 0 ? ax - ca[k] : kFar, cb[k] >= 0 ? bx - cb[k] : kFar);
    hi[k] = std::max(ca[k] >= 0 ? ax + ca[k] : -kFar, cb[k] >= 0 ? bx + cb[k] : -kFar);
  }
  if (c.len == 0) return;
  // The band between the discs: along the segment within its length, across it within r. Each bound is
  // a line in y, so each sample row's comes from the first one by steps.
  const double first = y + 0.5 / kSampleRows - c.ay, step = 1.0 / kSampleRows;
  float a0[kSampleStride], a1[kSampleStride];
  if (c.ux != 0) {
    // x where the sample row meets the perpendiculars through the ends.
    const double u0 = c.ax - first * c.uy * c.inverseUx, du = -step * c.uy * c.inverseUx,
                 v0 = u0 + c.len * c.inverseUx;
    for (int k = 0; k < kSampleStride; ++k) {
      const auto u = static_cast<float>(u0 + k * du), v = static_cast<float>(v0 + k * du);
      a0[k] = std::min(u, v);
      a1[k] = std::max(u, v);
    }
  } else {
    for (int k = 0; k < kSampleStride; ++k) {
      const double along = (first + k * step) * c.uy;
      const bool within = along >= 0 && along <= c.len;
      a0[k] = within ? -kFar : kFar;
      a1[k] = within ? kFar : -kFar;
    }
  }
  if (c.uy != 0) {
    const double u0 = c.ax + (first * c.ux - r_) * c.inverseUy, du = step * c.ux * c.inverseUy,
                 v0 = u0 + 2 * r_ * c.inverseUy;
    for (int k = 0; k < kSampleStride; ++k) {
      const auto u = static_cast<float>(u0 + k * du), v = static_cast<float>(v0 + k * du);
      a0[k] = std::max(a0[k], std::min(u, v));
      a1[k] = std::min(a1[k], std::max(u, v));
    }
  } else {
    for (int k = 0; k < kSampleStride; ++k)
      if (std::fabs((first + k * step) * c.ux) > r_) a0[k] = kFar;
  }
  for (int k = 0; k < kSampleStride; ++k) {
    const bool band = a0[k] <= a1[k];
    lo[k] = std::min(lo[k], band ? a0[k] : kFar);
    hi[k] = std::max(hi[k], band ? a1[k] : -kFar);
  }
}

bool PenTrace::Sides(const Capsule& c, double y, double& left, double& right) const {
  if (c.ux == 0 || c.uy == 0) return false;
  // The line y meets the sides of the strip at [b0, b1] and the perpendiculars through the ends at
  // [a0, a1]; the capsule there is the strip alone when the first lies within the second.
  const double dy = y - c.ay;
  const double u = c.ax - dy * c.uy * c.inverseUx, v = u + c.len * c.inverseUx;
  const double s = c.ax + (dy * c.ux - r_) * c.inverseUy, t = c.ax + (dy * c.ux + r_) * c.inverseUy;
  left = std::min(s, t);
  right = std::max(s, t);
  return std::min(u, v) <= left && right <= std::max(u, v);
}

double PenTrace::Strip(const Capsule& c, int x, int y) const {
  if (c.len == 0) return -1;
  const double px = x + 0.5 - c.ax, py = y + 0.5 - c.ay;
  const double along = px * c.ux + py * c.uy, half = (std::fabs(c.ux) + std::fabs(c.uy)) / 2;
  if (along - half < 0 || along + half > c.len) return -1;
  const double across = px * -c.uy + py * c.ux;  // the pixel centre's distance from the line
  return SquareBelow(-c.uy, c.ux, r_ - across) - SquareBelow(-c.uy, c.ux, -r_ - across);
}

void PenTrace::Add(double ax, double ay, double bx, double by, const Target& target) {
  Capsule c{};
  c.ax = ax;
  c.ay = ay;
  c.bx = bx;
  c.by = by;
  c.top = std::min(ay, by) - r_;
  c.bottom = std::max(ay, by) + r_;
  c.upright = ax == bx;
  c.dx = bx - ax;
  c.dy = by - ay;
  c.len = std::hypot(c.dx, c.dy);
  if (c.len > 0) {
    c.ux = c.dx / c.len;
    c.uy = c.dy / c.len;
    c.inverseUx = c.ux != 0 ? 1 / c.ux : 0;
    c.inverseUy = c.uy != 0 ? 1 / c.uy : 0;
  }
  if (c.bottom <= target.y0 || c.top >= target.y1 || std::max(ax, bx) + r_ <= target.x0 ||
      std::min(ax, bx) - r_ >= target.x1)
    return;
  c.firstRow = std::max(static_cast<int>(std::floor(c.top)), target.y0);
  c.endRow = std::min(static_cast<int>(std::ceil(c.bottom)), target.y1);
  if (c.upright) {
    c.coreTop = static_cast<int>(std::ceil(std::min(ay, by)));
    c.coreEnd = static_cast<int>(std::floor(std::max(ay, by)));
    c.x0 = std::max(static_cast<int>(std::floor(ax - r_)), target.x0);
    c.x1 = std::min(static_cast<int>(std::ceil(ax + r_)), target.x1);
    c.f0 = std::max(static_cast<int>(std::ceil(ax - r_)), c.x0);
    c.f1 = std::min(static_cast<int>(std::floor(ax + r_)), c.x1);
    if (c.f0 >= c.f1) c.f0 = c.f1 = c.x1;
  }
  capsules_.push_back(c);
}

void PenTrace::Draw(std::span<const PixelPoint> points, int width, uint32_t rgb, const Target& target) {
  if (points.empty() || target.x0 >= target.x1 || target.y0 >= target.y1) return;
  r_ = width / 2.0;
  r2_ = r_ * r_;
  // Half chords of a disc about a pixel's middle on the sample rows of the rows about it.
  const int reach = width / 2 + 1;
  chords_.assign(static_cast<size_t>(2 * reach + 1) * kSampleStride, -1);
  noChords_.assign(kSampleStride, -1);
  for (int j = -reach; j <= reach; ++j)
    for (int k = 0; k < kSampleRows; ++k) {
      const double d = j + (k + 0.5) / kSampleRows - 0.5, h2 = r2_ - d * d;
      if (h2 >= 0)
        chords_[static_cast<size_t>((j + reach) * kSampleStride + k)] = static_cast<float>(std::sqrt(h2));
    }
  capsules_.clear();
  // Upright segments one after another on one column cover the span from the lowest to the highest of
  // their points: one capsule each such run (a folded column is three of them).
  for (size_t i = 0; i < points.size();) {
    const PixelPoint& a = points[i];
    size_t j = i + 1;
    int lo = a.y, hi = a.y;
    while (j < points.size() && points[j].x == a.x) {
      lo = std::min(lo, points[j].y);
      hi = std::max(hi, points[j].y);
      ++j;
    }
    if (j > i + 1 || points.size() == 1) Add(a.x + 0.5, lo + 0.5, a.x + 0.5, hi + 0.5, target);
    if (j < points.size()) {
      const PixelPoint& b = points[j - 1];
      const PixelPoint& c = points[j];
      if (b.y != c.y || b.x != c.x) Add(b.x + 0.5, b.y + 0.5, c.x + 0.5, c.y + 0.5, target);
    }
    i = j;
  }
  if (capsules_.empty()) return;
  PaintCores(target, rgb);
  // By first row: a counting sort, as most lines have about as many capsules as rows.
  int firstRow = target.y1, lastRow = target.y0;
  for (const Capsule& c : capsules_) {
    firstRow = std::min(firstRow, c.firstRow);
    lastRow = std::max(lastRow, c.endRow);
  }
  rowStart_.assign(static_cast<size_t>(lastRow - firstRow) + 2, 0);
  for (const Capsule& c : capsules_) ++rowStart_[static_cast<size_t>(c.firstRow - firstRow) + 1];
  for (size_t k = 1; k < rowStart_.size(); ++k) rowStart_[k] += rowStart_[k - 1];
  order_.resize(capsules_.size());
  for (uint32_t i = 0; i < capsules_.size(); ++i)
    order_[rowStart_[static_cast<size_t>(capsules_[i].firstRow - firstRow)]++] = i;
  const size_t w = static_cast<size_t>(target.x1 - target.x0);
  if (full_.size() < w) full_.assign(w, 0);
  crossingsAt_.assign(capsules_.size(), -1);
  active_.clear();
  size_t next = 0;
  for (int y = firstRow; y < lastRow; ++y) {
    while (next < order_.size() && capsules_[order_[next]].firstRow <= y) active_.push_back(order_[next++]);
    if (!active_.empty()) Row(y, target, rgb);
  }
}

void PenTrace::PaintCores(const Target& target, uint32_t rgb) {
  cores_.clear();
  const size_t w = static_cast<size_t>(target.x1 - target.x0);
  coreStart_.assign(w + 1, 0);
  // Only a pen of an odd width covers its upright cores in whole pixels: the middle of a pixel column
  // and a half pixel to either side, however many. An even pen half covers the pixels at its sides,
  // which its neighbours may cover too.
  if (static_cast<int>(2 * r_) % 2 == 0) return;
  const size_t count = capsules_.size();
  for (size_t i = 0; i < count; ++i) {
    Capsule& c = capsules_[i];
    const int a = std::max(c.coreTop, target.y0), b = std::min(c.coreEnd, target.y1);
    if (!c.upright || a >= b || c.f0 >= c.f1) continue;
    uint32_t* p = target.pixels + static_cast<size_t>(a) * static_cast<size_t>(target.stride) + c.f0;
    for (int y = a; y < b; ++y, p += target.stride)
      for (int x = 0; x < c.f1 - c.f0; ++x) p[x] = rgb;
    cores_.push_back({c.f0, c.f1, a, b});
    // Its ends are drawn row by row like any other capsule.
    c.coreTop = c.coreEnd = 0;
    Capsule below = c;
    c.endRow = a;
    below.firstRow = b;
    if (below.firstRow < below.endRow) capsules_.push_back(below);  // c is not to be used after this
  }
  // The cores by column, for the test whether a pixel is one of them.
  for (const Core& k : cores_)
    for (int x = k.x0; x < k.x1; ++x) ++coreStart_[static_cast<size_t>(x - target.x0) + 1];
  for (size_t x = 1; x <= w; ++x) coreStart_[x] += coreStart_[x - 1];
  coreAt_.resize(coreStart_[w]);
  std::vector<uint32_t>& fill = coreFill_;
  fill.assign(coreStart_.begin(), coreStart_.end() - 1);
  for (uint32_t k = 0; k < cores_.size(); ++k)
    for (int x = cores_[k].x0; x < cores_[k].x1; ++x) coreAt_[fill[static_cast<size_t>(x - target.x0)]++] = k;
}

bool PenTrace::InCore(int x, int y, const Target& target) const {
  const size_t col = static_cast<size_t>(x - target.x0);
  for (uint32_t i = coreStart_[col]; i < coreStart_[col + 1]; ++i) {
    const Core& k = cores_[coreAt_[i]];
    if (y >= k.y0 && y < k.y1) return true;
  }
  return false;
}

void PenTrace::Row(int y, const Target& target, uint32_t rgb) {
  uint32_t* row = target.pixels + static_cast<size_t>(y) * static_cast<size_t>(target.stride);
  uint8_t* full = full_.data() - target.x0;
  parts_.clear();
  auto whole = [&](int f0, int f1) {
    std::fill(full + f0, full + f1, uint8_t{1});
    std::fill(row + f0, row + f1, rgb);
    written_.push_back({f0, f1});
  };
  for (size_t k = 0; k < active_.size();) {
    const uint32_t index = active_[k];
    const Capsule& c = capsules_[index];
    if (c.endRow <= y) {
      active_[k] = active_.back();
      active_.pop_back();
      continue;
    }
    ++k;
    int x0, x1, f0, f1;
    double lt, rt, lb, rb;
    if (c.upright && y >= c.coreTop && y < c.coreEnd) {
      x0 = c.x0, x1 = c.x1, f0 = c.f0, f1 = c.f1;
    } else if (Sides(c, y, lt, rt) && Sides(c, y + 1, lb, rb)) {
      // Between its ends a slanted capsule is the strip between its sides.
      x0 = std::max(static_cast<int>(std::floor(std::min(lt, lb))), target.x0);
      x1 = std::min(static_cast<int>(std::ceil(std::max(rt, rb))), target.x1);
      if (x0 >= x1) continue;
      f0 = std::max(static_cast<int>(std::ceil(std::max(lt, lb))), x0);
      f1 = std::min(static_cast<int>(std::floor(std::min(rt, rb))), x1);
      if (f0 >= f1) f0 = f1 = x1;
    } else {
      // The capsule within the row: its crossings of the row's edges, and the leftmost and rightmost
      // points of its end discs where they lie inside the row.
      const double yt = std::max<double>(y, c.top), yb = std::min<double>(y + 1, c.bottom);
      lt = lb = kNone, rt = rb = -kNone;
      const bool crossesTop = Across(c, yt, lt, rt), crossesBottom = Across(c, yb, lb, rb);
      double lo = std::min(lt, lb), hi = std::max(rt, rb);
      for (const auto& [cx, cy] : {std::pair{c.ax, c.ay}, std::pair{c.bx, c.by}})
        if (cy >= y && cy <= y + 1) {
          lo = std::min(lo, cx - r_);
          hi = std::max(hi, cx + r_);
        }
      if (!(lo <= hi)) continue;
      x0 = std::max(static_cast<int>(std::floor(lo)), target.x0);
      x1 = std::min(static_cast<int>(std::ceil(hi)), target.x1);
      if (x0 >= x1) continue;
      // A pixel whose four corners lie in the capsule lies in it, the capsule being convex.
      f0 = f1 = x1;
      if (crossesTop && crossesBottom && yt == y && yb == y + 1) {
        f0 = std::max(static_cast<int>(std::ceil(std::max(lt, lb))), x0);
        f1 = std::min(static_cast<int>(std::floor(std::min(rt, rb))), x1);
        if (f0 >= f1) f0 = f1 = x1;
      }
    }
    if (f0 < f1) whole(f0, f1);
    if (x0 < f0) parts_.push_back({x0, f0, index});
    if (f1 < x1 && f1 > f0) parts_.push_back({f1, x1, index});
  }
  if (!parts_.empty()) {
    if (parts_.size() > 1)
      std::sort(parts_.begin(), parts_.end(), [](const Part& a, const Part& b) { return a.x0 < b.x0; });
    // Parts that overlap make a cluster; each pixel of it takes the union of the capsules there.
    for (size_t i = 0; i < parts_.size();) {
      size_t j = i + 1;
      int end = parts_[i].x1;
      while (j < parts_.size() && parts_[j].x0 < end) end = std::max(end, parts_[j++].x1);
      for (int x = parts_[i].x0; x < end; ++x) {
        if (full[x] || InCore(x, y, target)) continue;
        const double cover = Coverage(x, y, i, j);
        const auto a = static_cast<uint32_t>(std::min(cover, 1.0) * 255 + 0.5);
        if (a > 0) row[x] = a >= 255 ? rgb : Over(rgb, row[x], a);
      }
      i = j;
    }
    for (int index : crossed_) crossingsAt_[static_cast<size_t>(index)] = -1;
    crossed_.clear();
    crossings_.clear();
  }
  for (const auto& [f0, f1] : written_) std::fill(full + f0, full + f1, uint8_t{0});
  written_.clear();
}

double PenTrace::Coverage(int x, int y, size_t from, size_t to) {
  // A pixel under the straight side of one capsule alone takes the share of it the strip covers.
  size_t under = 0, only = 0;
  for (size_t p = from; p < to && under < 2; ++p)
    if (x >= parts_[p].x0 && x < parts_[p].x1) ++under, only = p;
  if (under == 1) {
    const double share = Strip(capsules_[parts_[only].capsule], x, y);
    if (share >= 0) return share;
  }
  // Otherwise the union of the capsules on each sample row, from where each crosses them.
  over_.clear();
  for (size_t p = from; p < to; ++p) {
    const Part& part = parts_[p];
    if (x < part.x0 || x >= part.x1) continue;
    int& at = crossingsAt_[part.capsule];
    if (at < 0) {
      at = static_cast<int>(crossings_.size());
      crossed_.push_back(static_cast<int>(part.capsule));
      crossings_.resize(crossings_.size() + 2 * kSampleStride);
      SampleRows(capsules_[part.capsule], y, crossings_.data() + at, crossings_.data() + at + kSampleStride);
    }
    over_.push_back(static_cast<size_t>(at));
  }
  const auto px0 = static_cast<float>(x), px1 = static_cast<float>(x + 1);
  // Each span within the pixel; with up to three, the union's length by inclusion and exclusion (the
  // meet of spans is a span), which needs no sorting.
  auto span = [&](size_t i, int k, float& l, float& h) {
    l = std::max(crossings_[over_[i] + static_cast<size_t>(k)], px0);
    h = std::min(crossings_[over_[i] + kSampleStride + static_cast<size_t>(k)], px1);
  };
  auto length = [](float l, float h) { return std::max(h - l, 0.0f); };
  float covered = 0;
  switch (over_.size()) {
    case 1:
      for (int k = 0; k < kSampleRows; ++k) {
        float l, h;
        span(0, k, l, h);
        covered += length(l, h);
      }
      break;
    case 2:
      for (int k = 0; k < kSampleRows; ++k) {
        float l0, h0, l1, h1;
        span(0, k, l0, h0);
        span(1, k, l1, h1);
        covered += length(l0, h0) + length(l1, h1) - length(std::max(l0, l1), std::min(h0, h1));
      }
      break;
    case 3:
      for (int k = 0; k < kSampleRows; ++k) {
        float l0, h0, l1, h1, l2, h2;
        span(0, k, l0, h0);
        span(1, k, l1, h1);
        span(2, k, l2, h2);
        covered += length(l0, h0) + length(l1, h1) + length(l2, h2) -
                   length(std::max(l0, l1), std::min(h0, h1)) - length(std::max(l0, l2), std::min(h0, h2)) -
                   length(std::max(l1, l2), std::min(h1, h2)) +
                   length(std::max({l0, l1, l2}), std::min({h0, h1, h2}));
      }
      break;
    default:
      for (int k = 0; k < kSampleRows; ++k) {
        // The spans in order of their left ends, then merged.
        spans_.clear();
        for (size_t i = 0; i < over_.size(); ++i) {
          float l, h;
          span(i, k, l, h);
          if (l >= h) continue;
          spans_.push_back({l, h});
          for (size_t m = spans_.size() - 1; m > 0 && spans_[m - 1].first > l; --m)
            std::swap(spans_[m - 1], spans_[m]);
        }
        float reach = px0;
        for (const auto& [l, h] : spans_) {
          const float from = std::max(l, reach);
          if (h > from) {
            covered += h - from;
            reach = h;
          }
        }
      }
  }
  return covered / kSampleRows;
}

}  // namespace plotara
