#include "interact/ScrollBars.h"

#include <algorithm>
#include <cmath>

#include "model/Graphs.h"
#include "model/Layout.h"
#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "render/Pipeline.h"
#include "scale/NumericHelpers.h"

namespace plotara {

namespace {

// Thumb size and position of one bar for an axis: the view lo..hi within the full range, in the axis's
// own scale (logarithmic axes in log space).
void PlaceThumb(Control& c, ScrollBarElement& bar, const AxisRecord& a, bool vertical) {
  const double lo = xxLog(c, a.AxisValue1, a.AxisLog), hi = xxLog(c, a.AxisValue2, a.AxisLog);
  const double flo = xxLog(c, a.ScaleMin, a.AxisLog), fhi = xxLog(c, a.ScaleMax, a.AxisLog);
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
void Pan(Control& c, int16_t kind, const ScrollBarElement& bar) {
  if (c.PointedGraph < 0) return;
  GraphRecord& g = c.Graph(c.PointedGraph);
  int16_t& current = kind == kXAxis ? g.CurrentXAxis : g.CurrentYAxis;
  const int16_t saved = current;
  for (int16_t i = 0; i < g.NumAxes(); ++i) {
    AxisRecord& a = g.Axes[static_cast<size_t>(i)];
    if (a.XY != kind) continue;
    current = i;
    const bool log = a.AxisLog && a.AxisValue1 > 0 && a.AxisValue2 > 0 && a.ScaleMin > 0 && a.ScaleMax > 0;
    const double lo = xxLog(c, a.AxisValue1, log), hi = xxLog(c, a.AxisValue2, log);
    const double flo = xxLog(c, a.ScaleMin, log), fhi = xxLog(c, a.ScaleMax, log);
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
    a.AxisValue1 = xxExp(c, L, log);
    a.AxisValue2 = xxExp(c, L + span, log);
  }
  current = saved;
  RefreshGraphs(DrawingOf(c), c.PointedGraph, true);
}

}  // namespace

void HScroll1_Change(Control& c) {
  c.Guard("HScroll1_Change", [&] { Pan(c, kXAxis, c.HScroll1); });
}

void VScroll1_Change(Control& c) {
  c.Guard("VScroll1_Change", [&] { Pan(c, kYAxis, c.VScroll1); });
}

void HScroll1_Scroll(Control& c) {
  c.Guard("HScroll1_Scroll", [&] {
    if (!c.RefreshInProgress) HScroll1_Change(c);
  });
}

void VScroll1_Scroll(Control& c) {
  c.Guard("VScroll1_Scroll", [&] {
    if (!c.RefreshInProgress) VScroll1_Change(c);
  });
}

void SetScrollBars(Control& c) {
  c.Guard("SetScrollBars", [&] {
    if (!c.ScrollBarsVisible) {
      c.HScroll1.Visible = false;
      c.VScroll1.Visible = false;
      return;
    }
    ScopedFlag updating(c.ScrollUpdating);
    GraphRecord& g = c.Current();
    PlaceThumb(c, c.HScroll1, AxisAt(g, g.CurrentXAxis), false);
    PlaceThumb(c, c.VScroll1, AxisAt(g, g.CurrentYAxis), true);
    c.HScroll1.Visible = c.VScroll1.Visible = g.GraphAllowZoom;
  });
}

void ResizeScrollBars(Control& c) {
  c.Guard("ResizeScrollBars", [&] {
    const float w = c.ClientWidth, h = c.ClientHeight;
    ScrollBarElement& hs = c.HScroll1;
    ScrollBarElement& vs = c.VScroll1;
    if (c.Label1.Visible) {
      vs.Left = std::max(kMinScrollBarExtent, w - vs.Width);
      vs.Top = 0;
      vs.Height = std::max(kMinScrollBarExtent, h - hs.Height);
      hs.Left = c.Label1.Left + c.Label1.Width + kScrollBarLabelGap;
      hs.Top = std::max(kMinScrollBarExtent, h - hs.Height);
      hs.Width =
          std::max(kMinScrollBarExtent, w - c.Label1.Left - c.Label1.Width - vs.Width - kScrollBarLabelGap);
    } else {
      hs.Left = 0;
      hs.Top = std::max(kMinScrollBarExtent, h - hs.Height);
      hs.Width = std::max(kMinScrollBarExtent, w - vs.Width);
    }
    c.Label1.Top = h - c.Label1.Height - kLabelBottomGap;
    SetScrollBars(c);
  });
}

}  // namespace plotara
