// DataSets sections: automatic style; creating data sets; points; functions and texts.
#include "model/DataSets.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/Graphs.h"
#include "model/Lookup.h"
#include "model/TimeOrigin.h"
#include "platform/Conversions.h"

namespace plotara {

// ---------------------------------------------------------------- automatic style

void AutoDataStyle(ControlState& s, ErrorReporter& r, int16_t g, int16_t k) {
  Guarded(r, "AutoDataStyle", [&] {
    GraphRecord& graph = s.Graph(g);
    DataSetRecord& d = DataSetAt(graph, k);
    if (k == 0) {
      d.DataSymbolSize = CInt(0.8f * s.UnitsPerMmX);
      d.DataSymbol = kSymbolCircle;
      d.DataLineStyle = kLineNone;
      d.DataLineThickness = 1;
      d.BarShadowColor = 0x00646464;
      d.ShowErrorBar = true;
    } else {
      const DataSetRecord& p = graph.DataSets[static_cast<size_t>(k - 1)];
      d.DataSymbolSize = p.DataSymbolSize;
      d.DataLineStyle = p.DataLineStyle;
      d.DataLineThickness = p.DataLineThickness;
      d.ShowErrorBar = p.ShowErrorBar;
      d.BarHoriz = p.BarHoriz;
      d.Bar3D = p.Bar3D;
      d.BarStacked = p.BarStacked;
      d.BarBaseValue = p.BarBaseValue;
      d.BarOffset = p.BarOffset;
      d.BarBase = p.BarBase;
      d.BarShadowColor = p.BarShadowColor;
      d.BarShadow = p.BarShadow;
      d.DataTextColor = p.DataTextColor;
      const int next = p.DataSymbol + 1;
      d.DataSymbol = static_cast<int16_t>(next > kSymbolCross ? kSymbolCircle : next);
      d.MathFunc.clear();
      d.DataText.clear();
      d.DataTextFont.clear();
      d.MathFuncX1 = d.MathFuncX2 = 0;
      d.DataTextX = d.DataTextY = 0;
      d.DataTextOri = 0;
      d.DataTextAngle = 0;
      d.DataTextPercent = false;
    }
    d.DataHide = false;
    static constexpr OleColor kCycle[6] = {0x00FF0000, 0x000000FF, 0x0000FF00,
                                           0x0000FFFF, 0x00FF00FF, 0x00FFFF00};
    const OleColor colour = kCycle[k % 6];
    d.DataFill.Color1 = colour;
    d.DataFill.EdgeColor = 0;
    d.DataFill.EdgeThickness = 0;
    d.DataFill.Transparent = false;
    d.DataLineColor = colour;
  });
}

// ---------------------------------------------------------------- creating data sets

void AddDataSet(ControlState& s, ErrorReporter& r, const std::string& legend, bool inLegendTable) {
  if (s.NumGraphs() < 1) return;
  GraphRecord& g = s.Current();
  const int16_t k = g.NumDataSets();
  const int16_t count = AddInt16(k, 1);
  ++s.Structure;
  g.DataSets.resize(static_cast<size_t>(count));
  g.SelectedDataSet = k;
  DataSetRecord& d = g.DataSets[static_cast<size_t>(k)];
  d.DataInLegendTable = inLegendTable;
  AutoDataStyle(s, r, s.CurrentGraph, k);
  d.PointCount = 0;
  d.Index.Clear();
  d.DataLegend = legend;
  d.DataXAxis = g.CurrentXAxis;
  d.DataYAxis = g.CurrentYAxis;
}

// ---------------------------------------------------------------- points

namespace {

// Widens the limits in use, the full range and the data range of an axis to take in v. Values that are
// not finite never widen a range: they are kept with the points but have no place on an axis.
bool Widen(AxisRecord& a, double v) {
  if (!std::isfinite(v)) return false;
  bool widened = false;
  if (v < a.AxisValue1) {
    a.AxisValue1 = a.ScaleMin = a.DataMin = v;
    widened = true;
  }
  if (v > a.AxisValue2) {
    a.AxisValue2 = a.ScaleMax = a.DataMax = v;
    widened = true;
  }
  return widened;
}

// AddPoint without its event: true when a range grew.
bool TakePoint(ControlState& s, Notifier& n, double X, double Y, double E) {
  if (s.NumGraphs() < 1) return false;
  GraphRecord& g = s.Current();
  if (g.NumDataSets() < 1) return false;
  if (g.DataSets.back().Feed) Raise(err::InvalidProcedureCall);  // its rows come from its source
  // The point is stored as its data set's axes hold values (counted from a time axis's origin); the
  // graph's current axes, which it widens, may be others.
  const DataSetRecord& last = g.DataSets.back();
  const double storedX = TakeHostValue(g, last.DataXAxis, X), storedY = TakeHostValue(g, last.DataYAxis, Y);
  const double currentX = TakeHostValue(g, g.CurrentXAxis, X), currentY = TakeHostValue(g, g.CurrentYAxis, Y);
  // Convert first: a value a point cannot hold (error 6) must leave the graph as it was.
  const float x = CSng(storedX), y = CSng(storedY), e = CSng(E);
  if (g.NumPoints() == std::numeric_limits<int32_t>::max()) Raise(err::Overflow);
  AxisRecord& ax = AxisAt(g, g.CurrentXAxis);
  AxisRecord& ay = AxisAt(g, g.CurrentYAxis);
  if (ax.AxisScale == kScaleAutomatic && ax.LimitsPending && std::isfinite(X))
    InitAxisLimits(n, ax, currentX);
  if (ay.AxisScale == kScaleAutomatic && ay.LimitsPending && std::isfinite(Y))
    InitAxisLimits(n, ay, currentY);
  ++s.Structure;
  g.Points.Append(x, y, e);
  DataSetRecord& d = g.DataSets.back();
  ++d.PointCount;
  d.Index.Add(x, y, e);
  const bool wx = Widen(ax, currentX);
  const bool wy = Widen(ay, currentY);
  return wx || wy;
}

}  // namespace

void AddPoint(ControlState& s, Notifier& n, double X, double Y, double E) {
  if (TakePoint(s, n, X, Y, E)) n.RaiseGraphScaleChanged();
}

// ---------------------------------------------------------------- many points

namespace {

// True when the next point would go in with no step of its own: no axis it touches waits for its time
// origin or, being automatic, for the limits its first point sets.
bool TakesPlainPoints(GraphRecord& g) {
  const DataSetRecord& d = g.DataSets.back();
  const AxisRecord& ax = AxisAt(g, g.CurrentXAxis);
  const AxisRecord& ay = AxisAt(g, g.CurrentYAxis);
  return !AxisAt(g, d.DataXAxis).TimeOriginPending && !AxisAt(g, d.DataYAxis).TimeOriginPending &&
         !ax.TimeOriginPending && !ay.TimeOriginPending &&
         !(ax.AxisScale == kScaleAutomatic && ax.LimitsPending) &&
         !(ay.AxisScale == kScaleAutomatic && ay.LimitsPending);
}

// A value CSng refuses (error 6): finite and beyond single range.
inline bool BeyondSingle(double v) {
  const double a = std::fabs(v);
  return a > std::numeric_limits<float>::max() && a <= std::numeric_limits<double>::max();
}

inline bool Finite(double v) {
  return std::fabs(v) <= std::numeric_limits<double>::max();
}

// The lowest and highest value of those taken in, NaN left out: the comparisons keep the extreme where v
// is NaN (as minsd and maxsd do, without a branch).
struct Extent {
  double lo = INFINITY, hi = -INFINITY;
  void Take(double v) {
    lo = v < lo ? v : lo;
    hi = v > hi ? v : hi;
  }
};

// Points [0, n) of the arrays (E may be null: no errors) into `to`, as AddPoint converts them, and the
// extents of their X and Y as the host gives them; with kSkipMissing, only the points whose X and Y are
// finite, and E that is not as 0. Returns how many points were written. No value is beyond single range.
template <bool kSkipMissing>
size_t Convert(const double* X, const double* Y, const double* E, size_t n, double ox, double oy, Point* to,
               Extent& ex, Extent& ey) {
  if constexpr (!kSkipMissing) {
    // Two extents for each, so that neither waits for the other.
    Extent ex2, ey2;
    size_t k = 0;
    for (; k + 2 <= n; k += 2) {
      for (size_t j = 0; j < 2; ++j) {
        const double x = X[k + j], y = Y[k + j];
        to[k + j] = Point{static_cast<float>(x - ox), static_cast<float>(y - oy),
                          E ? static_cast<float>(E[k + j]) : 0.0f};
      }
      ex.Take(X[k]);
      ex2.Take(X[k + 1]);
      ey.Take(Y[k]);
      ey2.Take(Y[k + 1]);
    }
    for (; k < n; ++k) {
      to[k] = Point{static_cast<float>(X[k] - ox), static_cast<float>(Y[k] - oy),
                    E ? static_cast<float>(E[k]) : 0.0f};
      ex.Take(X[k]);
      ey.Take(Y[k]);
    }
    ex.Take(ex2.lo), ex.Take(ex2.hi), ey.Take(ey2.lo), ey.Take(ey2.hi);
    return n;
  } else {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    size_t kept = 0;
    for (size_t k = 0; k < n; ++k) {
      const double x = X[k], y = Y[k], e = E && Finite(E[k]) ? E[k] : 0.0;
      const bool keep = Finite(x) & Finite(y);
      to[kept] = Point{static_cast<float>(x - ox), static_cast<float>(y - oy), static_cast<float>(e)};
      ex.Take(keep ? x : kNaN);
      ey.Take(keep ? y : kNaN);
      kept += keep ? 1 : 0;
    }
    return kept;
  }
}

// Widens the axis by the extent e of the host's values, counted from the axis's origin. An infinity has
// no place on an axis: where one is in e (or nothing is), the extent is taken again of the finite values
// (with `other`, of the points whose other value is finite too, the points not left out).
bool WidenBy(AxisRecord& a, Extent e, const double* values, const double* other, size_t n) {
  if (!Finite(e.lo) || !Finite(e.hi)) {
    e = Extent{};
    for (size_t k = 0; k < n; ++k)
      if (Finite(values[k]) && (!other || Finite(other[k]))) e.Take(values[k]);
  }
  const bool lo = Widen(a, e.lo - a.TimeOrigin);
  const bool hi = Widen(a, e.hi - a.TimeOrigin);
  return lo || hi;
}

// Takes the points of the arrays from the start, as AddPoint takes them, while TakesPlainPoints holds,
// a block at a time: converted, stored and summarised without a step per point. Stops before a point that
// AddPoint would refuse (a value beyond single range, one point too many), which the caller then adds on
// its own. Returns how many entries of the arrays were used; widened tells whether a range grew.
template <bool kSkipMissing>
size_t AddPlainPoints(ControlState& s, const PointArrays& p, bool& widened) {
  GraphRecord& g = s.Current();
  DataSetRecord& d = g.DataSets.back();
  AxisRecord& ax = AxisAt(g, g.CurrentXAxis);
  AxisRecord& ay = AxisAt(g, g.CurrentYAxis);
  const double ox = AxisAt(g, d.DataXAxis).TimeOrigin, oy = AxisAt(g, d.DataYAxis).TimeOrigin;
  // A block is converted while it is in the cache: the scan for values beyond single range reads it in.
  constexpr size_t kBlock = 8192;
  ++s.Structure;
  size_t used = 0;
  while (used < p.Count) {
    const double *X = p.X + used, *Y = p.Y + used, *E = p.E ? p.E + used : nullptr;
    const size_t room = static_cast<size_t>(std::numeric_limits<int32_t>::max() - g.NumPoints());
    size_t n = std::min({kBlock, p.Count - used, room});
    // One pass over the block without a branch: is any value refused, is any X or Y missing.
    int refused = 0, missing = 0;
    for (size_t k = 0; k < n; ++k) {
      refused |= BeyondSingle(X[k] - ox) | BeyondSingle(Y[k] - oy);
      missing |= !(Finite(X[k]) & Finite(Y[k]));
    }
    if (E)
      for (size_t k = 0; k < n; ++k) {
        refused |= BeyondSingle(E[k]);
        missing |= !Finite(E[k]);
      }
    if (refused) {
      size_t k = 0;
      while (!(BeyondSingle(X[k] - ox) || BeyondSingle(Y[k] - oy) || (E && BeyondSingle(E[k])))) ++k;
      n = k;
    }
    Point* to = g.Points.Room(n);
    Extent ex, ey;
    // Nothing to leave out: every point is kept, in place.
    const size_t kept = kSkipMissing && missing ? Convert<true>(X, Y, E, n, ox, oy, to, ex, ey)
                                                : Convert<false>(X, Y, E, n, ox, oy, to, ex, ey);
    g.Points.Added(kept);
    d.PointCount += static_cast<int32_t>(kept);
    d.Index.Append(to, kept);
    // A point left out has a value that is not finite, which widens nothing either.
    widened |= WidenBy(ax, ex, X, kSkipMissing ? Y : nullptr, n);
    widened |= WidenBy(ay, ey, Y, kSkipMissing ? X : nullptr, n);
    used += n;
    if (n < kBlock && used < p.Count) break;  // a point AddPoint must take, or refuse, on its own
  }
  return used;
}

}  // namespace

void AddPoints(ControlState& s, Notifier& n, const PointArrays& p, bool skipMissing) {
  if (s.NumGraphs() < 1 || p.Count == 0) return;
  GraphRecord& g = s.Current();
  if (g.NumDataSets() < 1) return;
  if (g.DataSets.back().Feed) Raise(err::InvalidProcedureCall);  // its rows come from its source
  bool widened = false;
  try {
    for (size_t i = 0; i < p.Count;) {
      if (TakesPlainPoints(g)) {
        const PointArrays rest{p.X + i, p.Y + i, p.E ? p.E + i : nullptr, p.Count - i};
        i += skipMissing ? AddPlainPoints<true>(s, rest, widened) : AddPlainPoints<false>(s, rest, widened);
        if (i == p.Count) break;
      }
      // A point that sets an axis's limits or time origin, or that fails, goes in as AddPoint takes it.
      const double x = p.X[i], y = p.Y[i], e = p.E ? p.E[i] : 0.0;
      ++i;
      if (skipMissing && !(Finite(x) && Finite(y))) continue;
      widened |= TakePoint(s, n, x, y, skipMissing && !Finite(e) ? 0.0 : e);
    }
  } catch (...) {
    if (widened) n.RaiseGraphScaleChanged();  // for the points that went in before the failure
    throw;
  }
  if (widened) n.RaiseGraphScaleChanged();
}

void AttachFeed(ControlState& s, Notifier& n, std::shared_ptr<SourceFeed> feed) {
  if (s.NumGraphs() < 1) return;
  GraphRecord& g = s.Current();
  if (g.NumDataSets() < 1) return;
  DataSetRecord& d = g.DataSets.back();
  if (d.PointCount > 0) Raise(err::InvalidProcedureCall);
  const SourceExtent& e = feed->Extent();
  d.Feed = std::move(feed);
  d.DataSymbol = kSymbolNone;
  d.ShowErrorBar = false;
  if (d.DataLineStyle == kLineNone) d.DataLineStyle = kLineSolid;
  if (e.Rows == 0) return;
  // The axes end as they would after the rows themselves: their limits reach from the least to the
  // greatest value (a time axis takes its origin from the first X and Y as from a first point).
  TakeHostValue(g, d.DataXAxis, e.XMin);
  TakeHostValue(g, d.DataYAxis, e.YMin);
  AxisRecord& ax = AxisAt(g, g.CurrentXAxis);
  AxisRecord& ay = AxisAt(g, g.CurrentYAxis);
  const double xMin = TakeHostValue(g, g.CurrentXAxis, e.XMin),
               yMin = TakeHostValue(g, g.CurrentYAxis, e.YMin);
  if (ax.AxisScale == kScaleAutomatic && ax.LimitsPending) InitAxisLimits(n, ax, xMin);
  if (ay.AxisScale == kScaleAutomatic && ay.LimitsPending) InitAxisLimits(n, ay, yMin);
  bool widened = false;
  for (const double x : {e.XMin, e.XMax}) widened |= Widen(ax, AxisValueOf(ax, x));
  for (const double y : {e.YMin, e.YMax}) widened |= Widen(ay, AxisValueOf(ay, y));
  if (widened) n.RaiseGraphScaleChanged();
}

// ---------------------------------------------------------------- functions and texts

void SetMathFunc(ControlState& s, const std::string& formula, double fromX, double toX) {
  if (s.NumGraphs() < 1) return;
  GraphRecord& g = s.Current();
  if (g.NumDataSets() < 1) return;
  DataSetRecord& d = g.DataSets.back();
  d.MathFunc = formula;
  d.MathFuncX1 = fromX;
  d.MathFuncX2 = toX;
  d.DataSymbol = kSymbolNone;
  d.ShowErrorBar = false;
  if (d.DataLineStyle == kLineNone) d.DataLineStyle = kLineSolid;  // a function is always drawn as a line
}

void SetText(ControlState& s, const TextAnnotation& t) {
  if (t.Text.empty() || s.NumGraphs() < 1) return;
  GraphRecord& g = s.Current();
  if (g.NumDataSets() < 1) return;
  DataSetRecord& d = g.DataSets.back();
  d.DataText = t.Text;
  d.DataTextX = t.X;
  d.DataTextY = t.Y;
  d.DataTextOri = t.Ori;
  d.DataTextFont = t.Font;
  d.DataTextColor = t.Color;
  d.DataTextAngle = t.Angle;
  d.DataTextPercent = t.Percent;
  // A data set that only carries a text has no row in the legend table.
  if (d.MathFunc.empty() && d.PointCount == 0) d.DataInLegendTable = false;
}

}  // namespace plotara
