// DataPlot sections: the data sets of a graph; one point; function curves; data texts; colours and errors.
#include "render/DataPlot.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/Painters.h"
#include "model/Graphs.h"
#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "render/Bars.h"
#include "render/LinePath.h"
#include "render/Pipeline.h"
#include "render/Symbols.h"
#include "render/Text.h"
#include "scale/Mapping.h"
#include "scale/NumericHelpers.h"

namespace plotara {

namespace {

bool Finite(const Point& p) { return std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.E); }

// Maps through a data set's own axes for the length of a scope, and puts the graph's current axes back,
// also when a failure ends the scope.
class DataSetAxes {
 public:
  DataSetAxes(GraphRecord& g, const DataSetRecord& d) : g_(g), x_(g.CurrentXAxis), y_(g.CurrentYAxis) {
    g.CurrentXAxis = d.DataXAxis;
    g.CurrentYAxis = d.DataYAxis;
  }
  ~DataSetAxes() {
    g_.CurrentXAxis = x_;
    g_.CurrentYAxis = y_;
  }
  DataSetAxes(const DataSetAxes&) = delete;
  DataSetAxes& operator=(const DataSetAxes&) = delete;

 private:
  GraphRecord& g_;
  int16_t x_, y_;
};

void DrawCurve(Control& c, Surface& s, GraphRecord& g, const DataSetRecord& d);
void DrawDataText(Control& c, Surface& s, GraphRecord& g, const DataSetRecord& d);

}  // namespace

// ---------------------------------------------------------------- the data sets of a graph

void PlotDataSets(Control& c, Surface& s) {
  c.Guard("PlotDataSets", [&] {
    ClipGraphArea(c, s, kAreaPlot);
    GraphRecord& g = c.Current();
    const int16_t graph = c.CurrentGraph;
    int32_t maxBarPoints = 0;
    for (const DataSetRecord& d : g.DataSets)
      if (d.DataSymbol == kSymbolBar) maxBarPoints = std::max(maxBarPoints, d.PointCount);
    // The running tops of the bar stacks, per point index (1-based).
    std::vector<double> stackX(static_cast<size_t>(maxBarPoints) + 1, 0.0), stackY(stackX);
    const Point* points = g.Points.Data();
    size_t pointIndex = 0;
    for (int16_t i = 0; i < g.NumDataSets(); ++i) {
      const DataSetRecord& d = g.DataSets[static_cast<size_t>(i)];
      const size_t start = pointIndex;
      pointIndex += static_cast<size_t>(std::max<int32_t>(d.PointCount, 0));
      if (d.DataHide) continue;  // its points are skipped by count
      const int32_t n = d.PointCount;
      if (n > 0) {
        if (d.DataSymbol == kSymbolBar && !d.BarStacked) {
          std::fill(stackX.begin(), stackX.end(), 0.0);  // a stack restarts at every unstacked bar set
          std::fill(stackY.begin(), stackY.end(), 0.0);
        }
        DataSetAxes axes(g, d);
        const AxisRecord& ax = AxisAt(g, d.DataXAxis);
        const AxisRecord& ay = AxisAt(g, d.DataYAxis);
        s.DrawStyle = LineKind::Solid;
        // Lines: a segment is drawn when at least one end lies within both axis ranges; points that are not
        // finite are left out and the line goes on from the last point that was drawn.
        if (d.DataLineStyle > kLineNone) {
          s.DrawStyle = d.DataLineStyle == kLineSolid ? LineKind::Solid : LineKind::Dot;
          s.DrawWidth = std::max<int>(1, d.DataLineThickness);
          s.ForeColor = d.DataLineColor;
          LineData line;
          line.points = points + start;
          line.count = static_cast<size_t>(n);
          line.mapX = AxisMapping(g, ax, false);
          line.mapY = AxisMapping(g, ay, true);
          line.x1 = ax.AxisValue1;
          line.x2 = ax.AxisValue2;
          line.y1 = ay.AxisValue1;
          line.y2 = ay.AxisValue2;
          line.xNonDecreasing = d.Index.NonDecreasing() && d.Index.Count() == line.count;
          DrawDataLine(s, line);
          s.DrawStyle = LineKind::Solid;
        }
        // Symbols or bars, over the lines; nothing to do for points that are only joined by the line.
        const bool marks = d.DataSymbol != kSymbolNone || d.ShowErrorBar;
        for (int32_t j = 1; marks && j <= n; ++j) {
          const Point& pt = points[start + static_cast<size_t>(j - 1)];
          if (!Finite(pt)) continue;
          double x = pt.X, y = pt.Y;
          if (d.DataSymbol == kSymbolBar) {
            const size_t k = static_cast<size_t>(j);
            if (d.BarStacked) {
              if (d.BarHoriz) {
                x += stackX[k];
              } else {
                y += stackY[k];
              }
            }
            DataPointXY(c, s, graph, i, kSymbolBar, x, y, pt.E, d.DataSymbolSize, stackX[k], stackY[k]);
            stackX[k] = x;
            stackY[k] = y;
          } else {
            DataPointXY(c, s, graph, i, d.DataSymbol, x, y, pt.E, d.DataSymbolSize, 0, 0);
          }
        }
      }
      if (!d.MathFunc.empty() && d.DataLineStyle != kLineNone) DrawCurve(c, s, g, d);
      if (!d.DataText.empty()) DrawDataText(c, s, g, d);
    }
    s.DrawStyle = LineKind::Solid;
    ClipGraphArea(c, s, kAreaGraph);
    SetLineColor(c, s, 0);
  });
}

