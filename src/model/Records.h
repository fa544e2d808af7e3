// The in-memory state of one control: the page, its graphs, and for every graph its axes, data sets and
// points. Plain records; the operations that create and fill them live next to them in model/.
// Lengths are in surface units (twips) unless a field says otherwise. Booleans that the host sees as
// 16-bit -1/0 are held as bool.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/BlockIndex.h"
#include "model/PointList.h"
#include "model/SourceFeed.h"
#include "platform/SysColors.h"
#include "plotara/ChildElements.h"

namespace plotara {

// The kind of an axis (AxisRecord::XY).
inline constexpr int16_t kXAxis = 0;
inline constexpr int16_t kYAxis = 1;

// How an axis gets its limits (AxisRecord::AxisScale).
enum AxisScaleMode : uint8_t {
  kScaleAutomatic = 0,   // round limits from its data, chosen when the axis is drawn
  kScaleFixed = 1,       // the limits the host gave
  kScaleTextLabels = 2,  // fixed, with the comma-separated AxisTextLabels at the major ticks
};

// The marker of a data set (DataSetRecord::DataSymbol). Any other value draws the character whose code
// is its magnitude.
enum SymbolKind : int16_t {
  kSymbolNone = 0,
  kSymbolBar = 1,
  kSymbolDot = 2,
  kSymbolCircle = 3,
  kSymbolSquare = 4,
  kSymbolDiamond = 5,
  kSymbolTriangleUp = 6,
  kSymbolTriangleDown = 7,
  kSymbolWideRectangle = 8,
  kSymbolTallRectangle = 9,
  kSymbolPlus = 10,
  kSymbolCross = 11,
};

// The connecting line of a data set (DataSetRecord::DataLineStyle); any value above 1 is dotted.
enum LineStyle : int16_t { kLineNone = 0, kLineSolid = 1, kLineDotted = 2 };

// One filled area: the page, a graph's border band, plot area or legend table, or a data set's symbols
// and bars.
struct GradientSpec {
  OleColor EdgeColor = 0;
  uint8_t EdgeThickness = 0;  // pixels; 0 = no outline
  OleColor Color1 = 0;
  OleColor Color2 = 0;
  int16_t Angle = 0;  // degrees
  float Shift = 0;
  int16_t Style = 0;
  bool Transparent = false;
};

struct AxisRecord {
  int16_t XY = kXAxis;
  bool RescalePending = true;
  bool AxisHide = false;
  OleColor AxisMajGridColor = 0x00D2D2D2;
  OleColor AxisMinGridColor = 0x00E1E1E1;
  OleColor AxisColor = 0;
  OleColor AxisLabelColor = 0;
  OleColor AxisTitleColor = 0;
  double AxisValue1 = 0, AxisValue2 = 0;  // the limits in use
  double ScaleMin = 0, ScaleMax = 0;      // the full, unzoomed range
  double DataMin = 0, DataMax = 0;        // the range spanned by the points
  float ZoomAnchor = 0;
  int32_t AxisLength = 0;  // twips; only the drawing sets it, and a big page needs more than 16 bits
  int16_t AxisTickLength = 0;
  bool AxisTicksBothEnds = true;
  bool AxisTicksInside = true;
  bool AxisTicksOutside = false;
  uint8_t AxisThickness = 1;
  uint8_t AxisTickThickness = 1;
  std::string AxisTitle;
  bool AxisLog = false;
  bool AxisGridMajor = false;
  bool AxisGridMinor = false;
  int16_t AxisMajorDivs = 5;
  int16_t AxisMinorDivs = 1;
  int16_t AxisDP = 1;
  float ZoomCorner = 0;
  bool AxisReverse = false;
  uint8_t AxisScale = kScaleAutomatic;  // an AxisScaleMode
  std::string AxisTextLabels;
  std::string AxisLabelFont = "Font=Arial|9";
  std::string AxisTitleFont = "Font=Arial|9";
  bool AxisShowLabels = true;
  bool AxisShowTitle = true;
  int16_t AxisLabelsHoriz = 0;  // label angle in degrees
  float AxisLabelShift = 0;
  float AxisTitleShift = 0;
  bool AxisFarSide = false;
  bool LimitsPending = true;
  // A time axis: its values are instants, seconds since 1970-01-01 UTC, labelled in AxisTimeZone with
  // calendar ticks, through AxisTimeFormat when it is not empty (model/TimeOrigin.h).
  bool AxisTime = false;
  std::string AxisTimeFormat;
  std::string AxisTimeZone = "UTC";
  // Every value the axis holds (its limits and ranges, the coordinates of the points on it) is counted
  // from this instant, so that a single-precision point keeps milliseconds. 0 on an axis that is not a
  // time axis; pending on a time axis until the first value arrives.
  double TimeOrigin = 0;
  bool TimeOriginPending = false;
};

struct DataSetRecord {
  GradientSpec DataFill;  // Color1 symbol colour, EdgeColor/EdgeThickness outline, Transparent hollow
  OleColor DataLineColor = 0;
  int16_t DataLineThickness = 0;
  int32_t PointCount = 0;
  BlockIndex Index;  // summary of the points, for drawing many of them
  int16_t DataXAxis = 0, DataYAxis = 0;
  std::string DataLegend;
  int16_t DataSymbol = kSymbolNone;  // a SymbolKind, or a character code
  int16_t DataSymbolSize = 0;        // half the symbol size, surface units
  bool DataInLegendTable = false;
  int16_t DataLineStyle = kLineNone;  // a LineStyle
  bool DataHide = false;
  bool ShowErrorBar = false;
  bool BarHoriz = false, Bar3D = false, BarStacked = false;
  double BarBaseValue = 0;
  double BarOffset = 0;  // millimetres
  OleColor BarShadowColor = 0;
  bool BarShadow = false, BarBase = false;
  std::string MathFunc;
  double MathFuncX1 = 0, MathFuncX2 = 0;
  std::string DataText;
  double DataTextX = 0, DataTextY = 0;
  uint8_t DataTextOri = 0;
  std::string DataTextFont;
  OleColor DataTextColor = 0;
  int16_t DataTextAngle = 0;
  bool DataTextPercent = false;
  // A data set fed by a data source (DataQuery) holds no points: each view draws the source's rows as
  // its line.
  std::shared_ptr<SourceFeed> Feed;
};

struct GraphRecord {
  // The counts are those of the lists; adding to a list checks the 16-bit limit first.
  int16_t NumAxes() const { return static_cast<int16_t>(Axes.size()); }
  int16_t NumDataSets() const { return static_cast<int16_t>(DataSets.size()); }
  int32_t NumPoints() const { return static_cast<int32_t>(Points.Count()); }

