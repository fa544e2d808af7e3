// DataPlot sections: the data sets of a graph; one point; function curves; data texts; colours and errors.
#include "render/DataPlot.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <optional>
#include <vector>

#include "model/Graphs.h"
#include "model/Lookup.h"
#include "platform/Conversions.h"
#include "render/Bars.h"
#include "render/LinePath.h"
#include "render/Painters.h"
#include "render/Pipeline.h"
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

bool StampSymbols(Control& c, Surface& s, int16_t graph, int16_t data, const Point* points);
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
          if (line.xNonDecreasing) line.index = &d.Index;
          DrawDataLine(s, line);
          s.DrawStyle = LineKind::Solid;
        }
        // Symbols or bars, over the lines. Points that are only joined by the line need no pass; the pen is
        // left as the pass would leave it, hollow.
        const bool marks = d.DataSymbol != kSymbolNone || (d.ShowErrorBar && d.Index.AnyError());
        if (!marks) {
          SymbolPen(s, d.DataFill);
          s.FillStyle = FillKind::Transparent;
        }
        const bool stamped = marks && StampSymbols(c, s, graph, i, points + start);
        for (int32_t j = 1; marks && !stamped && j <= n; ++j) {
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

void DataPointXY(Control& c, Surface& s, int16_t GraphIndex, int16_t DataIndex, int16_t Symbol, double X,
                 double Y, double E, int16_t Size, double StackBaseX, double StackBaseY) {
  c.Guard("DataPointXY", [&] {
    GraphRecord& g = c.Graph(GraphIndex);
    const AxisRecord& ax = AxisAt(g, g.CurrentXAxis);
    const AxisRecord& ay = AxisAt(g, g.CurrentYAxis);
    const float xa = CSng(ax.AxisValue1), xb = CSng(ax.AxisValue2), ya = CSng(ay.AxisValue1),
                yb = CSng(ay.AxisValue2);
    // A symbol just outside the range (by a thousandth of it) is still drawn.
    const float tolX = (ax.AxisLog ? xa : std::fabs(xb - xa)) / 1000,
                tolY = (ay.AxisLog ? ya : std::fabs(yb - ya)) / 1000;
    const float fx = static_cast<float>(X), fy = static_cast<float>(Y);
    const bool inside = fx >= xa - tolX && fx <= xb + tolX && fy >= ya - tolY && fy <= yb + tolY;
    if (Symbol != kSymbolBar && !inside) return;  // bars are always drawn; the clipping cuts them
    float px = PosX(c, c, X);
    const float py = PosY(c, c, Y);
    if (DataSetAt(g, DataIndex).ShowErrorBar) {
      if (E > 0) {
        ErrorBar(c, s, GraphIndex, DataIndex, px, PosY(c, c, Y - E), PosY(c, c, Y + E));
      } else if (E < 0) {
        // A negative error is a horizontal bar of half-length |E|, mapped through the axis as it is drawn,
        // reversed or not, so that it stays centred on its point.
        HorizErrorBar(c, s, GraphIndex, DataIndex, py, PosX(c, c, X - E), PosX(c, c, X + E));
      }
    }
    DataPoint(c, s, GraphIndex, DataIndex, Symbol, px, py, Size, false, StackBaseX, StackBaseY);
  });
}

namespace {

// ---------------------------------------------------------------- stamped symbols

// The symbols of a data set as copies of one rasterised marker: the points DataPointXY would draw, in its
// order, each a copy. False, drawing nothing, where a copy could differ from drawing the marker (see
// SymbolStamp) or where error bars come between the markers.
bool StampSymbols(Control& c, Surface& s, int16_t graph, int16_t data, const Point* points) {
  GraphRecord& g = c.Graph(graph);
  const DataSetRecord& d = g.DataSets[static_cast<size_t>(data)];
  if ((d.ShowErrorBar && d.Index.AnyError()) || s.DrawMode != PenMode::Copy ||
      !SymbolStamp::Stampable(d.DataSymbol))
    return false;
  const std::optional<Pen> pen = s.SelectPen(std::nullopt);
  s.SelectPen(pen);
  if (pen) return false;  // a selected pen would outline the rectangles
  const AxisRecord& ax = AxisAt(g, d.DataXAxis);
  const AxisRecord& ay = AxisAt(g, d.DataYAxis);
  for (const double v : {ax.AxisValue1, ax.AxisValue2, ay.AxisValue1, ay.AxisValue2})
    if (!(std::fabs(v) <= FLT_MAX)) return false;  // single limits that overflow fail point by point
  const SymbolStamp stamp(c, s, graph, data, d.DataSymbol, d.DataSymbolSize);
  if (!stamp.Ready()) return false;
  // As in DataPointXY: a symbol just outside the range (by a thousandth of it) is still drawn.
  const float xa = CSng(ax.AxisValue1), xb = CSng(ax.AxisValue2), ya = CSng(ay.AxisValue1),
              yb = CSng(ay.AxisValue2);
  const float tolX = (ax.AxisLog ? xa : std::fabs(xb - xa)) / 1000,
              tolY = (ay.AxisLog ? ya : std::fabs(yb - ya)) / 1000;
  const float xLo = xa - tolX, xHi = xb + tolX, yLo = ya - tolY, yHi = yb + tolY;
  const AxisMapping mx(g, ax, false), my(g, ay, true);
  const double t = s.TwipsPerPixelX();
  // A marker of one colour stamped again where it already is changes nothing; one of several colours
  // may have been partly covered by a neighbour since, so only a repeat of the one just stamped is left
  // out.
  const int w = s.PixelWidth(), h = s.PixelHeight();
  std::vector<uint64_t> stampedAt;
  if (stamp.OneColour()) stampedAt.assign((static_cast<size_t>(w) * h + 63) / 64, 0);
  int32_t lastX = INT32_MIN, lastY = INT32_MIN;
  float pageX = 0, pageY = 0;
  bool drew = false;
  const int32_t n = d.PointCount;
  for (int32_t j = 0; j < n; ++j) {
    const Point& pt = points[j];
    if (!Finite(pt)) continue;
    if (!(pt.X >= xLo && pt.X <= xHi && pt.Y >= yLo && pt.Y <= yHi)) continue;
    const float px = mx.Map(pt.X), py = my.Map(pt.Y);
    const int32_t ix = PixelOfPage(px, t), iy = PixelOfPage(py, t);
    pageX = px;
    pageY = py;
    drew = true;
    if (ix == lastX && iy == lastY) continue;
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
    const int16_t steps = CInt(std::fabs(PosX(c, c, xb) - PosX(c, c, xa)) / c.UnitsPerMmX);
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
      if (have0 && haveK) s.Line(PosX(c, c, x0), PosY(c, c, y0), PosX(c, c, xk), PosY(c, c, yk));
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
    px = PosX(c, c, d.DataTextX);
    py = PosY(c, c, d.DataTextY);
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
