// Axes sections: the graph's axes and title; scaling an axis before it is drawn; drawing an axis, with
// what differs between X axes and Y axes; grid lines.
#include "render/Axes.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "model/Graphs.h"
#include "model/Lookup.h"
#include "model/TimeOrigin.h"
#include "platform/Conversions.h"
#include "render/AxisTicks.h"
#include "render/Pipeline.h"
#include "render/Text.h"
#include "scale/AutoScale.h"
#include "scale/Mapping.h"
#include "scale/NumberFormat.h"
#include "scale/NumericHelpers.h"

namespace plotara {

namespace {

// The limits an axis is drawn with. An automatic axis gets its divisions from AutoScale and, when due,
// round limits from its data, which become its limits in use and its full range. A logarithmic axis
// whose limits are not both positive loses its logarithmic setting. The scroll bars are then needed when
// the current graph's X axis xAxis or Y axis yAxis (one of them this one) shows less than its full range.
void ScaleAxis(ControlState& state, Notifier& n, AxisRecord& a, int16_t xAxis, int16_t yAxis, float& x1,
               float& x2) {
  x1 = CSng(a.AxisValue1);
  x2 = CSng(a.AxisValue2);
  const bool log = a.AxisLog;
  bool rescaled = false;
  if (a.AxisScale == kScaleAutomatic) {
    if (a.AxisLog && (x1 <= 0 || x2 <= 0)) a.RescalePending = true;
    if (a.RescalePending) {
      x1 = CSng(a.DataMin);
      x2 = CSng(a.DataMax);
    }
    AutoScale(n, x1, x2, a.AxisMajorDivs, a.AxisMinorDivs, a.AxisDP, a.AxisLog);
    rescaled = a.RescalePending;
    if (rescaled) {
      a.AxisValue1 = a.ScaleMin = x1;
      a.AxisValue2 = a.ScaleMax = x2;
      a.RescalePending = false;
    }
  }
  SetScrollBarsVisibility(state, n, xAxis, yAxis);
  a.AxisLog = log;
  if (x1 <= 0 || x2 <= 0) a.AxisLog = false;
  // Last: the handler sees the axis as it is drawn, and may change anything.
  if (rescaled) n.RaiseGraphScaleChanged();
}

// The value of minor tick k (2..AxisMinorDivs) after the major value v.
double MinorValue(const AxisRecord& a, float x1, float x2, double v, int k) {
  if (a.AxisLog) return k * v;
  const double divisions = std::max(static_cast<double>(a.AxisMajorDivs) * a.AxisMinorDivs, 1.0);
  return v + (static_cast<double>(x2) - x1) * (k - 1) / divisions;
}

std::string TickLabel(ErrorReporter& r, const AxisRecord& a, double v, const std::string& token) {
  if (a.AxisScale == kScaleTextLabels) return token;
  int16_t digits = 6, style = 2;
  return Format_Real(r, v, 0, digits, style, 1);
}

int16_t HeightOfA(Surface& s) {
  return CInt(s.TextHeight("A"));
}

// Reads an axis's comma-separated text labels one by one, as NextToken does, without erasing the front
// of the text each time: many labels would cost time quadratic in the text's length. It reads a copy: a
// handler of an error reported between two labels may change the axis's labels.
class TokenCursor {
 public:
  explicit TokenCursor(std::string_view text) : text_(text), rest_(text_) {}
  std::string Next() {
    const size_t comma = rest_.find(',');
    std::string token(rest_.substr(0, comma));
    rest_ = comma == std::string_view::npos ? std::string_view() : rest_.substr(comma + 1);
    return token;
  }