// ---------------------------------------------------------------- one point

void DataPointXY(Control& c, Surface& s, int16_t GraphIndex, int16_t DataIndex, int16_t Symbol, double X, double Y,
                 double E, int16_t Size, double StackBaseX, double StackBaseY) {
  c.Guard("DataPointXY", [&] {
    GraphRecord& g = c.Graph(GraphIndex);
    const AxisRecord& ax = AxisAt(g, g.CurrentXAxis);
    const AxisRecord& ay = AxisAt(g, g.CurrentYAxis);
    const float xa = CSng(ax.AxisValue1), xb = CSng(ax.AxisValue2), ya = CSng(ay.AxisValue1), yb = CSng(ay.AxisValue2);
    // A symbol just outside the range (by a thousandth of it) is still drawn.
    const float tolX = (ax.AxisLog ? xa : std::fabs(xb - xa)) / 1000, tolY = (ay.AxisLog ? ya : std::fabs(yb - ya)) / 1000;
    const float fx = static_cast<float>(X), fy = static_cast<float>(Y);
    const bool inside = fx >= xa - tolX && fx <= xb + tolX && fy >= ya - tolY && fy <= yb + tolY;
    if (Symbol != kSymbolBar && !inside) return;  // bars are always drawn; the clipping cuts them
    float px = PosX(c, X);
    const float py = PosY(c, Y);
    if (DataSetAt(g, DataIndex).ShowErrorBar) {
      if (E > 0) {
        ErrorBar(c, s, GraphIndex, DataIndex, px, PosY(c, Y - E), PosY(c, Y + E));
      } else if (E < 0) {
        // A negative error is a horizontal bar of half-length |E|, mapped through the axis as it is drawn,
        // reversed or not, so that it stays centred on its point.
        HorizErrorBar(c, s, GraphIndex, DataIndex, py, PosX(c, X - E), PosX(c, X + E));
      }
    }
    DataPoint(c, s, GraphIndex, DataIndex, Symbol, px, py, Size, false, StackBaseX, StackBaseY);
  });
}

