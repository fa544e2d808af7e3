// clsGradient
//   - properties and their setter rules
//   - Draw and its failure path
//   - PaintGradient and the six geometries
//   - RotatePoint
#include "gradient/clsGradient.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <new>
#include <numbers>

#include "gradient/GradientColours.h"
#include "platform/Conversions.h"
#include "platform/ErrorGuard.h"
#include "platform/RuntimeError.h"

namespace plotara {

namespace {

// Reduces an angle into 0 .. 360 (360 itself excluded). fmod is exact, so huge angles keep their true
// direction instead of the rounding noise of a - 360 * floor(a / 360).
double ReduceDegrees(double degrees) {
  if (!std::isfinite(degrees)) return 0.0;
  double r = std::fmod(degrees, 360.0);
  if (r < 0) r += 360.0;
  return r >= 360.0 ? 0.0 : r;
}

int Mod4(int32_t v) {
  return ((v % 4) + 4) % 4;
}

// The corner of styles 5 and 6: 0 top-right, 1 top-left, 2 bottom-left, 3 bottom-right, each the centre
// of its quarter (45, 135, 225, 315 degrees).
int CornerQuadrant(float angle) {
  return Mod4(CLng(angle / 90.0 - 0.5));
}

// The side style 4 runs towards: 0 right, 1 top, 2 left, 3 bottom. Ties go to the even case, so 135
// degrees runs right to left and 315 left to right.
int CentreCase(float angle) {
  return Mod4(CLng(angle / 90.0));
}

// Selects a one-pixel solid pen per colour and gives the surface its own pen back at the end, also when
// drawing is abandoned by an error.
class PenScope {
 public:
  explicit PenScope(Surface& s) : s_(s) {}
  PenScope(const PenScope&) = delete;
  PenScope& operator=(const PenScope&) = delete;
  ~PenScope() {
    if (used_) s_.SelectPen(saved_);
  }
  void Use(OleColor colour) {
    std::optional<Pen> previous = s_.SelectPen(Pen{colour, 1});
    if (!used_) {
      saved_ = previous;
      used_ = true;
    }
  }

 private:
  Surface& s_;
  std::optional<Pen> saved_;
  bool used_ = false;
};

// Rectangle fills its inside when the surface's fill style is solid. The rectangle styles overdraw each
// outline with the next, smaller one, so a fill would change nothing but cost a pass over the whole
// inside per colour; draw outlines only and give the fill style back afterwards.
class OutlinesOnly {
 public:
  explicit OutlinesOnly(Surface& s) : s_(s), saved_(s.FillStyle) { s.FillStyle = FillKind::Transparent; }
  OutlinesOnly(const OutlinesOnly&) = delete;
  OutlinesOnly& operator=(const OutlinesOnly&) = delete;
  ~OutlinesOnly() { s_.FillStyle = saved_; }

 private:
  Surface& s_;
  FillKind saved_;
};

// Polygons filled and outlined in their colour, for the bands a surface for documents takes whole; the
// surface gets its fill back at the end.
class Bands {
 public:
  explicit Bands(Surface& s) : s_(s), pen_(s), style_(s.FillStyle), fill_(s.FillColor) {
    s.FillStyle = FillKind::Solid;
  }
  Bands(const Bands&) = delete;
  Bands& operator=(const Bands&) = delete;
  ~Bands() {
    s_.FillStyle = style_;
    s_.FillColor = fill_;
  }
  void Fill(OleColor colour, std::span<const PixelPoint> points) {
    pen_.Use(colour);
    s_.FillColor = colour;
    s_.Polygon(points);
  }
  // The ring between two closed outlines (corner points, the inner one inside the outer), even-odd.
  void Ring(OleColor colour, std::span<const PixelPoint> outer, std::span<const PixelPoint> inner) {
    std::vector<PixelPoint> path(outer.begin(), outer.end());
    path.push_back(outer.front());
    path.insert(path.end(), inner.rbegin(), inner.rend());
    path.push_back(inner.back());
    Fill(colour, path);
  }