 private:
  std::string text_;
  std::string_view rest_;
};

// Ticks beyond these counts are closer than any page shows apart, and each costs a line (a major tick
// also a label): more major ticks are thinned to every n-th, and minor ticks are left out when there
// would be more than kMaxMinorTicks of them.
constexpr int kMaxMajorTicks = 1000;
constexpr long kMaxMinorTicks = 20000;

// The last major tick j of an axis drawn from v1 to v2: AxisMajorDivs; on a logarithmic axis the majors
// are decades from the one at v1, and past the limits there is no more to draw.
int LastMajor(const AxisRecord& a, float v1, float v2) {
  int lastMajor = a.AxisMajorDivs;
  if (a.AxisLog) {
    const double decades = std::ceil(std::log10(std::max(v1, v2))) - std::floor(std::log10(v1));
    if (decades >= 0 && decades < lastMajor) lastMajor = static_cast<int>(decades);
  }
  return lastMajor;
}

// The ticks an axis draws by default (decades, or text labels, at equal divisions), as a plan for
// readable labels.
TickPlan DefaultTickPlan(ErrorReporter& r, const AxisRecord& a, float v1, float v2) {
  TickPlan plan;
  TokenCursor tokens(a.AxisTextLabels);
  const int lastMajor = std::min(LastMajor(a, v1, v2), kMaxMajorTicks);
  const int minorDivs = static_cast<long>(lastMajor + 1) * std::max(a.AxisMinorDivs - 1, 0) <= kMaxMinorTicks
                            ? a.AxisMinorDivs
                            : 1;
  for (int j = 0; j <= lastMajor; ++j) {
    const std::string token = a.AxisScale == kScaleTextLabels ? tokens.Next() : std::string();
    const double v = MajorTickValue(a, v1, v2, j);
    plan.Majors.push_back({v, TickLabel(r, a, v, token), false});
    for (int k = 2; k <= minorDivs; ++k) plan.Minors.push_back(MinorValue(a, v1, v2, v, k));
  }
  return plan;
}

}  // namespace

// ---------------------------------------------------------------- the graph's axes and title

void GraphAxes(Drawing& d, Surface& s) {
  const ControlState& state = d.State;
  d.Notify.Guard("GraphAxes", [&] {
    GraphRecord& g = d.State.Current();
    AxisAt(g, g.CurrentXAxis).AxisLength =
        std::max<int32_t>(100, CLng(g.RectWidth - g.BorderLeft - g.BorderRight));
    AxisAt(g, g.CurrentYAxis).AxisLength =
        std::max<int32_t>(100, CLng(g.RectHeight - g.BorderTop - g.BorderBottom));
    DrawPlotArea(d, s);
    AxisSpace space;
    for (int xy = 0; xy <= 1; ++xy) {
      bool first = true;
      for (int16_t i = 0; i < g.NumAxes(); ++i) {
        if (g.Axes[static_cast<size_t>(i)].XY != xy) continue;
        const int16_t current = xy == kXAxis ? g.CurrentXAxis : g.CurrentYAxis;
        g.Axes[static_cast<size_t>(i)].AxisLength = AxisAt(g, current).AxisLength;
        if (xy == kXAxis) {
          DrawXAxis(d, s, space, i, first);
        } else {
          DrawYAxis(d, s, space, i, first);
        }
        first = false;
      }
    }
    if (g.GraphShowTitle) {
      const PlotBox p = PlotOf(g);
      const float x = Max(0.0f, p.L + p.XL / 2 + (g.GraphTitleHShift + 1) * state.UnitsPerMmX);
      const float y = Max(0.0f, p.T - g.AxisSpaceAbove - (g.GraphTitleVShift + 1) * state.UnitsPerMmY);
      PrintText(d.Notify, s, state.GraphNames[static_cast<size_t>(state.CurrentGraph)], x, y, kAlignCentre,
                kAlignBottom, g.GraphTitleColor, g.GraphTitleFont, 0);
    }
  });
}

// ---------------------------------------------------------------- drawing an axis

namespace {

struct PagePoint {
  float x, y;
};

// The move that brings [from, to] within [low, high], or 0 when it is longer than that.
float ShiftWithin(float from, float to, float low, float high) {
  if (to - from > high - low) return 0;
  if (from < low) return low - from;
  if (to > high) return high - to;
  return 0;
}

// How the labels of an axis of Rules lie at this angle, in the surface's font: a label running along
// the axis is centred on its tick, a turned one ends there; ticks at least kMinTickSpacing heights of an A
// apart and labels at least three quarters of one.
template <class Rules>
LabelLayout LayoutOf(Surface& s, int16_t angle) {
  const bool parallel = angle == Rules::kParallelLabelAngle;
  const float h = HeightOfA(s);
  return {Rules::kXY == kYAxis,
          angle,
          parallel ? kAlignCentre : kAlignEnd,
          parallel ? Rules::kParallelLabelVAlign : kAlignMiddle,
          Rules::kMinTickSpacing * h,
          0.75f * h};
}

// A time axis: automatic limits due for rescaling come from its data, widened to the ticks its labels
// need; then as ScaleAxis. It is linear for good.
void ScaleTimeAxis(ControlState& state, Notifier& n, Surface& s, const LabelLayout& layout, AxisRecord& a,
                   int16_t xAxis, int16_t yAxis, float low, float high) {
  a.AxisLog = false;
  if (a.AxisScale == kScaleAutomatic && a.RescalePending) {
    RoundTimeLimits(s, layout, state.Current(), a, low, high);
    a.ScaleMin = a.AxisValue1;
    a.ScaleMax = a.AxisValue2;
    n.RaiseGraphScaleChanged();
    a.RescalePending = false;
  }
  SetScrollBarsVisibility(state, n, xAxis, yAxis);
}

// The layout planned labels are tried in: readable Y labels running along the axis are tried
// horizontal first.
struct LabelChoice {
  LabelLayout Layout;
  bool TryLevel = false;
};

template <class Rules>
LabelChoice FirstLabelChoice(Surface& s, const AxisRecord& a, bool readable) {
  const bool tryLevel = readable && Rules::kXY == kYAxis && a.AxisLabelsHoriz == Rules::kParallelLabelAngle;
  return {LayoutOf<Rules>(s, tryLevel ? 0 : a.AxisLabelsHoriz), tryLevel};
}

// Where an axis is drawn: its limits (as scaled, for the default ticks), its line and the labels'
// offset from it, its side, and the stretch along it that its planned labels stay within.
struct AxisPlace {
  float V1, V2, Line, Offset;
  bool Far;
  float LabelsFrom, LabelsTo;
};

// The planned ticks of an axis as they are drawn: the major ticks and their labels' places along the
// axis (a label reaching past the graph's edge, or into a corner the other axes' labels hold, moves in),
// which labels are kept, their layout, their place across the axis and the extent they take across it.
struct PlannedAxis {
  TickPlan Plan;
  std::vector<float> At, LabelAt;
  std::vector<bool> Inside, Kept;
  LabelLayout Layout;
  float Across = 0, Extent = 0;
};

// Plans the ticks of axis a in the surface's label font: time or round ticks (or the default ones of a
// logarithmic or text-label axis), turned level where readable Y labels fit beside the axis with its
// title, and those labels kept that overlap nothing drawn before; the kept ones join space.Labels.
template <class Rules>
PlannedAxis PlanAxis(Notifier& n, Surface& s, const GraphRecord& g, const AxisRecord& a,
                     const AxisMapping& map, const AxisPlace& at, LabelChoice labels, AxisSpace& space) {
  const PlotBox p = PlotOf(g);
  const float low = Rules::Low(p), high = Rules::High(p);
  PlannedAxis r;
  r.Layout = labels.Layout;
  const auto makePlan = [&] {
    if (a.AxisTime) return TimeTickPlan(s, r.Layout, a, map, low, high);
    if (!a.AxisLog && a.AxisScale != kScaleTextLabels)
      return RoundTickPlan(n, s, r.Layout, a, map, low, high);
    return DefaultTickPlan(n, a, at.V1, at.V2);
  };
  r.Plan = makePlan();
  const auto widest = [&] {
    float w = 0;
    for (const PlannedTick& t : r.Plan.Majors) w = std::max(w, s.TextWidth(t.Label));
    return w;
  };
  float levelGap = 0;  // room between the axis and horizontal Y labels
  if constexpr (Rules::kXY == kYAxis) {
    if (labels.TryLevel) {
      levelGap = s.TextWidth("0") / 2;
      float needed = std::fabs(at.Offset) + levelGap + widest();
      if (a.AxisShowTitle) {
        SetGraphFont(n, s, a.AxisTitleFont);
        needed += 1.6f * HeightOfA(s);
        SetGraphFont(n, s, a.AxisLabelFont);
      }
      if (needed > Rules::RoomAcross(g, at.Line, at.Far)) {
        r.Layout = LayoutOf<Rules>(s, a.AxisLabelsHoriz);
        levelGap = 0;
        r.Plan = makePlan();
      }
    }
  }
  if (a.AxisShowLabels) {
    r.Extent = r.Layout.Angle == Rules::kParallelLabelAngle
                   ? HeightOfA(s)
                   : Rules::TurnedLabelExtent(widest(), r.Layout.Angle) + levelGap;
  }
  r.Across =
      Rules::LabelPosition(at.Line, at.Offset + (at.Far ? -levelGap : levelGap), at.Far ? r.Extent : 0);
  std::vector<TextBox> boxes;
  for (const PlannedTick& t : r.Plan.Majors) {
    const float q = map.Map(t.Value);
    r.At.push_back(q);
    r.Inside.push_back(low <= q && q <= high);
    const PagePoint anchor = Rules::Page(q, r.Across);
    TextBox box =
        PrintedBox(s, t.Label, anchor.x, anchor.y, r.Layout.HAlign, r.Layout.VAlign, r.Layout.Angle);
    r.LabelAt.push_back(q + Rules::ShiftInto(at.LabelsFrom, at.LabelsTo, box));
    boxes.push_back(box);
  }
  const TextBox graph{static_cast<float>(g.RectLeft), static_cast<float>(g.RectTop),
                      static_cast<float>(g.RectLeft) + g.RectWidth,
                      static_cast<float>(g.RectTop) + g.RectHeight};
  r.Kept = a.AxisShowLabels ? KeptLabels(r.Plan, boxes, r.Inside, graph, space.Labels, r.Layout.Gap / 2)
                            : std::vector<bool>(boxes.size(), false);
  for (size_t i = 0; i < boxes.size(); ++i)
    if (r.Kept[i]) space.Labels.push_back(boxes[i]);
  return r;
}

// One axis: its line, then a pass of ticks at the line and, with ticks at both ends, a second at the
// opposite edge of the plot; grid lines, labels and the title come with the first pass, and last the
// axis takes its space on its side. Rules (XAxisRules, YAxisRules below) says what differs between X and
// Y axes. Positions are "along" the axis, where values map, and "across" it. The axis maps its values
// itself; the plot area is that of the graph's current axes, whose lengths every axis of a kind shares.
//
// A time axis, and every axis when the control's labels are readable, draws planned ticks instead of
// dividing its limits: calendar or round ticks whose labels fit (render/AxisTicks.h), labels that would
// overlap another left out, and Y labels turned horizontal where they fit.
template <class Rules>
void DrawAxis(Drawing& d, Surface& s, AxisSpace& space, int16_t index, bool first) {
  ControlState& state = d.State;
  Notifier& n = d.Notify;
  GraphRecord& g = state.Current();
  if (first) Rules::Taken(space, false) = Rules::Taken(space, true) = 0;
  AxisRecord& a = AxisAt(g, index);
  if (a.AxisHide) return;
  const int16_t xAxis = Rules::kXY == kXAxis ? index : g.CurrentXAxis;
  const int16_t yAxis = Rules::kXY == kYAxis ? index : g.CurrentYAxis;
  const PlotBox p = PlotOf(g);
  const float low = Rules::Low(p), high = Rules::High(p);
  const bool planning = a.AxisTime || state.ReadableLabels;
  LabelChoice labels;
  if (planning) {
    SetGraphFont(n, s, a.AxisLabelFont);
    labels = FirstLabelChoice<Rules>(s, a, state.ReadableLabels);
  }
  float v1 = 0, v2 = 0;
  if (a.AxisTime) {
    ScaleTimeAxis(state, n, s, labels.Layout, a, xAxis, yAxis, low, high);
  } else {
    ScaleAxis(state, n, a, xAxis, yAxis, v1, v2);
  }
  const AxisMapping map(g, a, Rules::kXY == kYAxis);
  const bool far = a.AxisFarSide;
  int16_t& taken = Rules::Taken(space, far);  // by the axes of this kind drawn before on the same side
  const auto line = [&](float along1, float across1, float along2, float across2) {
    const PagePoint from = Rules::Page(along1, across1), to = Rules::Page(along2, across2);
    s.Line(from.x, from.y, to.x, to.y, a.AxisColor);
  };

  const float lineAt = Rules::LinePosition(p, taken, far);
  s.DrawWidth = std::max<int>(a.AxisThickness, 1);
  line(low, lineAt, high, lineAt);

  // The labels' offset from the axis line, outwards: past outside ticks, moved by the label shift.
  float o = 0;
  if (a.AxisTicksOutside) o += std::fabs(Rules::kOutsideTicksOffset * a.AxisTickLength);
  o -= a.AxisLabelShift * Rules::MmAcross(state);
  if (far) o = -o;

  float extent = 0;  // the space the labels take across the axis
  const auto label = [&](float along, double v, const std::string& token) {
    const std::string text = TickLabel(n, a, v, token);
    SetGraphFont(n, s, a.AxisLabelFont);  // measure in the font the label is printed in
    const int16_t angle = a.AxisLabelsHoriz;
    // A label running along the axis is centred on its tick, a turned one ends there.
    const bool parallel = angle == Rules::kParallelLabelAngle;
    if (parallel) {
      extent = HeightOfA(s);
    } else {
      extent = std::max(extent, Rules::TurnedLabelExtent(s.TextWidth(text), angle));
    }
    const PagePoint at = Rules::Page(along, Rules::LabelPosition(lineAt, o, far ? extent : 0));
    const TextAlign hAlign = parallel ? kAlignCentre : kAlignEnd,
                    vAlign = parallel ? Rules::kParallelLabelVAlign : kAlignMiddle;
    PrintText(n, s, text, at.x, at.y, hAlign, vAlign, a.AxisLabelColor, a.AxisLabelFont, angle);
    space.Labels.push_back(
        PrintedBox(s, text, at.x, at.y, hAlign, vAlign, angle));  // for planned axes drawn later
  };

  PlannedAxis planned;
  if (planning) {
    const auto [from, to] = Rules::LabelRange(state, g, p);
    planned = PlanAxis<Rules>(n, s, g, a, map, {v1, v2, lineAt, o, far, from, to}, labels, space);
  }
  const auto plannedLabel = [&](size_t i) {
    const PagePoint anchor = Rules::Page(planned.LabelAt[i], planned.Across);
    PrintText(n, s, planned.Plan.Majors[i].Label, anchor.x, anchor.y, planned.Layout.HAlign,
              planned.Layout.VAlign, a.AxisLabelColor, a.AxisLabelFont, planned.Layout.Angle);
  };
  if (planning) extent = planned.Extent;

  int16_t M = 0;  // the block the axis takes, labels and title
  const int passes = a.AxisTicksBothEnds ? 2 : 1;
  for (int pass = 1; pass <= passes; ++pass) {
    // t and m run from the ticks' base into the plot: from the axis line, or back from the opposite edge.
    const float inward = (pass == 1 ? Rules::kInward : -Rules::kInward) * (far ? -1 : 1);
    const float base = pass == 1 ? lineAt : Rules::OppositeEdge(p, far);
    float t = inward * a.AxisTickLength, m = inward * (Rules::kMinorTick * a.AxisTickLength);
    const float to = a.AxisTicksOutside ? t : 0, mo = a.AxisTicksOutside ? m : 0;
    if (!a.AxisTicksInside) t = m = 0;
    s.DrawWidth = std::max<int>(a.AxisTickThickness, 1);

    if (planning) {
      for (size_t i = 0; i < planned.Plan.Majors.size(); ++i) {
        const float q = planned.At[i];
        if (!planned.Inside[i]) continue;
        if (pass == 1) {
          if (Rules::kGridOnEdges || (low < q && q < high)) GridLine(n, s, p, a, q, Rules::kVertical, true);
          if (planned.Kept[i]) plannedLabel(i);
        }
        line(q, base - to, q, base + t);
      }
      for (const double v : planned.Plan.Minors) {
        const float r = map.Map(v);
        if (!(low <= r && r <= high)) continue;
        if (pass == 1 && (Rules::kGridOnEdges || (low < r && r < high)))
          GridLine(n, s, p, a, r, Rules::kVertical, false);
        line(r, base - mo, r, base + m);
      }
      if (pass == 1) M = Rules::TitleAndBlock(d, s, a, p, taken, extent);
      continue;
    }

    TokenCursor tokens(a.AxisTextLabels);
    // On a logarithmic axis the major ticks are decades from the one at v1: past the limits there is no
    // more to draw.
    const int lastMajor = LastMajor(a, v1, v2);
    const int majors = std::max(lastMajor, 0) + 1;
    const int stride = (majors + kMaxMajorTicks - 1) / kMaxMajorTicks;
    const int minorDivs =
        stride == 1 && static_cast<long>(majors) * std::max(a.AxisMinorDivs - 1, 0) <= kMaxMinorTicks
            ? a.AxisMinorDivs
            : 1;
    for (int j = 0; j <= lastMajor; ++j) {
      const std::string token = a.AxisScale == kScaleTextLabels ? tokens.Next() : std::string();
      if (j % stride != 0) continue;
      const double v = MajorTickValue(a, v1, v2, j);
      const float q = map.Map(v);
      const bool grid = Rules::kGridOnEdges || (low < q && q < high);  // for this tick and its minor ticks
      if (low <= q && q <= high) {
        if (pass == 1) {
          if (grid) GridLine(n, s, p, a, q, Rules::kVertical, true);
          if (a.AxisShowLabels) label(q, v, token);
        }
        line(q, base - to, q, base + t);
      }
      for (int k = 2; k <= minorDivs; ++k) {
        const float r = map.Map(MinorValue(a, v1, v2, v, k));
        if (low <= r && r <= high) {
          if (pass == 1 && grid) GridLine(n, s, p, a, r, Rules::kVertical, false);
          line(r, base - mo, r, base + m);
        }
      }
    }
    if (pass == 1) M = Rules::TitleAndBlock(d, s, a, p, taken, extent);
  }
  Rules::Stack(g, space, s, a, taken, M);
  s.ForeColor = 0;
}

}  // namespace

// ---------------------------------------------------------------- X axes

namespace {

// An X axis: values map to page x. Its line lies below the plot, or above it on the far side, and inward
// from below is up.
struct XAxisRules {
  static constexpr int16_t kXY = 0;
  static constexpr bool kVertical = true;     // ticks and grid lines
  static constexpr bool kGridOnEdges = true;  // grid lines also at ticks on the plot's edges
  static constexpr float kInward = -1;
  static constexpr float kMinorTick = 0.7f;        // of the tick length
  static constexpr float kOutsideTicksOffset = 2;  // times the tick length
  static constexpr int16_t kParallelLabelAngle = 0;
  static constexpr TextAlign kParallelLabelVAlign = kAlignTop;
  static constexpr float kMinTickSpacing = 4;  // planned ticks, in heights of an A

