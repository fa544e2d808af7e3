// Planned ticks: the ticks of a time axis (calendar steps, dates for labels) and, with readable labels,
// round ticks inside the view of a linear axis. Both are chosen by measuring their labels on the page
// in the label font: the finest step whose labels keep apart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/Notifier.h"
#include "model/Records.h"
#include "render/Text.h"
#include "scale/Mapping.h"
#include "surface/Surface.h"

namespace plotara {

struct PlannedTick {
  double Value = 0;  // as the axis holds it
  std::string Label;
  bool Context = false;  // the label carries the full date: where labels would overlap it stays
};

struct TickPlan {
  std::vector<PlannedTick> Majors;
  std::vector<double> Minors;
};

// How the labels of an axis lie on the page: along page x (an X axis) or page y, turned by Angle
// degrees and anchored at their tick with these PrintText alignments; ticks at least MinSpacing apart
// and labels at least Gap apart along the axis (surface units).
struct LabelLayout {
  bool Vertical = false;
  int16_t Angle = 0;
  int16_t HAlign = 0, VAlign = 0;
  float MinSpacing = 0, Gap = 0;
};

// Whether labels at these axis values, mapped onto the page by map, keep apart along the axis; only
// those at ticks within [low, high] are drawn and count. The label font is the surface's.
bool LabelsKeepApart(Surface& s, const LabelLayout& layout, const AxisMapping& map, float low, float high,
                     const std::vector<double>& values, const std::vector<std::string>& labels);

// Which labels of the planned ticks are drawn, given the page boxes of their labels: those at ticks
// inside the plot (inside[i]) that lie whole within `bounds` (the graph's rectangle), taking the full
// dates first (that of the first tick last among them), each left out when it would come nearer than
// `gap` to a label kept before it, of this axis or among `taken` (the labels of the axes drawn before it).
std::vector<bool> KeptLabels(const TickPlan& plan, const std::vector<TextBox>& boxes,
                             const std::vector<bool>& inside, const TextBox& bounds,
                             const std::vector<TextBox>& taken, float gap);

// The ticks of a time axis over its view: its calendar step, labels in its zone and format.
TickPlan TimeTickPlan(Surface& s, const LabelLayout& layout, const AxisRecord& a, const AxisMapping& map,
                      float low, float high);

// An automatic time axis's limits from its data range (a minute around a single instant), widened to
// the ticks of the step its labels need on an axis of the given mapping's length.
void RoundTimeLimits(Surface& s, const LabelLayout& layout, const GraphRecord& g, AxisRecord& a, float low,
                     float high);

// Round ticks (1, 2 or 5 x 10^n) over the view of a linear axis, labelled as numbers; minor ticks by
// the step (automatic axes) or AxisMinorDivs.
TickPlan RoundTickPlan(ErrorReporter& r, Surface& s, const LabelLayout& layout, const AxisRecord& a,
                       const AxisMapping& map, float low, float high);

}  // namespace plotara
