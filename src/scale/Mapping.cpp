#include "scale/Mapping.h"

#include <cfloat>
#include <cmath>

#include "model/Control.h"
#include "platform/Conversions.h"
#include "scale/NumericHelpers.h"
#include "model/Lookup.h"

namespace plotara {

namespace {

// The fraction of the way from the lower to the upper limit, held in single precision; false when the
// value cannot be mapped. A fraction that is not a finite single (NaN, infinite values, limits so close
// that the quotient overflows) cannot be drawn either, so it counts as unmappable.
inline bool AxisFraction(const AxisRecord& a, double value, float& f) noexcept {
  const double lo = a.AxisValue1;
  const double hi = a.AxisValue2;
  double r;
  if (a.AxisLog) {
    if (!(value > 0 && lo > 0 && hi > 0)) return false;
    const double lnLo = std::log(lo);
    r = (std::log(value) - lnLo) / (std::log(hi) - lnLo);
  } else {
    if (hi == lo) return false;
    r = (value - lo) / (hi - lo);
  }
  f = static_cast<float>(r);
  return std::isfinite(f);
}

// The axis that PosX/PosY map through, or nullptr when the current graph or axis does not exist.
inline const AxisRecord* CurrentAxis(Control& c, bool y, const GraphRecord*& graph) noexcept {
  if (c.CurrentGraph < 0 || static_cast<size_t>(c.CurrentGraph) >= c.Graphs.size()) return nullptr;
  const GraphRecord& g = c.Graphs[static_cast<size_t>(c.CurrentGraph)];
  const int16_t index = y ? g.CurrentYAxis : g.CurrentXAxis;
  if (index < 0 || static_cast<size_t>(index) >= g.Axes.size()) return nullptr;
  graph = &g;
  return &g.Axes[static_cast<size_t>(index)];
}

[[gnu::cold, gnu::noinline]] float ReportNoAxis(Control& c, const char* routine) noexcept {
  c.ReportError(routine, err::SubscriptOutOfRange);
  return 0;
}

// origin + AxisLength * f; the product is taken in single precision, as the position is a single.
inline double Place(double origin, int16_t length, float f) noexcept {
  return origin + static_cast<double>(static_cast<float>(length) * f);
}

inline bool FitsSingle(double v) noexcept { return std::fabs(v) <= FLT_MAX; }

// The value at fraction f of the way from the lower to the upper limit.
double ValueAt(const AxisRecord& a, double f) {
  const double lo = a.AxisValue1;
  const double hi = a.AxisValue2;
  if (a.AxisLog) return Exp(Ln(lo) + Ln(hi / lo) * f);
  return (hi - lo) * f + lo;
}

}  // namespace

float PosX(Control& c, double value) noexcept {
  const GraphRecord* g = nullptr;
  const AxisRecord* a = CurrentAxis(c, false, g);
  if (a == nullptr) return ReportNoAxis(c, "PosX");
  const double origin = static_cast<double>(g->RectLeft) + static_cast<double>(g->BorderLeft);
  float f;
  if (AxisFraction(*a, value, f)) {
    // Mirrored for every mappable value, also below the lower limit, so that a line to a point outside
    // the limits still leaves the plot on the correct side of a reversed axis.
    if (a->AxisReverse) f = 1 - f;
    const double p = Place(origin, a->AxisLength, f);
    if (FitsSingle(p)) return static_cast<float>(p);
  }
  return static_cast<float>(Place(origin, a->AxisLength, -1.0f));
}

float PosY(Control& c, double value) noexcept {
  const GraphRecord* g = nullptr;
  const AxisRecord* a = CurrentAxis(c, true, g);
  if (a == nullptr) return ReportNoAxis(c, "PosY");
  const double origin = static_cast<double>(g->RectTop) + static_cast<double>(g->BorderTop);
  float f;
  if (AxisFraction(*a, value, f)) {
    if (!a->AxisReverse) f = 1 - f;
    const double p = Place(origin, a->AxisLength, f);
    if (FitsSingle(p)) return static_cast<float>(p);
  }
  return static_cast<float>(Place(origin, a->AxisLength, a->AxisReverse ? -1.0f : 2.0f));
}

double GetXCoord(Control& c, int16_t graph, float x) noexcept {
  double result = 0;
  c.Guard("GetXCoord", [&] {
    const GraphRecord& g = c.Graph(graph);
    const AxisRecord& a = AxisAt(g, g.CurrentXAxis);
    double f = CheckedDivide(static_cast<double>(x) - g.RectLeft - g.BorderLeft, a.AxisLength);
    if (a.AxisReverse) f = 1 - f;
    result = ValueAt(a, f);
  });
  return result;
}

double GetYCoord(Control& c, int16_t graph, float y) noexcept {
  double result = 0;
  c.Guard("GetYCoord", [&] {
    const GraphRecord& g = c.Graph(graph);
    const AxisRecord& a = AxisAt(g, g.CurrentYAxis);
    double f = CheckedDivide(static_cast<double>(y) - g.RectTop - g.BorderTop, a.AxisLength);
    if (!a.AxisReverse) f = 1 - f;
    result = ValueAt(a, f);
  });
  return result;
}

int16_t AxisLevelIndex(Control& c, int16_t kind, int16_t level) noexcept {
  int16_t result = 0;
  c.Guard("AxisLevelIndex", [&] {
    if (level < 0) return;
    const GraphRecord& g = c.Current();
    int count = 0;
    for (size_t i = 0; i < g.Axes.size(); ++i) {
      if (g.Axes[i].XY == kind) ++count;
      if (count == level) {
        result = static_cast<int16_t>(i);
        return;
      }
    }
  });
  return result;
}

}  // namespace plotara
