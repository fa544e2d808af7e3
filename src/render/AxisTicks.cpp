// AxisTicks sections: labels keeping apart; time axes; round ticks.
#include "render/AxisTicks.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "model/TimeOrigin.h"
#include "render/Text.h"
#include "scale/NumberFormat.h"
#include "scale/RoundTicks.h"
#include "scale/TimeTicks.h"

namespace plotara {

// ---------------------------------------------------------------- labels keeping apart

namespace {

// At most as many ticks as fit at the minimum spacing.
double MaxTicks(const LabelLayout& layout, float low, float high) {
  return std::fabs(high - low) / std::max(layout.MinSpacing, 1.0f) + 1;
}

}  // namespace

bool LabelsKeepApart(Surface& s, const LabelLayout& layout, const AxisMapping& map, float low, float high,
                     const std::vector<double>& values, const std::vector<std::string>& labels) {
  struct Placed {
    float At, From, To;  // the tick and the label's extent along the axis
  };
  std::vector<Placed> placed;
  for (size_t i = 0; i < values.size(); ++i) {
    const float at = map.Map(values[i]);
    if (!(low <= at && at <= high)) continue;
    const TextBox box = PrintedBox(s, labels[i], layout.Vertical ? 0 : at, layout.Vertical ? at : 0,
                                   layout.HAlign, layout.VAlign, layout.Angle);
    placed.push_back(layout.Vertical ? Placed{at, box.Top, box.Bottom} : Placed{at, box.Left, box.Right});
  }
  std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.At < b.At; });
  for (size_t i = 1; i < placed.size(); ++i) {
    if (placed[i].At - placed[i - 1].At < layout.MinSpacing) return false;
    if (placed[i - 1].To + layout.Gap > placed[i].From) return false;
  }
  return true;
}

std::vector<bool> KeptLabels(const TickPlan& plan, const std::vector<TextBox>& boxes,
                             const std::vector<bool>& inside, const TextBox& bounds,
                             const std::vector<TextBox>& taken, float gap) {
  std::vector<bool> kept(boxes.size(), false);
  std::vector<TextBox> placed = taken;
  const auto within = [&](const TextBox& b) {
    return b.Left >= bounds.Left && b.Right <= bounds.Right && b.Top >= bounds.Top &&
           b.Bottom <= bounds.Bottom;
  };
  // The full dates where a day (month, year) begins come first, then that of the first tick, which
  // only says where the view starts, then the rest.
  const auto first =
      std::find_if(plan.Majors.begin(), plan.Majors.end(), [](const PlannedTick& t) { return t.Context; }) -
      plan.Majors.begin();
  const auto rank = [&](size_t i) {
    return !plan.Majors[i].Context ? 2 : static_cast<std::ptrdiff_t>(i) == first ? 1 : 0;
  };
  for (const int pass : {0, 1, 2}) {
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (!inside[i] || rank(i) != pass || plan.Majors[i].Label.empty()) continue;
      if (!within(boxes[i])) continue;
      const bool clear = std::none_of(placed.begin(), placed.end(),
                                      [&](const TextBox& b) { return b.Overlaps(boxes[i], gap); });
      if (!clear) continue;
      kept[i] = true;
      placed.push_back(boxes[i]);
    }
  }
  return kept;
}

// ---------------------------------------------------------------- time axes

namespace {

// The instants of the view of a time axis, ascending.
void ViewMillis(const AxisRecord& a, Millis& lo, Millis& hi) {
  lo = MillisOf(HostValueOf(a, std::min(a.AxisValue1, a.AxisValue2)));
  hi = MillisOf(HostValueOf(a, std::max(a.AxisValue1, a.AxisValue2)));
}

TimeTicks ChooseFor(Surface& s, const LabelLayout& layout, const AxisRecord& a, const AxisMapping& map,
                    float low, float high) {
  const TimeZone zone(a.AxisTimeZone);
  Millis lo, hi;
  ViewMillis(a, lo, hi);
  return ChooseTimeTicks(lo, hi, zone, a.AxisTimeFormat, MaxTicks(layout, low, high),
                         [&](const std::vector<Millis>& ticks, const std::vector<std::string>& labels) {
                           std::vector<double> values;
                           values.reserve(ticks.size());
                           for (const Millis t : ticks) values.push_back(AxisValueOf(a, SecondsOf(t)));
                           return LabelsKeepApart(s, layout, map, low, high, values, labels);
                         });
}

}  // namespace

TickPlan TimeTickPlan(Surface& s, const LabelLayout& layout, const AxisRecord& a, const AxisMapping& map,
                      float low, float high) {
  const TimeTicks t = ChooseFor(s, layout, a, map, low, high);
  TickPlan plan;
  for (size_t i = 0; i < t.Majors.size(); ++i)
    plan.Majors.push_back({AxisValueOf(a, SecondsOf(t.Majors[i])), t.Labels[i], t.Context[i]});
  for (const Millis m : t.Minors) plan.Minors.push_back(AxisValueOf(a, SecondsOf(m)));
  return plan;
}

void RoundTimeLimits(Surface& s, const LabelLayout& layout, const GraphRecord& g, AxisRecord& a, float low,
                     float high) {
  double lo = std::min(a.DataMin, a.DataMax), hi = std::max(a.DataMin, a.DataMax);
  if (lo == hi) {
    lo -= 30;
    hi += 30;
  }
  a.AxisValue1 = lo;
  a.AxisValue2 = hi;
  const AxisMapping map(g, a, layout.Vertical);
  const TimeTicks t = ChooseFor(s, layout, a, map, low, high);
  Millis from, to;
  ViewMillis(a, from, to);
  RoundOutToTicks(from, to, t.Step, TimeZone(a.AxisTimeZone));
  a.AxisValue1 = AxisValueOf(a, SecondsOf(from));
  a.AxisValue2 = AxisValueOf(a, SecondsOf(to));
}

// ---------------------------------------------------------------- round ticks

TickPlan RoundTickPlan(ErrorReporter& r, Surface& s, const LabelLayout& layout, const AxisRecord& a,
                       const AxisMapping& map, float low, float high) {
  const auto labelOf = [&](double v) {
    int16_t digits = 6, style = 2;
    return Format_Real(r, HostValueOf(a, v), 0, digits, style, 1);
  };
  const auto labelsOf = [&](const std::vector<double>& values) {
    std::vector<std::string> labels;
    labels.reserve(values.size());
    for (const double v : values) labels.push_back(labelOf(v));
    return labels;
  };
  const RoundTicks ticks = ChooseRoundTicks(
      a.AxisValue1, a.AxisValue2, MaxTicks(layout, low, high), [&](const std::vector<double>& v) {
        return LabelsKeepApart(s, layout, map, low, high, v, labelsOf(v));
      });
  TickPlan plan;
  for (const double v : ticks.Majors) plan.Majors.push_back({v, labelOf(v), false});
  const int minorDivs = a.AxisScale == kScaleAutomatic ? RoundMinorDivisions(ticks.Step) : a.AxisMinorDivs;
  if (ticks.Step > 0) plan.Minors = MinorMultiplesIn(a.AxisValue1, a.AxisValue2, ticks.Step, minorDivs);
  return plan;
}

}  // namespace plotara