  static PagePoint Page(float along, float across) { return {along, across}; }
  // Where planned labels lie along the axis: within the graph's width, and clear of the plot's corners
  // where a Y axis that divides its limits prints its end labels. Drawn after the X axes and by its
  // own rule, it cannot leave one out; a time axis's first date then starts at its tick.
  static std::pair<float, float> LabelRange(const ControlState& state, const GraphRecord& g,
                                            const PlotBox& p) {
    float from = g.RectLeft, to = static_cast<float>(g.RectLeft) + g.RectWidth;
    for (const AxisRecord& y : g.Axes) {
      if (y.XY != kYAxis || y.AxisHide || !y.AxisShowLabels || y.AxisTime || state.ReadableLabels) continue;
      if (y.AxisFarSide) {
        to = p.R;
      } else {
        from = p.L;
      }
    }
    return {from, to};
  }
  // Moves a box along the axis into [from, to], when it fits; returns the move.
  static float ShiftInto(float from, float to, TextBox& b) {
    const float shift = ShiftWithin(b.Left, b.Right, from, to);
    b.Left += shift;
    b.Right += shift;
    return shift;
  }
  static float MmAcross(const ControlState& state) { return state.UnitsPerMmY; }
  static float Low(const PlotBox& p) { return p.L; }
  static float High(const PlotBox& p) { return p.R; }
  static int16_t& Taken(AxisSpace& space, bool far) { return far ? space.Above : space.Below; }
  static float LinePosition(const PlotBox& p, int16_t taken, bool far) {
    return far ? p.T - taken : p.B + taken;
  }
  static float OppositeEdge(const PlotBox& p, bool far) { return far ? p.T + p.YL : p.T; }

