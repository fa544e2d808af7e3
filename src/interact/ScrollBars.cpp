#include "interact/ScrollBars.h"

#include <algorithm>
#include <cmath>

#include "model/Graphs.h"
#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "scale/NumericHelpers.h"
#include "model/Layout.h"

namespace plotara {

namespace {

// Thumb size and position of one bar for an axis: the view lo..hi within the full range, in the axis's
// own scale (logarithmic axes in log space).
void PlaceThumb(Control& c, ScrollBarElement& bar, const AxisRecord& a, bool vertical) {
  const double lo = xxLog(c, a.AxisValue1, a.AxisLog), hi = xxLog(c, a.AxisValue2, a.AxisLog);
  const double flo = xxLog(c, a.ScaleMin, a.AxisLog), fhi = xxLog(c, a.ScaleMax, a.AxisLog);
  const double r = std::fabs(CheckedDivide(hi - lo, fhi - flo));
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

}  // namespace

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
      hs.Width = std::max(kMinScrollBarExtent, w - c.Label1.Left - c.Label1.Width - vs.Width - kScrollBarLabelGap);
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