namespace {

// ---------------------------------------------------------------- function curves

// One segment per millimetre of horizontal extent. A value the function does not have (an evaluation
// error, a failing operation, a text) leaves a gap; the curve goes on at the next value it has.
void DrawCurve(Control& c, Surface& s, GraphRecord& g, const DataSetRecord& d) {
  s.DrawStyle = d.DataLineStyle == kLineSolid ? LineKind::Solid : LineKind::Dot;
  s.DrawWidth = std::max<int>(1, d.DataLineThickness);
  s.ForeColor = d.DataLineColor;
  DataSetAxes axes(g, d);
  const AxisRecord& ax = AxisAt(g, d.DataXAxis);
  double xa = ax.AxisValue1, xb = ax.AxisValue2;
  if (!(d.MathFuncX1 == 0 && d.MathFuncX2 == 0)) {
    const double lo = std::min(d.MathFuncX1, d.MathFuncX2), hi = std::max(d.MathFuncX1, d.MathFuncX2);
    if (xa < xb) {
      xa = std::max(xa, lo);
      xb = std::min(xb, hi);
    } else {
      xa = std::min(xa, lo);
      xb = std::max(xb, hi);
    }
  }
  try {
    const int16_t steps = CInt(std::fabs(PosX(c, xb) - PosX(c, xa)) / c.UnitsPerMmX);
    const double dx = CheckedDivide(xb - xa, steps);
    double la = 0, dl = 0;
    if (ax.AxisLog) {
      la = Ln(xa);
      dl = (Ln(xb) - la) / steps;
    }
    CExpression& e = Evaluator(c);
    e.ResetVariables();
    e.Expression(d.MathFunc);
    if (CheckError(c)) return;  // no curve for a formula that does not compile
    CVariable* x = e.Variable("x", true, xa);
    // The value of the function at the variable's current x, or false where it has none.
    auto valueAt = [&](double& y) {
      try {
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
    double x0 = xa, y0 = 0;
    bool have0 = valueAt(y0);
    for (int k = 1; k <= steps; ++k) {
      const double xk = ax.AxisLog ? std::exp(la + k * dl) : x0 + dx;
      x->Value = xk;
      double yk = 0;
      const bool haveK = valueAt(yk);
      if (have0 && haveK) s.Line(PosX(c, x0), PosY(c, y0), PosX(c, xk), PosY(c, yk));
      x0 = xk;
      y0 = yk;
      have0 = haveK;
    }
  } catch (const RuntimeError&) {
    // A curve that cannot be laid out (no extent, no positive range on a logarithmic axis) is not drawn.
  }
  s.DrawStyle = LineKind::Solid;
}

// ---------------------------------------------------------------- data texts

void DrawDataText(Control& c, Surface& s, GraphRecord& g, const DataSetRecord& d) {
  float px, py;
  if (d.DataTextPercent) {
    // Percentages of the plot area of the graph's current axes, Y counted from the bottom.
    const PlotBox p = PlotOf(g);
    px = static_cast<float>(g.RectLeft + g.BorderLeft + p.XL * d.DataTextX / 100);
    py = static_cast<float>(g.RectTop + g.BorderTop + (100 - d.DataTextY) * p.YL / 100);
  } else {
    px = PosX(c, d.DataTextX);
    py = PosY(c, d.DataTextY);
  }
  // DataTextOri numbers the nine anchors row by row: horizontal alignment + 3 x vertical alignment.
  PrintText(c, s, d.DataText, px, py, d.DataTextOri % 3, d.DataTextOri / 3, d.DataTextColor, d.DataTextFont,
            d.DataTextAngle);
}

}  // namespace

// ---------------------------------------------------------------- colours and errors

void SetLineColor(Control& c, Surface& s, int32_t Code) {
  c.Guard("SetLineColor", [&] {
    static constexpr OleColor kCodes[8] = {0x000000, 0xFF0000, 0x0000FF, 0x00FF00,
                                           0x00FFFF, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    s.ForeColor = Code >= 0 && Code <= 7 ? kCodes[Code] : Code;
  });
}

bool CheckError(Control& c) {
  bool failed = false;
  c.Guard("CheckError", [&] { failed = Evaluator(c).ErrorCode() != 0; });
  return failed;
}

}  // namespace plotara