  float PosLeft = 0, PosTop = 0, PosWidth = 1, PosHeight = 1;  // fractions of the page
  bool GraphWholePage = false;
  float AxisSpaceAbove = 0;
  int32_t RectLeft = 0, RectTop = 0, RectWidth = 0, RectHeight = 0;
  float BorderLeft = 0, BorderTop = 0, BorderRight = 0, BorderBottom = 0;
  std::vector<AxisRecord> Axes;
  int16_t SelectedAxis = 0;
  int16_t CurrentXAxis = 0, CurrentYAxis = 1;
  PointList Points;
  int16_t SelectedDataSet = 0;
  std::vector<DataSetRecord> DataSets;
  bool NotYetDrawn = true;
  GradientSpec PlotAreaFill{
      0, 1, static_cast<OleColor>(0x80000018), static_cast<OleColor>(0x80000018), 90, 0, 0, false};
  GradientSpec BorderFill{0, 1, 0x00C0FFFF, 0x00C0FFFF, 90, 0, 0, false};
  OleColor GraphTitleColor = 0;
  std::string GraphTitleFont;
  std::string LegendFont;
  bool LegendShow = true;
  bool LegendInFront = true;
  bool LegendDragging = true;
  float LegendTableTop = 0;     // percent of the graph height
  float LegendTableLeft = 100;  // percent of the graph width
  int32_t LegendRectTop = 0, LegendRectLeft = 0;
  int16_t LegendRectWidth = 0, LegendRectHeight = 0;
  GradientSpec LegendFill{
      0, 1, static_cast<OleColor>(0x80000018), static_cast<OleColor>(0x80000018), 90, 0, 0, false};
  OleColor LegendFontColor = 0;
  bool GraphInclude = true;
  bool GraphShowTitle = true;
  bool GraphAllowZoom = true;
  bool GraphShowXY = true;
  bool GraphAllowDragging = true;
  float GraphTitleVShift = 0;
  float GraphTitleHShift = 0;
};

// The page fill after start-up and Reset: plain white, no outline.
inline constexpr GradientSpec kDefaultPageFill{0, 0, 0x00FFFFFF, 0x00FFFFFF, 90, 0, 0, false};

// The records of one control instance.
struct ControlState {
  int16_t NumGraphs() const { return static_cast<int16_t>(Graphs.size()); }
  // Checked access to the graphs: error 9 for an index that does not exist.
  GraphRecord& Graph(int index);
  const GraphRecord& Graph(int index) const;
  GraphRecord& Current() { return Graph(CurrentGraph); }
  const GraphRecord& Current() const { return Graph(CurrentGraph); }

  int32_t PageWidth = 0, PageHeight = 0;
  int16_t CurrentGraph = 0;
  std::vector<std::string> GraphNames;  // also the graphs' titles
  std::vector<int16_t> GraphOrder;      // back to front; the last entry is drawn in front
  float UnitsPerMmX = 0, UnitsPerMmY = 0;
  GradientSpec PageFill = kDefaultPageFill;
  std::vector<GraphRecord> Graphs;
  double MaxZoomFactor = 1000000;
  bool ScrollBarsVisible = false;
  bool ScrollUpdating = false;
  bool RefreshInProgress = false;
  // Round ticks inside any view, no label over another, Y labels horizontal where they fit.
  bool ReadableLabels = false;
  // Counts the changes that may move or free what the records hold in lists (graphs, their order,
  // axes, data sets, points) or the surfaces' pixels: an operation that called the host back cannot go
  // on with references it took before when this moved.
  uint64_t Structure = 0;
  // Drawing leaves the questions to data sources to the host (SourceFeed::Defer), and a picture whose
  // rows have not arrived yet is not shown: Picture1 keeps the last one.
  bool DeferDataQueries = false;
  bool PictureWaits = false;  // the drawing under way noted a question

  // The child elements a host mirrors: the coordinate read-out and the scroll bars, laid out in the
  // control's client area (twips).
  LabelElement Label1;
  ScrollBarElement HScroll1, VScroll1;
  float ClientWidth = 0, ClientHeight = 0;
};

// Forgets all graphs and restores the page fill, the zoom limit and hidden scroll bars; draws nothing.
void ResetControl(ControlState& s);

// Gives a graph every default of a new graph: empty lists, no axes, the border band of 14, 7, 7 and
// 10 mm.
void SetNewGraphDefaults(GraphRecord& g, float unitsPerMmX, float unitsPerMmY);

// Writes every default of an axis: the two limits a1, a2 become its limits in use, its full range and
// its data range; it is automatic when they are equal.
void SetAxisDefaults(AxisRecord& a, const std::string& name, int16_t xy, double a1, double a2,
                     float unitsPerMmX);

}  // namespace plotara