  static float TurnedLabelExtent(float width, int16_t angle) {
    return static_cast<float>(width * std::sin(angle * 0.01745));
  }
  // Labels sit at half the offset.
  static float LabelPosition(float line, float o, float farShift) { return line + o / 2 - farShift; }

  // The title goes beyond the labels, centred on the plot. The block counts a height of an A after it,
  // shown or not, measured once the title is printed: in the title font if it was.
  static int16_t TitleAndBlock(Drawing& d, Surface& s, const AxisRecord& a, const PlotBox& p, int16_t taken,
                               float extent) {
    int16_t M = CInt(extent - a.AxisTitleShift * d.State.UnitsPerMmY);
    if (a.AxisTicksOutside) M = AddInt16(M, a.AxisTickLength);
    const int16_t h = HeightOfA(s);
    const float titleY = a.AxisFarSide ? p.T - taken - M - h : p.B + taken + M;
    if (a.AxisShowTitle)
      PrintText(d.Notify, s, a.AxisTitle, p.L + p.XL / 2, titleY, kAlignCentre, kAlignTop, a.AxisTitleColor,
                a.AxisTitleFont, 0);
    return AddInt16(M, HeightOfA(s));
  }

  // A shown title adds another height of an A, counted after both passes. The space above is kept with the
  // graph for its title.
  static void Stack(GraphRecord& g, const AxisSpace& space, Surface& s, const AxisRecord& a, int16_t& taken,
                    int16_t M) {
    if (a.AxisShowTitle) M = AddInt16(M, HeightOfA(s));
    taken = AddInt16(taken, M);
    g.AxisSpaceAbove = space.Above;
  }
};

}  // namespace

void DrawXAxis(Drawing& d, Surface& s, AxisSpace& space, int16_t index, bool first) {
  d.Notify.Guard("DrawXAxis", [&] { DrawAxis<XAxisRules>(d, s, space, index, first); });
}

// ---------------------------------------------------------------- Y axes

namespace {

// A Y axis: values map to page y. Its line lies left of the plot, or right of it on the far side, and
// inward from the left is to the right.
struct YAxisRules {
  static constexpr int16_t kXY = 1;
  static constexpr bool kVertical = false;
  static constexpr bool kGridOnEdges = false;  // no grid lines at a tick on an edge, nor at its minor ticks
  static constexpr float kInward = 1;
  static constexpr float kMinorTick = 0.75f;
  static constexpr float kOutsideTicksOffset = 1;
  static constexpr int16_t kParallelLabelAngle = 90;
  static constexpr TextAlign kParallelLabelVAlign = kAlignBottom;  // turned by 90 degrees, its right
  static constexpr float kMinTickSpacing = 3;

