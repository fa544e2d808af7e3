#include "interact/ScrollBars.h"

#include <algorithm>
#include <cmath>

#include "interact/ViewLimits.h"
#include "model/Graphs.h"
#include "model/Layout.h"
#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "platform/ScopedFlag.h"
#include "render/Pipeline.h"
#include "scale/NumericHelpers.h"

namespace plotara {

namespace {

// Thumb size and position of one bar for an axis: the view lo..hi within the full range, in the axis's
// own scale (logarithmic axes in log space).
void PlaceThumb(ErrorReporter& reporter, ScrollBarElement& bar, const AxisRecord& a, bool vertical) {
  const double lo = xxLog(reporter, a.AxisValue1, a.AxisLog), hi = xxLog(reporter, a.AxisValue2, a.AxisLog);
  const double flo = xxLog(reporter, a.ScaleMin, a.AxisLog), fhi = xxLog(reporter, a.ScaleMax, a.AxisLog);
  // A full range of nothing is all there is to see: the bar shows it whole rather than failing.
  const double r = fhi == flo ? 1.0 : std::fabs(CheckedDivide(hi - lo, fhi - flo));
  if (r >= 1) {
    bar.LargeChange = bar.Max;
    if (!vertical) bar.Value = 0;
  } else {
    bar.LargeChange = std::clamp(CLng(bar.Max * r / (1 - r)), 10, 500);
    const double p = std::clamp(std::fabs(lo - flo) / std::fabs(fhi - flo - std::fabs(hi - lo)), 0.0, 1.0);
    bar.Value = CLng(bar.Max * p);
    if (vertical) bar.Value = bar.Max - bar.Value;  // the top of the bar shows the top of the range
  }
  bar.SmallChange = bar.LargeChange < 101 ? 10 : bar.LargeChange / 50;
}

// Pans every axis of one kind of the graph of the last press to the thumb of its bar. The top of the
// vertical bar shows the top of the range, so its value counts the other way; a reversed axis mirrors
// again. The arithmetic runs in the axis's own scale: in log space for a logarithmic axis whose limits
// are all positive (one that is not is drawn linearly too).
void Pan(Interaction& ui, int16_t kind, const ScrollBarElement& bar) {
  const int16_t pointed = ui.Mouse.PointedGraph;
  ErrorReporter& r = ui.Notify;
  if (pointed < 0) return;
  GraphRecord& g = ui.State.Graph(pointed);
  for (AxisRecord& a : g.Axes) {
    if (a.XY != kind) continue;
    const bool log = InLogSpace(a);
    const double lo = xxLog(r, a.AxisValue1, log), hi = xxLog(r, a.AxisValue2, log);
    const double flo = xxLog(r, a.ScaleMin, log), fhi = xxLog(r, a.ScaleMax, log);
    const double span = hi - lo, full = fhi - flo;
    const int32_t v = bar.Value, m = bar.Max;
    // From the low end of the bar: forwards on an X axis, backwards on a Y axis, and mirrored once more
    // when the axis is reversed.
    const bool forwards = (kind == kXAxis) != a.AxisReverse;
    double L;
    if (v <= 0) {
      L = forwards ? flo : fhi - span;
    } else if (v >= m) {
      L = forwards ? fhi - span : flo;
    } else {
      const double f = static_cast<double>(v) / m;
      L = flo + (full - span) * (forwards ? f : 1 - f);
    }
    a.AxisValue1 = xxExp(r, L, log);
    a.AxisValue2 = xxExp(r, L + span, log);
  }
  RefreshGraphs(ui, pointed, true);
}

}  // namespace

void HScroll1_Change(Interaction& ui) {
  ui.Notify.Guard("HScroll1_Change", [&] { Pan(ui, kXAxis, ui.State.HScroll1); });
}

void VScroll1_Change(Interaction& ui) {
  ui.Notify.Guard("VScroll1_Change", [&] { Pan(ui, kYAxis, ui.State.VScroll1); });
}

void HScroll1_Scroll(Interaction& ui) {
  ui.Notify.Guard("HScroll1_Scroll", [&] {
    if (!ui.State.RefreshInProgress) HScroll1_Change(ui);
  });
}

void VScroll1_Scroll(Interaction& ui) {
  ui.Notify.Guard("VScroll1_Scroll", [&] {
    if (!ui.State.RefreshInProgress) VScroll1_Change(ui);
  });
}

void SetScrollBars(ControlState& state, ErrorReporter& r) {
  Guarded(r, "SetScrollBars", [&] {
    if (!state.ScrollBarsVisible) {
      state.HScroll1.Visible = false;
      state.VScroll1.Visible = false;
      return;
    }
    ScopedFlag updating(state.ScrollUpdating);
    const GraphRecord& g = state.Current();
    PlaceThumb(r, state.HScroll1, AxisAt(g, g.CurrentXAxis), false);
    PlaceThumb(r, state.VScroll1, AxisAt(g, g.CurrentYAxis), true);
    state.HScroll1.Visible = state.VScroll1.Visible = g.GraphAllowZoom;
  });
}

void ResizeScrollBars(ControlState& state, ErrorReporter& r) {
  Guarded(r, "ResizeScrollBars", [&] {
    const float w = state.ClientWidth, h = state.ClientHeight;
    ScrollBarElement& hs = state.HScroll1;
    ScrollBarElement& vs = state.VScroll1;
    const LabelElement& label = state.Label1;
    if (label.Visible) {
      vs.Left = std::max(kMinScrollBarExtent, w - vs.Width);
      vs.Top = 0;
      vs.Height = std::max(kMinScrollBarExtent, h - hs.Height);
      hs.Left = label.Left + label.Width + kScrollBarLabelGap;
      hs.Top = std::max(kMinScrollBarExtent, h - hs.Height);
      hs.Width = std::max(kMinScrollBarExtent, w - label.Left - label.Width - vs.Width - kScrollBarLabelGap);
    } else {
      hs.Left = 0;
      hs.Top = std::max(kMinScrollBarExtent, h - hs.Height);
      hs.Width = std::max(kMinScrollBarExtent, w - vs.Width);
    }
    state.Label1.Top = h - state.Label1.Height - kLabelBottomGap;
    SetScrollBars(state, r);
  });
}

}  // namespace plotara
