// DataSets sections: automatic style; creating data sets; points; functions and texts.
#include "model/DataSets.h"

#include <cmath>
#include <limits>

#include "model/Graphs.h"
#include "model/Lookup.h"
#include "model/TimeOrigin.h"
#include "platform/Conversions.h"

namespace plotara {

// ---------------------------------------------------------------- automatic style

void AutoDataStyle(ControlState& s, ErrorReporter& r, int16_t g, int16_t k) {
  Guarded(r, "AutoDataStyle", [&] {
    GraphRecord& graph = s.Graph(g);
    DataSetRecord& d = DataSetAt(graph, k);
    if (k == 0) {
      d.DataSymbolSize = CInt(0.8f * s.UnitsPerMmX);
      d.DataSymbol = kSymbolCircle;
      d.DataLineStyle = kLineNone;
      d.DataLineThickness = 1;
      d.BarShadowColor = 0x00646464;
      d.ShowErrorBar = true;
    } else {
      const DataSetRecord& p = graph.DataSets[static_cast<size_t>(k - 1)];
      d.DataSymbolSize = p.DataSymbolSize;
      d.DataLineStyle = p.DataLineStyle;
      d.DataLineThickness = p.DataLineThickness;
      d.ShowErrorBar = p.ShowErrorBar;
      d.BarHoriz = p.BarHoriz;
      d.Bar3D = p.Bar3D;
      d.BarStacked = p.BarStacked;
      d.BarBaseValue = p.BarBaseValue;
      d.BarOffset = p.BarOffset;
      d.BarBase = p.BarBase;
      d.BarShadowColor = p.BarShadowColor;
      d.BarShadow = p.BarShadow;
      d.DataTextColor = p.DataTextColor;
      const int next = p.DataSymbol + 1;
      d.DataSymbol = static_cast<int16_t>(next > kSymbolCross ? kSymbolCircle : next);
      d.MathFunc.clear();
      d.DataText.clear();
      d.DataTextFont.clear();
      d.MathFuncX1 = d.MathFuncX2 = 0;
      d.DataTextX = d.DataTextY = 0;
      d.DataTextOri = 0;
      d.DataTextAngle = 0;
      d.DataTextPercent = false;
    }
    d.DataHide = false;
    static constexpr OleColor kCycle[6] = {0x00FF0000, 0x000000FF, 0x0000FF00,
                                           0x0000FFFF, 0x00FF00FF, 0x00FFFF00};
    const OleColor colour = kCycle[k % 6];
    d.DataFill.Color1 = colour;
    d.DataFill.EdgeColor = 0;
    d.DataFill.EdgeThickness = 0;
    d.DataFill.Transparent = false;
    d.DataLineColor = colour;
  });
}

// ---------------------------------------------------------------- creating data sets

void AddDataSet(ControlState& s, ErrorReporter& r, const std::string& legend, bool inLegendTable) {
  if (s.NumGraphs() < 1) return;
  GraphRecord& g = s.Current();
  const int16_t k = g.NumDataSets();
  const int16_t count = AddInt16(k, 1);
  ++s.Structure;
  g.DataSets.resize(static_cast<size_t>(count));
  g.SelectedDataSet = k;
  DataSetRecord& d = g.DataSets[static_cast<size_t>(k)];
  d.DataInLegendTable = inLegendTable;
  AutoDataStyle(s, r, s.CurrentGraph, k);
  d.PointCount = 0;
  d.Index.Clear();
  d.DataLegend = legend;
  d.DataXAxis = g.CurrentXAxis;
  d.DataYAxis = g.CurrentYAxis;
}

// ---------------------------------------------------------------- points

namespace {

// Widens the limits in use, the full range and the data range of an axis to take in v. Values that are
// not finite never widen a range: they are kept with the points but have no place on an axis.
bool Widen(AxisRecord& a, double v) {
  if (!std::isfinite(v)) return false;
  bool widened = false;
  if (v < a.AxisValue1) {
    a.AxisValue1 = a.ScaleMin = a.DataMin = v;
    widened = true;
  }
  if (v > a.AxisValue2) {
    a.AxisValue2 = a.ScaleMax = a.DataMax = v;
    widened = true;
  }
  return widened;
}

}  // namespace

void AddPoint(ControlState& s, Notifier& n, double X, double Y, double E) {
  if (s.NumGraphs() < 1) return;
  GraphRecord& g = s.Current();
  if (g.NumDataSets() < 1) return;
  if (g.DataSets.back().Feed) Raise(err::InvalidProcedureCall);  // its rows come from its source
  // The point is stored as its data set's axes hold values (counted from a time axis's origin); the
  // graph's current axes, which it widens, may be others.
  const DataSetRecord& last = g.DataSets.back();
  const double storedX = TakeHostValue(g, last.DataXAxis, X), storedY = TakeHostValue(g, last.DataYAxis, Y);
  const double currentX = TakeHostValue(g, g.CurrentXAxis, X), currentY = TakeHostValue(g, g.CurrentYAxis, Y);
  // Convert first: a value a point cannot hold (error 6) must leave the graph as it was.
  const float x = CSng(storedX), y = CSng(storedY), e = CSng(E);
  if (g.NumPoints() == std::numeric_limits<int32_t>::max()) Raise(err::Overflow);
  AxisRecord& ax = AxisAt(g, g.CurrentXAxis);
  AxisRecord& ay = AxisAt(g, g.CurrentYAxis);
  if (ax.AxisScale == kScaleAutomatic && ax.LimitsPending && std::isfinite(X))
    InitAxisLimits(n, ax, currentX);
  if (ay.AxisScale == kScaleAutomatic && ay.LimitsPending && std::isfinite(Y))
    InitAxisLimits(n, ay, currentY);
  ++s.Structure;
  g.Points.Append(x, y, e);
  DataSetRecord& d = g.DataSets.back();
  ++d.PointCount;
  d.Index.Add(x, y, e);
  const bool wx = Widen(ax, currentX);
  const bool wy = Widen(ay, currentY);
  if (wx || wy) n.RaiseGraphScaleChanged();
}

void AttachFeed(ControlState& s, Notifier& n, std::shared_ptr<SourceFeed> feed) {
  if (s.NumGraphs() < 1) return;
  GraphRecord& g = s.Current();
  if (g.NumDataSets() < 1) return;
  DataSetRecord& d = g.DataSets.back();
  if (d.PointCount > 0) Raise(err::InvalidProcedureCall);
  const SourceExtent& e = feed->Extent();
  d.Feed = std::move(feed);
  d.DataSymbol = kSymbolNone;
  d.ShowErrorBar = false;
  if (d.DataLineStyle == kLineNone) d.DataLineStyle = kLineSolid;
  if (e.Rows == 0) return;
  // The axes end as they would after the rows themselves: their limits reach from the least to the
  // greatest value (a time axis takes its origin from the first X and Y as from a first point).
  TakeHostValue(g, d.DataXAxis, e.XMin);
  TakeHostValue(g, d.DataYAxis, e.YMin);
  AxisRecord& ax = AxisAt(g, g.CurrentXAxis);
  AxisRecord& ay = AxisAt(g, g.CurrentYAxis);
  const double xMin = TakeHostValue(g, g.CurrentXAxis, e.XMin),
               yMin = TakeHostValue(g, g.CurrentYAxis, e.YMin);
  if (ax.AxisScale == kScaleAutomatic && ax.LimitsPending) InitAxisLimits(n, ax, xMin);
  if (ay.AxisScale == kScaleAutomatic && ay.LimitsPending) InitAxisLimits(n, ay, yMin);
  bool widened = false;
  for (const double x : {e.XMin, e.XMax}) widened |= Widen(ax, AxisValueOf(ax, x));
  for (const double y : {e.YMin, e.YMax}) widened |= Widen(ay, AxisValueOf(ay, y));
  if (widened) n.RaiseGraphScaleChanged();
}

// ---------------------------------------------------------------- functions and texts

void SetMathFunc(ControlState& s, const std::string& formula, double fromX, double toX) {
  if (s.NumGraphs() < 1) return;
  GraphRecord& g = s.Current();
  if (g.NumDataSets() < 1) return;
  DataSetRecord& d = g.DataSets.back();
  d.MathFunc = formula;
  d.MathFuncX1 = fromX;
  d.MathFuncX2 = toX;
  d.DataSymbol = kSymbolNone;
  d.ShowErrorBar = false;
  if (d.DataLineStyle == kLineNone) d.DataLineStyle = kLineSolid;  // a function is always drawn as a line
}

void SetText(ControlState& s, const TextAnnotation& t) {
  if (t.Text.empty() || s.NumGraphs() < 1) return;
  GraphRecord& g = s.Current();
  if (g.NumDataSets() < 1) return;
  DataSetRecord& d = g.DataSets.back();
  d.DataText = t.Text;
  d.DataTextX = t.X;
  d.DataTextY = t.Y;
  d.DataTextOri = t.Ori;
  d.DataTextFont = t.Font;
  d.DataTextColor = t.Color;
  d.DataTextAngle = t.Angle;
  d.DataTextPercent = t.Percent;
  // A data set that only carries a text has no row in the legend table.
  if (d.MathFunc.empty() && d.PointCount == 0) d.DataInLegendTable = false;
}

}  // namespace plotara