 private:
  Surface& s_;
  PenScope pen_;
  FillKind style_;
  OleColor fill_;
};

// Calls f(a, b) for each run a..b of one colour in ramp[first..last].
template <class F>
void ColourRuns(const std::vector<OleColor>& ramp, int32_t first, int32_t last, F&& f) {
  for (int32_t a = first; a <= last;) {
    int32_t b = a;
    while (b < last && ramp[static_cast<size_t>(b) + 1] == ramp[static_cast<size_t>(a)]) ++b;
    f(a, b);
    a = b + 1;
  }
}

// The corners of the outline Rectangle(x0, y0, x1, y1) draws: the centres of its edge pixels.
std::array<PixelPoint, 4> OutlineCorners(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  if (x0 > x1) std::swap(x0, x1);
  if (y0 > y1) std::swap(y0, y1);
  return {PixelPoint{x0, y0}, PixelPoint{x1 - 1, y0}, PixelPoint{x1 - 1, y1 - 1}, PixelPoint{x0, y1 - 1}};
}

// i = from .. to, counting up or down.
template <class F>
void Sweep(int from, int to, F&& f) {
  const int step = from <= to ? 1 : -1;
  for (int i = from;; i += step) {
    f(i);
    if (i == to) break;
  }
}

bool InArea(PixelPoint p, int w, int h) {
  return p.x >= 0 && p.x < w && p.y >= 0 && p.y < h;
}

// One line of a fan between its hub and a point on the area's edge. A line leaves out its end pixel, and
// the edge points on the left and top edges are pixels of the area: a line ending there would leave a
// stripe of the old picture along that edge. So such a line runs from the edge point to the hub (which
// lies outside, or is drawn by the lines that start there); the others run from the hub outwards.
void Spoke(Surface& s, PixelPoint hub, PixelPoint edge, int w, int h) {
  if (InArea(edge, w, h)) {
    s.MoveTo(edge.x, edge.y);
    s.LineTo(hub.x, hub.y);
  } else {
    s.MoveTo(hub.x, hub.y);
    s.LineTo(edge.x, edge.y);
  }
}

}  // namespace

// ---------------------------------------------------------------- properties

void clsGradient::Color1(OleColor value) {
  color1_ = IsSysColor(value) ? GetSysColor(value & 0xFF) : value;
}

void clsGradient::Color2(OleColor value) {
  color2_ = IsSysColor(value) ? GetSysColor(value & 0xFF) : value;
}

void clsGradient::Angle(float value) {
  // Reduced in double; a value just below 360 can still round to 360 as a float.
  const auto reduced = static_cast<float>(ReduceDegrees(value));
  angle_ = reduced >= 360.0f ? 0.0f : reduced;
}

// ---------------------------------------------------------------- Draw

// There is no window to lock against repainting while the lines are drawn: the target is an off-screen
// surface that nobody shows until its owner copies it.
bool clsGradient::Draw(Surface& target) {
  lastError_.clear();
  lastErrorNumber_ = 0;
  try {
    // The diamonds leave the corners uncovered; they keep Color1.
    if (std::abs(static_cast<int>(style_)) == 3) {
      target.BackColor = color1_;
      target.Cls();
    }
    const int w = target.PixelWidth(), h = target.PixelHeight();
    if (w > 1 && h > 1) return PaintGradient(target, w, h) > 0;
  } catch (const OperationAbandoned&) {
    throw;
  } catch (const RuntimeError& e) {
    Fail(e.Number());
  } catch (const std::bad_alloc&) {
    Fail(err::OutOfMemory);
  } catch (...) {
    Fail(err::InvalidProcedureCall);
  }
  return false;
}

void clsGradient::Fail(int number) {
  lastErrorNumber_ = number;
  try {
    lastError_ = ErrorText(number);
    if (warn_) warn_(lastError_);
  } catch (const OperationAbandoned&) {
    throw;  // the handler changed what the drawing works on: the drawing stops
  } catch (...) {
    // The painter's answer is already false; a failing handler must not turn it into an exception.
  }
}

int clsGradient::GradientColours(OleColor colour1, OleColor colour2, int count,
                                 std::vector<OleColor>& colours) {
  // NaN has no place on the ramp; it means no bend.
  shift_ = std::isnan(shift_) ? 0.0f : std::clamp(shift_, -1.0f, 1.0f);
  return GradientRamp(colour1, colour2, count, shift_, style_ <= 0, colours);
}

// ---------------------------------------------------------------- PaintGradient

int32_t clsGradient::PaintGradient(Surface& target, int width, int height) {
  if (width < 1 || height < 1) return 0;
  std::vector<OleColor> ramp;
  switch (std::abs(static_cast<int>(style_))) {
    case 2:
      return PaintRectangles(target, width, height, ramp);
    case 3:
      return PaintDiamonds(target, width, height, ramp);
    case 4:
      return PaintCentreFan(target, width, height, ramp);
    case 5:
      return PaintCornerRectangles(target, width, height, ramp);
    case 6:
      return PaintCornerFan(target, width, height, ramp);
    default:
      return PaintLinear(target, width, height, ramp);
  }
}

// Style 1: parallel lines across the direction of Angle, swept through the area one pixel at a time
// along x or y. Every line is a whole-pixel translate of the first, so the lines tile the area without
// gaps, and each is long enough to cross the area completely with both ends outside it.
int32_t clsGradient::PaintLinear(Surface& s, int w, int h, std::vector<OleColor>& ramp) {
  const double m = MaxOf(w, h);
  const GradientPoint c{std::floor(w / 2.0), std::floor(h / 2.0)};
  const double r = (std::sqrt(m * m + m * m) + 2) / 2;
  GradientPoint p1{c.x - r, c.y}, p2{c.x + r, c.y};
  const double turn = ReduceDegrees(static_cast<double>(angle_) + 90.0);
  RotatePoint(c, p1, turn);
  RotatePoint(c, p2, turn);

  // Step along y when the line is closer to horizontal, else along x. The sign comes from the quarter
  // of the circle that holds Angle (screen y points down); on the chosen axis the direction always has
  // a component, so the sweep always moves.
  const bool alongY = std::fabs(p1.x - p2.x) > std::fabs(p1.y - p2.y);
  const int quarter = std::clamp(static_cast<int>(angle_ / 90.0f), 0, 3);
  const int sign = alongY ? (quarter <= 1 ? -1 : 1) : (quarter == 0 || quarter == 3 ? 1 : -1);
  const int size = alongY ? h : w;
  double a1 = alongY ? p1.y : p1.x, a2 = alongY ? p2.y : p2.x;  // on the step axis
  const int32_t b1 = CLng(alongY ? p1.x : p1.y), b2 = CLng(alongY ? p2.x : p2.y);

  // The first line lies just outside the starting edge, its leading end on the pixel row (or column)
  // next to the area: h or w when sweeping up or left, -1 when sweeping down or right.
  const double lead = sign < 0 ? MinOf(a1, a2) : MaxOf(a1, a2);
  const double start = sign < 0 ? size : -1.0;
  a1 += start - lead;
  a2 += start - lead;

  // The sweep ends with the first line wholly past the opposite edge. It gets there within
  // extent + size + 2 steps; the bound makes the loop finite by construction and sizes the list once.
  const int32_t maxLines = CLng(std::ceil(std::fabs(a1 - a2))) + size + 3;
  std::vector<PixelPoint> points;
  points.reserve(2 * static_cast<size_t>(maxLines));
  for (int32_t k = 0; k < maxLines; ++k) {
    const int32_t e1 = CLng(a1 + sign * static_cast<double>(k)),
                  e2 = CLng(a2 + sign * static_cast<double>(k));
    points.push_back(alongY ? PixelPoint{b1, e1} : PixelPoint{e1, b1});
    points.push_back(alongY ? PixelPoint{b2, e2} : PixelPoint{e2, b2});
    const int32_t trail = sign < 0 ? std::max(e1, e2) : std::min(e1, e2);
    if (sign < 0 ? trail < 0 : trail >= size) break;
  }

  const auto lines = static_cast<int32_t>(points.size() / 2);
  GradientColours(color1_, color2_, lines, ramp);
  // Line k holds colour k, and across the lines the index grows by one a pixel along the step axis: a
  // surface that draws smooth gradients gets the same ramp along the lines' normal.
  if (lines > 1) {
    // Along the lines the step coordinate changes by slope per pixel of the other one.
    const double run = static_cast<double>(b2 - b1);
    const double slope = (alongY ? points[1].y - points[0].y : points[1].x - points[0].x) / run;
    const double gx = alongY ? -slope * sign : sign, gy = alongY ? sign : -slope * sign;
    const double g2 = gx * gx + gy * gy, last = lines - 1;
    const double x0 = points[0].x + 0.5, y0 = points[0].y + 0.5;
    if (s.FillRamp(x0, y0, x0 + gx * last / g2, y0 + gy * last / g2,
                   std::span<const OleColor>(ramp.data(), static_cast<size_t>(lines))))
      return lines;
  }
  PenScope pen(s);
  for (int32_t k = 0; k < lines; ++k) {
    pen.Use(ramp[k]);
    s.MoveTo(points[2 * k].x, points[2 * k].y);
    s.LineTo(points[2 * k + 1].x, points[2 * k + 1].y);
  }
  return lines;
}

// Style 2: rectangle outlines from the full area shrinking to its centre, less than a pixel apart.
int32_t clsGradient::PaintRectangles(Surface& s, int w, int h, std::vector<OleColor>& ramp) {
  const double steps = MaxOf(w, h) / 2.0 + 2.0;
  GradientColours(color1_, color2_, CLng(steps + 3), ramp);
  const int32_t last = CLng(steps);
  auto corners = [&](int32_t i) {
    const double f = i / steps / 2;
    return OutlineCorners(CLng(f * w), CLng(f * h), CLng((1 - f) * w), CLng((1 - f) * h));
  };
  if (s.KeepsShapes()) {
    Bands bands(s);
    ColourRuns(ramp, 0, last, [&](int32_t a, int32_t b) { bands.Ring(ramp[a], corners(a), corners(b)); });
    return last + 1;
  }
  OutlinesOnly outlines(s);
  PenScope pen(s);
  for (int32_t i = 0; i <= last; ++i) {
    const double f = i / steps / 2;
    pen.Use(ramp[i]);
    s.Rectangle(CLng(f * w), CLng(f * h), CLng((1 - f) * w), CLng((1 - f) * h));
  }
  return last + 1;
}

// Style 3: closed diamonds from one reaching a tenth beyond each edge down to the centre point.
int32_t clsGradient::PaintDiamonds(Surface& s, int w, int h, std::vector<OleColor>& ramp) {
  const double steps = MaxOf(w, h) + 2.0;
  GradientColours(color1_, color2_, CLng(steps + 3), ramp);
  const double sx = 0.6 * w / steps, sy = 0.6 * h / steps;
  const int32_t midX = CLng(w / 2.0), midY = CLng(h / 2.0);
  const int32_t last = CLng(steps);
  if (s.KeepsShapes()) {
    auto corners = [&](int32_t i) {
      return std::array<PixelPoint, 4>{
          PixelPoint{midX, CLng(sy * i - h / 10.0)}, PixelPoint{CLng(w - sx * i + w / 10.0), midY},
          PixelPoint{midX, CLng(h - sy * i + h / 10.0)}, PixelPoint{CLng(sx * i - w / 10.0), midY}};
    };
    Bands bands(s);
    ColourRuns(ramp, 0, last, [&](int32_t a, int32_t b) { bands.Ring(ramp[a], corners(a), corners(b)); });
    return last + 1;
  }
  PenScope pen(s);
  for (int32_t i = 0; i <= last; ++i) {
    const int32_t top = CLng(sy * i - h / 10.0), bottom = CLng(h - sy * i + h / 10.0);
    const int32_t left = CLng(sx * i - w / 10.0), right = CLng(w - sx * i + w / 10.0);
    pen.Use(ramp[i]);
    s.MoveTo(midX, top);
    s.LineTo(right, midY);
    s.LineTo(midX, bottom);
    s.LineTo(left, midY);
    s.LineTo(midX, top);
  }
  return last + 1;
}

// Style 4: for each colour two lines from the centre to edge points mirrored about the direction of the
// run; three sweeps carry the colour from the middle of one side round to the middle of the opposite one.
int32_t clsGradient::PaintCentreFan(Surface& s, int w, int h, std::vector<OleColor>& ramp) {
  GradientColours(color1_, color2_, w + h + 4, ramp);
  const PixelPoint c{w / 2, h / 2};
  // The two edge points of each colour, in order.
  std::vector<PixelPoint> first, second;
  auto pair = [&](PixelPoint a, PixelPoint b) {
    first.push_back(a);
    second.push_back(b);
  };
  switch (CentreCase(angle_)) {
    case 0:  // left to right
      Sweep(h / 2, 0, [&](int i) { pair({0, i}, {0, h - i}); });
      Sweep(0, w, [&](int i) { pair({i, 0}, {i, h}); });
      Sweep(0, h / 2, [&](int i) { pair({w, i}, {w, h - i}); });
      break;
    case 1:  // bottom to top
      Sweep(w / 2, 0, [&](int i) { pair({i, h}, {w - i, h}); });
      Sweep(h, 0, [&](int i) { pair({0, i}, {w, i}); });
      Sweep(0, w / 2, [&](int i) { pair({i, 0}, {w - i, 0}); });
      break;
    case 2:  // right to left
      Sweep(h / 2, 0, [&](int i) { pair({w, i}, {w, h - i}); });
      Sweep(w, 0, [&](int i) { pair({i, 0}, {i, h}); });
      Sweep(0, h / 2, [&](int i) { pair({0, i}, {0, h - i}); });
      break;
    default:  // top to bottom
      Sweep(w / 2, 0, [&](int i) { pair({i, 0}, {w - i, 0}); });
      Sweep(0, h, [&](int i) { pair({0, i}, {w, i}); });
      Sweep(0, w / 2, [&](int i) { pair({i, h}, {w - i, h}); });
      break;
  }
  const auto n = static_cast<int32_t>(first.size());
  if (s.KeepsShapes()) {
    Bands bands(s);
    ColourRuns(ramp, 0, n - 1, [&](int32_t a, int32_t b) {
      for (const std::vector<PixelPoint>* edge : {&first, &second}) {
        std::vector<PixelPoint> wedge{c};
        wedge.insert(wedge.end(), edge->begin() + a, edge->begin() + b + 1);
        bands.Fill(ramp[static_cast<size_t>(a)], wedge);
      }
    });
    return n;
  }
  PenScope pen(s);
  for (int32_t k = 0; k < n; ++k) {
    pen.Use(ramp[static_cast<size_t>(k)]);
    Spoke(s, c, first[static_cast<size_t>(k)], w, h);
    Spoke(s, c, second[static_cast<size_t>(k)], w, h);
  }
  return n;
}

// Style 5: rectangles centred on one corner, shrinking onto it: Color1 far from the corner, Color2 at it.
int32_t clsGradient::PaintCornerRectangles(Surface& s, int w, int h, std::vector<OleColor>& ramp) {
  const double m = MaxOf(w, h);
  const double steps = m + 2;
  GradientColours(color1_, color2_, CLng(m) + 4, ramp);
  double sx = w / steps, sy = h / steps;
  GradientPoint a, b;  // the start rectangle, twice the area, centred on the corner
  switch (CornerQuadrant(angle_)) {
    case 0:  // top-right
      a = {0.0, static_cast<double>(h)};
      b = {2.0 * w, -static_cast<double>(h)};
      sy = -sy;
      break;
    case 1:  // top-left
      a = {static_cast<double>(w), static_cast<double>(h)};
      b = {-static_cast<double>(w), -static_cast<double>(h)};
      sx = -sx;
      sy = -sy;
      break;
    case 2:  // bottom-left
      a = {static_cast<double>(w), 0.0};
      b = {-static_cast<double>(w), 2.0 * h};
      sx = -sx;
      break;
    default:  // bottom-right
      a = {0.0, 0.0};
      b = {2.0 * w, 2.0 * h};
      break;
  }
  const int32_t last = CLng(steps);
  if (s.KeepsShapes()) {
    auto corners = [&](int32_t i) {
      return OutlineCorners(CLng(a.x + i * sx), CLng(a.y + i * sy), CLng(b.x - i * sx), CLng(b.y - i * sy));
    };
    Bands bands(s);
    ColourRuns(ramp, 0, last,
               [&](int32_t from, int32_t to) { bands.Ring(ramp[from], corners(from), corners(to)); });
    return last + 1;
  }
  OutlinesOnly outlines(s);
  PenScope pen(s);
  for (int32_t i = 0; i <= last; ++i) {
    // From the start rather than added up step by step, so that rounding does not drift.
    pen.Use(ramp[i]);
    s.Rectangle(CLng(a.x + i * sx), CLng(a.y + i * sy), CLng(b.x - i * sx), CLng(b.y - i * sy));
  }
  return last + 1;
}

// Style 6: lines from one corner to every pixel of the two far edges, one colour each.
int32_t clsGradient::PaintCornerFan(Surface& s, int w, int h, std::vector<OleColor>& ramp) {
  GradientColours(color1_, color2_, w + h + 4, ramp);
  PixelPoint hub;
  std::vector<PixelPoint> edges;  // the edge point of each colour, in order
  auto spoke = [&](PixelPoint edge) { edges.push_back(edge); };
  switch (CornerQuadrant(angle_)) {
    case 0:
      hub = {w, 0};
      Sweep(0, h, [&](int i) { spoke({0, i}); });
      Sweep(0, w, [&](int i) { spoke({i, h}); });
      break;
    case 1:
      hub = {0, 0};
      Sweep(0, h, [&](int i) { spoke({w, i}); });
      Sweep(w, 0, [&](int i) { spoke({i, h}); });
      break;
    case 2:
      hub = {0, h};
      Sweep(0, w, [&](int i) { spoke({i, 0}); });
      Sweep(0, h, [&](int i) { spoke({w, i}); });
      break;
    default:
      hub = {w, h};
      Sweep(w, 0, [&](int i) { spoke({i, 0}); });
      Sweep(0, h, [&](int i) { spoke({0, i}); });
      break;
  }
  const auto n = static_cast<int32_t>(edges.size());
  if (s.KeepsShapes()) {
    Bands bands(s);
    ColourRuns(ramp, 0, n - 1, [&](int32_t a, int32_t b) {
      std::vector<PixelPoint> wedge{hub};
      wedge.insert(wedge.end(), edges.begin() + a, edges.begin() + b + 1);
      bands.Fill(ramp[static_cast<size_t>(a)], wedge);
    });
    return n;
  }
  PenScope pen(s);
  for (int32_t k = 0; k < n; ++k) {
    pen.Use(ramp[static_cast<size_t>(k)]);
    Spoke(s, hub, edges[static_cast<size_t>(k)], w, h);
  }
  return n;
}

// ---------------------------------------------------------------- RotatePoint

void clsGradient::RotatePoint(const GradientPoint& centre, GradientPoint& point, double degrees) {
  const double a = degrees * (std::numbers::pi / 180.0);
  const double dx = point.x - centre.x, dy = point.y - centre.y;
  const double cosA = std::cos(a), sinA = std::sin(a);
  point.x = centre.x + dx * cosA + dy * sinA;
  point.y = centre.y - dx * sinA + dy * cosA;
}

}  // namespace plotara
