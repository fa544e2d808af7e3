// DataPlot sections: the data sets of a graph; one point; function curves; data texts; colours and errors.
#include "render/DataPlot.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <optional>
#include <vector>

#include "model/Lookup.h"
#include "model/TimeOrigin.h"
#include "platform/Conversions.h"
#include "render/Bars.h"
#include "render/LinePath.h"
#include "render/Pipeline.h"
#include "render/SourceLine.h"
#include "render/SymbolStamp.h"
#include "render/Symbols.h"
#include "render/Text.h"
#include "scale/Mapping.h"
#include "scale/NumericHelpers.h"

namespace plotara {

namespace {

bool Finite(const Point& p) {
  return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.E);
}

// The pen of a data set's connecting line.
void LinePen(Surface& s, const DataSetRecord& data) {
  s.DrawStyle = data.DataLineStyle == kLineSolid ? LineKind::Solid : LineKind::Dot;
  s.DrawWidth = std::max<int>(1, data.DataLineThickness);
  s.ForeColor = data.DataLineColor;
}

bool StampSymbols(ErrorReporter& r, Surface& s, const ItemView& item);
void DrawCurve(Drawing& d, Surface& s, const GraphRecord& g, int16_t index);
void DrawDataText(const ControlState& state, ErrorReporter& r, Surface& s, const GraphRecord& g,
                  const DataSetRecord& data);

}  // namespace

// ---------------------------------------------------------------- the data sets of a graph

void PlotDataSets(Drawing& d, Surface& s) {
  const ControlState& state = d.State;
  Notifier& n = d.Notify;
  n.Guard("PlotDataSets", [&] {
    ClipGraphArea(state, n, s, kAreaPlot);
    const GraphRecord& g = state.Current();
    int32_t maxBarPoints = 0;
    for (const DataSetRecord& data : g.DataSets)
      if (data.DataSymbol == kSymbolBar) maxBarPoints = std::max(maxBarPoints, data.PointCount);
    // The running tops of the bar stacks, per point index (1-based).
    std::vector<double> stackX(static_cast<size_t>(maxBarPoints) + 1, 0.0), stackY(stackX);
    const Point* points = g.Points.Data();
    size_t pointIndex = 0;
    for (int16_t i = 0; i < g.NumDataSets(); ++i) {
      const DataSetRecord& data = g.DataSets[static_cast<size_t>(i)];
      const size_t start = pointIndex;
      pointIndex += static_cast<size_t>(std::max<int32_t>(data.PointCount, 0));
      if (data.DataHide) continue;  // its points are skipped by count
      const int32_t count = data.PointCount;
      if (count > 0) {
        if (data.DataSymbol == kSymbolBar && !data.BarStacked) {
          std::fill(stackX.begin(), stackX.end(), 0.0);  // a stack restarts at every unstacked bar set
          std::fill(stackY.begin(), stackY.end(), 0.0);
        }
        const ItemView item(g, i, points + start, state.UnitsPerMmX, state.UnitsPerMmY);
        // Limits that single precision cannot hold (an automatic scale rounded past it) place no point:
        // one report for the data set rather than one a point.
        const bool placeable = Guarded(n, "DataPointXY", [&] {
          for (const AxisRecord* a : {&item.XAxis, &item.YAxis}) {
            CSng(a->AxisValue1);
            CSng(a->AxisValue2);
          }
        });
        if (!placeable) continue;
        s.DrawStyle = LineKind::Solid;
        // Lines: a segment is drawn when at least one end lies within both axis ranges; points that are not
        // finite are left out and the line goes on from the last point that was drawn.
        if (data.DataLineStyle > kLineNone) {
          LinePen(s, data);
          DrawDataLine(s, LineOf(item));
          s.DrawStyle = LineKind::Solid;
        }
        // Symbols or bars, over the lines. Points that are only joined by the line need no pass; the pen is
        // left as the pass would leave it, hollow.
        const bool marks = data.DataSymbol != kSymbolNone || (data.ShowErrorBar && data.Index.AnyError());
        if (!marks) {
          SymbolPen(s, data.DataFill);
          s.FillStyle = FillKind::Transparent;
        }
        const bool stamped = marks && StampSymbols(n, s, item);
        for (int32_t j = 1; marks && !stamped && j <= count; ++j) {
          const Point& pt = item.Points[j - 1];
          if (!Finite(pt)) continue;
          double x = pt.X, y = pt.Y;
          if (data.DataSymbol == kSymbolBar) {
            const size_t k = static_cast<size_t>(j);
            if (data.BarStacked) {
              if (data.BarHoriz) {
                x += stackX[k];
              } else {
                y += stackY[k];
              }
            }
            DataPointXY(n, s, item, kSymbolBar, x, y, pt.E, data.DataSymbolSize, stackX[k], stackY[k]);
            stackX[k] = x;
            stackY[k] = y;
          } else {
            DataPointXY(n, s, item, data.DataSymbol, x, y, pt.E, data.DataSymbolSize, 0, 0);
          }
        }
      }
      if (data.Feed && data.DataLineStyle > kLineNone) {
        LinePen(s, data);
        DrawSourceLine(d, s, ItemView(g, i, nullptr, state.UnitsPerMmX, state.UnitsPerMmY), *data.Feed);
        s.DrawStyle = LineKind::Solid;
      }
      if (!data.MathFunc.empty() && data.DataLineStyle != kLineNone) DrawCurve(d, s, g, i);
      if (!data.DataText.empty()) DrawDataText(state, n, s, g, data);
    }
    s.DrawStyle = LineKind::Solid;
    ClipGraphArea(state, n, s, kAreaGraph);
    SetLineColor(n, s, 0);
  });
}