  // The room between the axis line and the graph's edge, for labels and the title.
  static float RoomAcross(const GraphRecord& g, float line, bool far) {
    return far ? static_cast<float>(g.RectLeft) + g.RectWidth - line : line - g.RectLeft;
  }

  static PagePoint Page(float along, float across) { return {across, along}; }
  // The graph's height: the X axes' labels are drawn before, and planned labels keep clear of them.
  static std::pair<float, float> LabelRange(const ControlState&, const GraphRecord& g, const PlotBox&) {
    return {g.RectTop, static_cast<float>(g.RectTop) + g.RectHeight};
  }
  static float ShiftInto(float from, float to, TextBox& b) {
    const float shift = ShiftWithin(b.Top, b.Bottom, from, to);
    b.Top += shift;
    b.Bottom += shift;
    return shift;
  }
  static float MmAcross(const ControlState& state) { return state.UnitsPerMmX; }
  static float Low(const PlotBox& p) { return p.T; }
  static float High(const PlotBox& p) { return p.B; }
  static int16_t& Taken(AxisSpace& space, bool far) { return far ? space.Right : space.Left; }
  static float LinePosition(const PlotBox& p, int16_t taken, bool far) {
    return far ? p.R + taken : p.L - taken;
  }
  static float OppositeEdge(const PlotBox& p, bool far) { return far ? p.L : p.R; }

