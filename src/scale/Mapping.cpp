#include "scale/Mapping.h"

#include <cfloat>
#include <cmath>

#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "platform/ErrorGuard.h"
#include "scale/NumericHelpers.h"

namespace plotara {

namespace {

// The axis that PosX/PosY map through, or nullptr when the current graph or axis does not exist.
inline const AxisRecord* CurrentAxis(const ControlState& s, bool y, const GraphRecord*& graph) noexcept {
  if (s.CurrentGraph < 0 || static_cast<size_t>(s.CurrentGraph) >= s.Graphs.size()) return nullptr;
  const GraphRecord& g = s.Graphs[static_cast<size_t>(s.CurrentGraph)];
  const int16_t index = y ? g.CurrentYAxis : g.CurrentXAxis;
  if (index < 0 || static_cast<size_t>(index) >= g.Axes.size()) return nullptr;
  graph = &g;
  return &g.Axes[static_cast<size_t>(index)];
}

[[gnu::cold, gnu::noinline]] float ReportNoAxis(ErrorReporter& r, const char* routine) {
  r.ReportError(routine, err::SubscriptOutOfRange);
  return 0;
}

// The value at fraction f of the way from the lower to the upper limit.
double ValueAt(const AxisRecord& a, double f) {
  const double lo = a.AxisValue1;
  const double hi = a.AxisValue2;
  if (a.AxisLog) return Exp(Ln(lo) + Ln(hi / lo) * f);
  return (hi - lo) * f + lo;
}

}  // namespace

AxisMapping::AxisMapping(const GraphRecord& g, const AxisRecord& a, bool vertical) noexcept
    : origin_(vertical ? static_cast<double>(g.RectTop) + static_cast<double>(g.BorderTop)
                       : static_cast<double>(g.RectLeft) + static_cast<double>(g.BorderLeft)),
      lo_(a.AxisValue1),
      span_(a.AxisValue2 - a.AxisValue1),
      length_(static_cast<float>(a.AxisLength)),
      log_(a.AxisLog),
      positive_(a.AxisValue1 > 0 && a.AxisValue2 > 0),
      spanned_(a.AxisValue2 != a.AxisValue1),
      // y grows downwards on the page, so an unreversed Y axis is the mirrored one.
      flip_(vertical ? !a.AxisReverse : a.AxisReverse) {
  if (log_ && positive_) {
    lnLo_ = std::log(a.AxisValue1);
    lnSpan_ = std::log(a.AxisValue2) - lnLo_;
  }
  // A value that cannot be mapped gets the fraction -1 (2 on an unreversed Y axis: the mark keeps its
  // side of the plot area), whether or not it is mirrored.
  const float mark = vertical && !a.AxisReverse ? 2.0f : -1.0f;
  unmappable_ = static_cast<float>(origin_ + static_cast<double>(length_ * mark));
}

float PosX(const ControlState& s, ErrorReporter& r, double value) {
  const GraphRecord* g = nullptr;
  const AxisRecord* a = CurrentAxis(s, false, g);
  if (a == nullptr) return ReportNoAxis(r, "PosX");
  // Mirrored for every mappable value, also below the lower limit, so that a line to a point outside
  // the limits still leaves the plot on the correct side of a reversed axis.
  return AxisMapping(*g, *a, false).Map(value);
}

float PosY(const ControlState& s, ErrorReporter& r, double value) {
  const GraphRecord* g = nullptr;
  const AxisRecord* a = CurrentAxis(s, true, g);
  if (a == nullptr) return ReportNoAxis(r, "PosY");
  return AxisMapping(*g, *a, true).Map(value);
}

namespace {

// The value at page x on X axis a of graph g, or at page y on Y axis a.
double XValue(const GraphRecord& g, const AxisRecord& a, float x) {
  double f = CheckedDivide(static_cast<double>(x) - g.RectLeft - g.BorderLeft, a.AxisLength);
  if (a.AxisReverse) f = 1 - f;
  return ValueAt(a, f);
}

double YValue(const GraphRecord& g, const AxisRecord& a, float y) {
  double f = CheckedDivide(static_cast<double>(y) - g.RectTop - g.BorderTop, a.AxisLength);
  if (!a.AxisReverse) f = 1 - f;
  return ValueAt(a, f);
}

}  // namespace

double GetXCoord(const ControlState& s, ErrorReporter& r, int16_t graph, float x) {
  double result = 0;
  Guarded(r, "GetXCoord", [&] {
    const GraphRecord& g = s.Graph(graph);
    result = XValue(g, AxisAt(g, g.CurrentXAxis), x);
  });
  return result;
}

double GetXCoord(const ControlState& s, ErrorReporter& r, int16_t graph, int16_t axis, float x) {
  double result = 0;
  Guarded(r, "GetXCoord", [&] {
    const GraphRecord& g = s.Graph(graph);
    result = XValue(g, AxisAt(g, axis), x);
  });
  return result;
}

double GetYCoord(const ControlState& s, ErrorReporter& r, int16_t graph, float y) {
  double result = 0;
  Guarded(r, "GetYCoord", [&] {
    const GraphRecord& g = s.Graph(graph);
    result = YValue(g, AxisAt(g, g.CurrentYAxis), y);
  });
  return result;
}

double GetYCoord(const ControlState& s, ErrorReporter& r, int16_t graph, int16_t axis, float y) {
  double result = 0;
  Guarded(r, "GetYCoord", [&] {
    const GraphRecord& g = s.Graph(graph);
    result = YValue(g, AxisAt(g, axis), y);
  });
  return result;
}

int16_t AxisLevelIndex(const ControlState& s, ErrorReporter& r, int16_t kind, int16_t level) {
  int16_t result = 0;
  Guarded(r, "AxisLevelIndex", [&] {
    if (level < 0) return;
    const GraphRecord& g = s.Current();
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