// ---------------------------------------------------------------- one point

void DataPointXY(ErrorReporter& r, Surface& s, const ItemView& item, int16_t Symbol, double X, double Y,
                 double E, int16_t Size, double StackBaseX, double StackBaseY) {
  Guarded(r, "DataPointXY", [&] {
    const AxisRecord& ax = item.XAxis;
    const AxisRecord& ay = item.YAxis;
    const float xa = CSng(ax.AxisValue1), xb = CSng(ax.AxisValue2), ya = CSng(ay.AxisValue1),
                yb = CSng(ay.AxisValue2);
    // A symbol just outside the range (by a thousandth of it) is still drawn.
    const float tolX = (ax.AxisLog ? xa : std::fabs(xb - xa)) / 1000,
                tolY = (ay.AxisLog ? ya : std::fabs(yb - ya)) / 1000;
    const float fx = static_cast<float>(X), fy = static_cast<float>(Y);
    const bool inside = fx >= xa - tolX && fx <= xb + tolX && fy >= ya - tolY && fy <= yb + tolY;
    if (Symbol != kSymbolBar && !inside) return;  // bars are always drawn; the clipping cuts them
    float px = item.PosX(X);
    const float py = item.PosY(Y);
    if (item.Data.ShowErrorBar) {
      if (E > 0) {
        ErrorBar(r, s, item, px, item.PosY(Y - E), item.PosY(Y + E));
      } else if (E < 0) {
        // A negative error is a horizontal bar of half-length |E|, mapped through the axis as it is drawn,
        // reversed or not, so that it stays centred on its point.
        HorizErrorBar(r, s, item, py, item.PosX(X - E), item.PosX(X + E));
      }
    }
    DataPoint(r, s, item, Symbol, px, py, Size, false, StackBaseX, StackBaseY);
  });
}