  static float TurnedLabelExtent(float width, int16_t angle) {
    return static_cast<float>(width * std::cos(angle * 0.01745));
  }
  static float LabelPosition(float line, float o, float farShift) { return line - o + farShift; }

  // The title is turned by 90 degrees, beyond the labels, and centred on the plot by its width in the
  // title font. The block counts a height of an A before it and, when it is shown, one in its font.
  static int16_t TitleAndBlock(Drawing& d, Surface& s, const AxisRecord& a, const PlotBox& p, int16_t taken,
                               float extent) {
    const float mmX = d.State.UnitsPerMmX;
    const int16_t h = HeightOfA(s);
    int16_t M = CInt(extent + h - a.AxisTitleShift * mmX);
    int16_t distance = CInt(extent + CInt(0.6 * h - a.AxisTitleShift * mmX));
    if (a.AxisTicksOutside) {
      M = AddInt16(M, a.AxisTickLength);
      distance = AddInt16(distance, a.AxisTickLength);
    }
    if (a.AxisShowTitle) {
      SetGraphFont(d.Notify, s, a.AxisTitleFont);
      const int32_t width = CLng(s.TextWidth(a.AxisTitle));
      const float titleX = a.AxisFarSide ? p.R + taken + distance : p.L - taken - distance;
      const float titleY = p.T + static_cast<int32_t>(p.YL) / 2 + width / 2;
      PrintText(d.Notify, s, a.AxisTitle, titleX, titleY, kAlignStart, kAlignMiddle, a.AxisTitleColor,
                a.AxisTitleFont, 90);
      M = AddInt16(M, HeightOfA(s));
    }
    return M;
  }

