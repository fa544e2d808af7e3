// Axes sections: the graph's axes and title; scaling an axis before it is drawn; X axes; Y axes; grid
// lines.
#include "render/Axes.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/Graphs.h"
#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "render/Pipeline.h"
#include "render/Text.h"
#include "scale/AutoScale.h"
#include "scale/Mapping.h"
#include "scale/NumberFormat.h"
#include "scale/NumericHelpers.h"

namespace plotara {

namespace {

// Makes an axis the current one of its kind for the length of a scope, and puts the previous one back.
class CurrentAxisScope {
 public:
  CurrentAxisScope(GraphRecord& g, int16_t xy, int16_t index)
      : slot_(xy == 0 ? g.CurrentXAxis : g.CurrentYAxis), saved_(slot_) {
    slot_ = index;
  }
  ~CurrentAxisScope() { slot_ = saved_; }

 private:
  int16_t& slot_;
  int16_t saved_;
};

// The limits an axis is drawn with. An automatic axis gets its divisions from AutoScale and, when due,
// round limits from its data, which become its limits in use and its full range. A logarithmic axis
// whose limits are not both positive loses its logarithmic setting.
void ScaleAxis(Control& c, AxisRecord& a, float& x1, float& x2) {
  x1 = CSng(a.AxisValue1);
  x2 = CSng(a.AxisValue2);
  const bool log = a.AxisLog;
  if (a.AxisScale == 0) {
    if (a.AxisLog && (x1 <= 0 || x2 <= 0)) a.RescalePending = true;
    if (a.RescalePending) {
      x1 = CSng(a.DataMin);
      x2 = CSng(a.DataMax);
    }
    AutoScale(c, x1, x2, a.AxisMajorDivs, a.AxisMinorDivs, a.AxisDP, a.AxisLog);
    if (a.RescalePending) {
      a.AxisValue1 = a.ScaleMin = x1;
      a.AxisValue2 = a.ScaleMax = x2;
      c.RaiseGraphScaleChanged();
      a.RescalePending = false;
    }
  }
  SetScrollBarsVisibility(c);
  a.AxisLog = log;
  if (x1 <= 0 || x2 <= 0) a.AxisLog = false;
}

// The value of major tick j: whole decades on a logarithmic axis, equal steps on a linear one.
double MajorValue(const AxisRecord& a, float x1, float x2, int j) {
  if (a.AxisLog) return std::pow(10.0, std::floor(std::log10(static_cast<double>(x1))) + j);
  return x1 + (static_cast<double>(x2) - x1) * j / std::max<int>(a.AxisMajorDivs, 1);
}

// The value of minor tick k (2..AxisMinorDivs) after the major value v.
double MinorValue(const AxisRecord& a, float x1, float x2, double v, int k) {
  if (a.AxisLog) return k * v;
  const int16_t divisions = CInt(static_cast<double>(a.AxisMajorDivs) * a.AxisMinorDivs);
  return v + (static_cast<double>(x2) - x1) * (k - 1) / std::max<int>(divisions, 1);
}

std::string TickLabel(Control& c, const AxisRecord& a, double v, const std::string& token) {
  if (a.AxisScale == 2) return token;
  int16_t digits = 6, style = 2;
  return Format_Real(c, v, 0, digits, style, 1);
}

int16_t HeightOfA(Surface& s) { return CInt(s.TextHeight("A")); }

}  // namespace

// ---------------------------------------------------------------- the graph's axes and title

void GraphAxes(Control& c, Surface& s) {
  c.Guard("GraphAxes", [&] {
    GraphRecord& g = c.Current();
    AxisAt(g, g.CurrentXAxis).AxisLength = MaxInt(100, CInt(g.RectWidth - g.BorderLeft - g.BorderRight));
    AxisAt(g, g.CurrentYAxis).AxisLength = MaxInt(100, CInt(g.RectHeight - g.BorderTop - g.BorderBottom));
    DrawPlotArea(c, s);
    for (int xy = 0; xy <= 1; ++xy) {
      bool first = true;
      for (int16_t i = 0; i < g.NumAxes(); ++i) {
        if (g.Axes[static_cast<size_t>(i)].XY != xy) continue;
        const int16_t current = xy == 0 ? g.CurrentXAxis : g.CurrentYAxis;
        g.Axes[static_cast<size_t>(i)].AxisLength = AxisAt(g, current).AxisLength;
        if (xy == 0) {
          DrawXAxis(c, s, i, first);
        } else {
          DrawYAxis(c, s, i, first);
        }
        first = false;
      }
    }
    if (g.GraphShowTitle) {
      const PlotBox p = PlotOf(g);
      const float x = Max(0.0f, p.L + p.XL / 2 + (g.GraphTitleHShift + 1) * c.UnitsPerMmX);
      const float y = Max(0.0f, p.T - g.AxisSpaceAbove - (g.GraphTitleVShift + 1) * c.UnitsPerMmY);
      PrintText(c, s, c.GraphNames[static_cast<size_t>(c.CurrentGraph)], x, y, 1, 2, g.GraphTitleColor,
                g.GraphTitleFont, 0);
    }
  });
}

// ---------------------------------------------------------------- X axes

void DrawXAxis(Control& c, Surface& s, int16_t index, bool first) {
  c.Guard("DrawXAxis", [&] {
    GraphRecord& g = c.Current();
    CurrentAxisScope current(g, 0, index);
    auto& space = c.AxisSpace;
    if (first) space.Below = space.Above = 0;
    AxisRecord& a = AxisAt(g, index);
    if (a.AxisHide) return;
    float x1, x2;
    ScaleAxis(c, a, x1, x2);
    const PlotBox p = PlotOf(g);
    const float mmY = c.UnitsPerMmY;

    float extent = 0;  // the space the labels take across the axis
    float o = 0;       // label offset, kept from pass to pass
    int16_t M = 0;     // the block the axis takes, labels and title
    const int passes = a.AxisTicksBothEnds ? 2 : 1;
    for (int pass = 1; pass <= passes; ++pass) {
      float t = a.AxisTickLength, m = 0.7f * t, y;
      if (a.AxisTicksOutside) o += std::fabs(2 * t);
      o -= a.AxisLabelShift * mmY;
      if (pass == 1) {
        t = -t;  // inward is upward for an axis below the plot
        m = -m;
        y = a.AxisFarSide ? p.T - space.Above : p.B + space.Below;
        s.DrawWidth = std::max<int>(a.AxisThickness, 1);
        s.Line(p.L, y, p.R, y, a.AxisColor);
      } else {
        y = p.T;
      }
      if (a.AxisFarSide) {
        t = -t;
        m = -m;
        o = -o;
        if (pass == 2) y = p.T + p.YL;
      }
      const float to = a.AxisTicksOutside ? t : 0, mo = a.AxisTicksOutside ? m : 0;
      if (!a.AxisTicksInside) t = m = 0;
      s.DrawWidth = std::max<int>(a.AxisTickThickness, 1);

      std::string tokens = a.AxisTextLabels;
      for (int j = 0; j <= a.AxisMajorDivs; ++j) {
        const std::string token = a.AxisScale == 2 ? NextToken(c, tokens) : std::string();
        const double v = MajorValue(a, x1, x2, j);
        const float px = PosX(c, v);
        if (p.L <= px && px <= p.R) {
          if (pass == 1) {
            GridLine(c, s, px, true, true);
            if (a.AxisShowLabels) {
              const std::string label = TickLabel(c, a, v, token);
              SetGraphFont(c, s, a.AxisLabelFont);  // measure in the font the label is printed in
              if (a.AxisLabelsHoriz == 0) {
                extent = HeightOfA(s);
                const float shift = a.AxisFarSide ? extent : 0;
                PrintText(c, s, label, px, y + o / 2 - shift, 1, 0, a.AxisLabelColor, a.AxisLabelFont, 0);
              } else {
                const float rise = static_cast<float>(s.TextWidth(label) * std::sin(a.AxisLabelsHoriz * 0.01745));
                extent = std::max(extent, rise);
                const float shift = a.AxisFarSide ? extent : 0;
                PrintText(c, s, label, px, y + o / 2 - shift, 2, 1, a.AxisLabelColor, a.AxisLabelFont,
                          a.AxisLabelsHoriz);
              }
            }
          }
          s.Line(px, y - to, px, y + t, a.AxisColor);
        }
        for (int k = 2; k <= a.AxisMinorDivs; ++k) {
          const float q = PosX(c, MinorValue(a, x1, x2, v, k));
          if (p.L <= q && q <= p.R) {
            if (pass == 1) GridLine(c, s, q, true, false);
            s.Line(q, y - mo, q, y + m, a.AxisColor);
          }
        }
      }
      if (pass == 1) {
        M = CInt(extent - a.AxisTitleShift * mmY);
        if (a.AxisTicksOutside) M = AddInt16(M, a.AxisTickLength);
        const int16_t h = HeightOfA(s);
        const float titleY = a.AxisFarSide ? p.T - space.Above - M - h : p.B + space.Below + M;
        if (a.AxisShowTitle)
          PrintText(c, s, a.AxisTitle, p.L + p.XL / 2, titleY, 1, 0, a.AxisTitleColor, a.AxisTitleFont, 0);
        M = AddInt16(M, HeightOfA(s));
      }
    }
    if (a.AxisShowTitle) M = AddInt16(M, HeightOfA(s));
    if (a.AxisFarSide) {
      space.Above = AddInt16(space.Above, M);
    } else {
      space.Below = AddInt16(space.Below, M);
    }
    g.AxisSpaceAbove = space.Above;
    s.ForeColor = 0;
  });
}

// ---------------------------------------------------------------- Y axes

void DrawYAxis(Control& c, Surface& s, int16_t index, bool first) {
  c.Guard("DrawYAxis", [&] {
    GraphRecord& g = c.Current();
    CurrentAxisScope current(g, 1, index);
    auto& space = c.AxisSpace;
    if (first) space.Left = space.Right = 0;
    AxisRecord& a = AxisAt(g, index);
    if (a.AxisHide) return;
    float y1, y2;
    ScaleAxis(c, a, y1, y2);
    const PlotBox p = PlotOf(g);
    const float mmX = c.UnitsPerMmX;

    const float axisX = a.AxisFarSide ? p.R + space.Right : p.L - space.Left;
    s.DrawWidth = std::max<int>(a.AxisThickness, 1);
    s.Line(axisX, p.T, axisX, p.B, a.AxisColor);

    float extent = 0;
    float o = 0;
    int16_t M = 0;
    const int passes = a.AxisTicksBothEnds ? 2 : 1;
    for (int pass = 1; pass <= passes; ++pass) {
      float t = a.AxisTickLength, m = 0.75f * t, x;
      if (a.AxisTicksOutside) o += std::fabs(t);
      o -= a.AxisLabelShift * mmX;
      if (pass == 1) {
        x = axisX;  // inward is to the right for an axis left of the plot
      } else {
        x = p.R;
        t = -t;
        m = -m;
      }
      if (a.AxisFarSide) {
        t = -t;
        m = -m;
        o = -o;
        if (pass == 2) x = p.L;
      }
      const float to = a.AxisTicksOutside ? t : 0, mo = a.AxisTicksOutside ? m : 0;
      if (!a.AxisTicksInside) t = m = 0;
      s.DrawWidth = std::max<int>(a.AxisTickThickness, 1);

      std::string tokens = a.AxisTextLabels;
      for (int j = 0; j <= a.AxisMajorDivs; ++j) {
        const std::string token = a.AxisScale == 2 ? NextToken(c, tokens) : std::string();
        const double v = MajorValue(a, y1, y2, j);
        const float py = PosY(c, v);
        const bool strictlyInside = p.T < py && py < p.B;
        if (p.T <= py && py <= p.B) {
          if (pass == 1) {
            if (strictlyInside) GridLine(c, s, py, false, true);
            if (a.AxisShowLabels) {
              const std::string label = TickLabel(c, a, v, token);
              SetGraphFont(c, s, a.AxisLabelFont);
              const int16_t angle = a.AxisLabelsHoriz;
              int16_t hAlign = 2, vAlign = 1;
              if (angle == 90) {
                hAlign = 1;
                vAlign = 2;
                extent = HeightOfA(s);
              } else {
                extent = std::max(extent, static_cast<float>(s.TextWidth(label) * std::cos(angle * 0.01745)));
              }
              const float shift = a.AxisFarSide ? extent : 0;
              PrintText(c, s, label, x - o + shift, py, hAlign, vAlign, a.AxisLabelColor, a.AxisLabelFont, angle);
            }
          }
          s.Line(x - to, py, x + t, py, a.AxisColor);
        }
        for (int k = 2; k <= a.AxisMinorDivs; ++k) {
          const float q = PosY(c, MinorValue(a, y1, y2, v, k));
          if (p.T <= q && q <= p.B) {
            if (pass == 1 && strictlyInside) GridLine(c, s, q, false, false);
            s.Line(x - mo, q, x + m, q, a.AxisColor);
          }
        }
      }
      if (pass == 1) {
        const int16_t h = HeightOfA(s);
        M = CInt(extent + h - a.AxisTitleShift * mmX);
        int16_t distance = CInt(extent + CInt(0.6 * h - a.AxisTitleShift * mmX));
        if (a.AxisTicksOutside) {
          M = AddInt16(M, a.AxisTickLength);
          distance = AddInt16(distance, a.AxisTickLength);
        }
        if (a.AxisShowTitle) {
          SetGraphFont(c, s, a.AxisTitleFont);
          const int32_t width = CLng(s.TextWidth(a.AxisTitle));
          const float titleX = a.AxisFarSide ? p.R + space.Right + distance : p.L - space.Left - distance;
          const float titleY = p.T + static_cast<int32_t>(p.YL) / 2 + width / 2;
          PrintText(c, s, a.AxisTitle, titleX, titleY, 0, 1, a.AxisTitleColor, a.AxisTitleFont, 90);
          M = AddInt16(M, HeightOfA(s));
        }
      }
    }
    if (a.AxisFarSide) {
      space.Right = AddInt16(space.Right, M);
    } else {
      space.Left = AddInt16(space.Left, M);
    }
    s.ForeColor = 0;
  });
}

// ---------------------------------------------------------------- grid lines

void GridLine(Control& c, Surface& s, float position, bool vertical, bool major) {
  const OleColor colour = s.ForeColor;
  const int width = s.DrawWidth;
  c.Guard("GridLine", [&] {
    s.DrawWidth = 1;
    GraphRecord& g = c.Current();
    const PlotBox p = PlotOf(g);
    const AxisRecord& a = AxisAt(g, vertical ? g.CurrentXAxis : g.CurrentYAxis);
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