namespace {

// ---------------------------------------------------------------- stamped symbols

// The symbols of a data set as copies of one rasterised marker: the points DataPointXY would draw, in its
// order, each a copy. False, drawing nothing, where a copy could differ from drawing the marker (see
// SymbolStamp) or where error bars come between the markers.
bool StampSymbols(ErrorReporter& r, Surface& s, const ItemView& item) {
  const DataSetRecord& d = item.Data;
  if ((d.ShowErrorBar && d.Index.AnyError()) || s.DrawMode != PenMode::Copy ||
      !SymbolStamp::Stampable(d.DataSymbol))
    return false;
  const std::optional<Pen> pen = s.SelectPen(std::nullopt);
  s.SelectPen(pen);
  if (pen) return false;  // a selected pen would outline the rectangles
  const AxisRecord& ax = item.XAxis;
  const AxisRecord& ay = item.YAxis;
  for (const double v : {ax.AxisValue1, ax.AxisValue2, ay.AxisValue1, ay.AxisValue2})
    if (!(std::fabs(v) <= FLT_MAX)) return false;  // single limits that overflow fail point by point
  const SymbolStamp stamp(r, s, item, d.DataSymbol, d.DataSymbolSize);
  if (!stamp.Ready()) return false;
  // As in DataPointXY: a symbol just outside the range (by a thousandth of it) is still drawn.
  const float xa = CSng(ax.AxisValue1), xb = CSng(ax.AxisValue2), ya = CSng(ay.AxisValue1),
              yb = CSng(ay.AxisValue2);
  const float tolX = (ax.AxisLog ? xa : std::fabs(xb - xa)) / 1000,
              tolY = (ay.AxisLog ? ya : std::fabs(yb - ya)) / 1000;
  const float xLo = xa - tolX, xHi = xb + tolX, yLo = ya - tolY, yHi = yb + tolY;
  const double t = s.TwipsPerPixelX();
  // A marker of one colour stamped again where it already is changes nothing; one of several colours
  // may have been partly covered by a neighbour since, so only a repeat of the one just stamped is left
  // out. A smoothed marker blends its edge again each time, as drawing it again would: every copy counts.
  const int w = s.PixelWidth(), h = s.PixelHeight();
  std::vector<uint64_t> stampedAt;
  if (stamp.OneColour()) stampedAt.assign((static_cast<size_t>(w) * h + 63) / 64, 0);
  const bool skipRepeats = stamp.Opaque();
  int32_t lastX = INT32_MIN, lastY = INT32_MIN;
  float pageX = 0, pageY = 0;
  bool drew = false;
  const int32_t n = d.PointCount;
  for (int32_t j = 0; j < n; ++j) {
    const Point& pt = item.Points[j];
    if (!Finite(pt)) continue;
    if (!(pt.X >= xLo && pt.X <= xHi && pt.Y >= yLo && pt.Y <= yHi)) continue;
    const float px = item.PosX(pt.X), py = item.PosY(pt.Y);
    const int32_t ix = PixelOfPage(px, t), iy = PixelOfPage(py, t);
    pageX = px;
    pageY = py;
    drew = true;
    if (skipRepeats && ix == lastX && iy == lastY) continue;
    lastX = ix;
    lastY = iy;
    if (!stampedAt.empty() && ix >= 0 && ix < w && iy >= 0 && iy < h) {
      const size_t bit = static_cast<size_t>(iy) * w + ix;
      uint64_t& word = stampedAt[bit >> 6];
      const uint64_t mask = uint64_t{1} << (bit & 63);
      if (word & mask) continue;
      word |= mask;
    }
    stamp.Paint(s, ix, iy);
  }
  // The state drawing each marker leaves: its pen and brush, a hollow fill, and for circles the text
  // position at the last one.
  SymbolPen(s, d.DataFill);
  s.FillStyle = FillKind::Transparent;
  if (drew && d.DataSymbol == kSymbolCircle) {
    s.CurrentX = pageX;
    s.CurrentY = pageY;
  }
  return true;
}

// ---------------------------------------------------------------- function curves

// One segment per millimetre of horizontal extent. A value the function does not have (an evaluation
// error, a failing operation, a text) leaves a gap; the curve goes on at the next value it has.
void DrawCurve(Drawing& drawing, Surface& s, const GraphRecord& g, int16_t index) {
  const DataSetRecord& d = g.DataSets[static_cast<size_t>(index)];
  s.DrawStyle = d.DataLineStyle == kLineSolid ? LineKind::Solid : LineKind::Dot;
  s.DrawWidth = std::max<int>(1, d.DataLineThickness);
  s.ForeColor = d.DataLineColor;
  const ItemView item(g, index, nullptr, drawing.State.UnitsPerMmX, drawing.State.UnitsPerMmY);
  const AxisRecord& ax = item.XAxis;
  double xa = ax.AxisValue1, xb = ax.AxisValue2;
  if (!(d.MathFuncX1 == 0 && d.MathFuncX2 == 0)) {
    const double lo = AxisValueOf(ax, std::min(d.MathFuncX1, d.MathFuncX2)),
                 hi = AxisValueOf(ax, std::max(d.MathFuncX1, d.MathFuncX2));
    if (xa < xb) {
      xa = std::max(xa, lo);
      xb = std::min(xb, hi);
    } else {
      xa = std::min(xa, lo);
      xb = std::max(xb, hi);
    }
  }
  try {
    const int16_t steps = CInt(std::fabs(item.PosX(xb) - item.PosX(xa)) / item.UnitsPerMmX);
    const double dx = CheckedDivide(xb - xa, steps);
    double la = 0, dl = 0;
    if (ax.AxisLog) {
      la = Ln(xa);
      dl = (Ln(xb) - la) / steps;
    }
    CExpression& e = drawing.Tools.Evaluator();
    e.ResetVariables();
    e.Expression(d.MathFunc);
    if (CheckError(e)) return;  // no curve for a formula that does not compile
    // The x of every segment end, then the formula at all of them in one pass. The formula sees x as
    // the host gives it: on a time axis the instant, not the axis's offset.
    std::vector<double> xs(static_cast<size_t>(steps) + 1), hostXs(xs.size()), ys(xs.size());
    xs[0] = xa;
    for (int k = 1; k <= steps; ++k) xs[k] = ax.AxisLog ? std::exp(la + k * dl) : xs[k - 1] + dx;
    for (size_t k = 0; k < xs.size(); ++k) hostXs[k] = HostValueOf(ax, xs[k]);
    CVariable* x = e.Variable("x", true, hostXs[0]);
    e.Values(*x, hostXs, ys);
    // The value of the function at x = hostXs[k], or false where it has none. Where the array gave
    // NaN, Value decides: it fails there, or gives the default value after an error, or a NaN.
    auto valueAt = [&](size_t k, double& y) {
      if (!std::isnan(ys[k])) {
        y = ys[k];
        return std::isfinite(y);
      }
      try {
        x->Value = hostXs[k];
        const ExprValue v = e.Value();
        if (e.ErrorCode() != 0 || !v.Deref().IsNumeric()) {
          e.ClearError();
          return false;
        }
        y = v.Deref().Number();
        return std::isfinite(y);
      } catch (const RuntimeError&) {
        return false;
      }
    };
    double y0 = 0;
    bool have0 = valueAt(0, y0);
    for (int k = 1; k <= steps; ++k) {
      double yk = 0;
      const bool haveK = valueAt(k, yk);
      if (have0 && haveK) s.Line(item.PosX(xs[k - 1]), item.PosY(y0), item.PosX(xs[k]), item.PosY(yk));
      y0 = yk;
      have0 = haveK;
    }
  } catch (const RuntimeError&) {
    // A curve that cannot be laid out (no extent, no positive range on a logarithmic axis) is not drawn.
  }
  s.DrawStyle = LineKind::Solid;
}

// ---------------------------------------------------------------- data texts

// Placed through the graph's current axes, not the data set's.
void DrawDataText(const ControlState& state, ErrorReporter& r, Surface& s, const GraphRecord& g,
                  const DataSetRecord& d) {
  float px, py;
  if (d.DataTextPercent) {
    // Percentages of the plot area of the graph's current axes, Y counted from the bottom.
    const PlotBox p = PlotOf(g);
    px = static_cast<float>(g.RectLeft + g.BorderLeft + p.XL * d.DataTextX / 100);
    py = static_cast<float>(g.RectTop + g.BorderTop + (100 - d.DataTextY) * p.YL / 100);
  } else {
    // PosX and PosY fail (and report) without the current axes; a missing one counts from 0.
    const auto origin = [&](int16_t axis) {
      return axis < g.NumAxes() && axis >= 0 ? g.Axes[static_cast<size_t>(axis)].TimeOrigin : 0;
    };
    px = PosX(state, r, d.DataTextX - origin(g.CurrentXAxis));
    py = PosY(state, r, d.DataTextY - origin(g.CurrentYAxis));
  }
  // DataTextOri numbers the nine anchors row by row: horizontal alignment + 3 x vertical alignment.
  PrintText(r, s, d.DataText, px, py, d.DataTextOri % 3, d.DataTextOri / 3, d.DataTextColor, d.DataTextFont,
            d.DataTextAngle);
}

}  // namespace

// ---------------------------------------------------------------- colours and errors

void SetLineColor(ErrorReporter& r, Surface& s, int32_t Code) {
  Guarded(r, "SetLineColor", [&] {
    static constexpr OleColor kCodes[8] = {0x000000, 0xFF0000, 0x0000FF, 0x00FF00,
                                           0x00FFFF, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    s.ForeColor = Code >= 0 && Code <= 7 ? kCodes[Code] : Code;
  });
}

bool CheckError(const CExpression& e) {
  return e.ErrorCode() != 0;
}

}  // namespace plotara