  static void Stack(GraphRecord&, const AxisSpace&, Surface&, const AxisRecord&, int16_t& taken, int16_t M) {
    taken = AddInt16(taken, M);
  }
};

}  // namespace

void DrawYAxis(Drawing& d, Surface& s, AxisSpace& space, int16_t index, bool first) {
  d.Notify.Guard("DrawYAxis", [&] { DrawAxis<YAxisRules>(d, s, space, index, first); });
}

// ---------------------------------------------------------------- tick values

double MajorTickValue(const AxisRecord& a, float x1, float x2, int j) {
  if (a.AxisLog) return std::pow(10.0, std::floor(std::log10(static_cast<double>(x1))) + j);
  const double span = static_cast<double>(x2) - x1;
  const double v = x1 + span * j / std::max<int>(a.AxisMajorDivs, 1);
  // The limits are singles, good to about 1e-7 of the span: a tick closer to zero than a millionth of
  // the span is zero, labelled 0 rather than 1.862645e-9.
  return std::fabs(v) <= std::fabs(span) * 1e-6 ? 0.0 : v;
}

// ---------------------------------------------------------------- grid lines

void GridLine(ErrorReporter& r, Surface& s, const PlotBox& p, const AxisRecord& a, float position,
              bool vertical, bool major) {
  const OleColor colour = s.ForeColor;
  const int width = s.DrawWidth;
  Guarded(r, "GridLine", [&] {
    s.DrawWidth = 1;
    const bool show = major ? a.AxisGridMajor : a.AxisGridMinor;
    if (!show) return;
    const OleColor grid = major ? a.AxisMajGridColor : a.AxisMinGridColor;
    if (vertical) {
      s.Line(position, p.T, position, p.B, grid);
    } else {
      s.Line(p.L, position, p.R, position, grid);
    }
  });
  s.ForeColor = colour;
  s.DrawWidth = width;
}

}  // namespace plotara
