// The property surface as one table. Each row is
//   X(Name, Type, Family, Field, Conversion)
// Name: the property; Type: its host type (VarType name); Family: the record it addresses (Axis: the
// selected axis of the current graph; Legend and Graph: the current graph; Page: the page fill; Data: the
// selected data set of the current graph); Field: the record field; Conversion: how the host value and
// the stored value relate (control/PropertyConversions.h).
// From these rows come the typed accessors of Plotara, the internal accessors in namespace prop that the
// style methods use, and the rows of the by-name member table.
// Three properties with extra behaviour (AxisValue1, AxisValue2, AxisScale) and the two read-only axis
// indices of a data set are written out by hand in control/Properties.cpp.
#pragma once

// clang-format off
#define PLOTARA_AXIS_PROPERTIES(X)                                         \
  X(AxisTitle,          Variant, Axis, AxisTitle,          Text)            \
  X(AxisGridMajor,      Boolean, Axis, AxisGridMajor,      Plain)           \
  X(AxisGridMinor,      Boolean, Axis, AxisGridMinor,      Plain)           \
  X(AxisTickLength,     Single,  Axis, AxisTickLength,     MmXInt)          \
  X(AxisTicksBothEnds,  Boolean, Axis, AxisTicksBothEnds,  Plain)           \
  X(AxisTicksInside,    Boolean, Axis, AxisTicksInside,    Plain)           \
  X(AxisTicksOutside,   Boolean, Axis, AxisTicksOutside,   Plain)           \
  X(AxisTickThickness,  Byte,    Axis, AxisTickThickness,  Plain)           \
  X(AxisMajGridColor,   Long,    Axis, AxisMajGridColor,   Plain)           \
  X(AxisMinGridColor,   Long,    Axis, AxisMinGridColor,   Plain)           \
  X(AxisColor,          Long,    Axis, AxisColor,          Plain)           \
  X(AxisThickness,      Byte,    Axis, AxisThickness,      Plain)           \
  X(AxisLabelFont,      String,  Axis, AxisLabelFont,      Plain)           \
  X(AxisLabelColor,     Long,    Axis, AxisLabelColor,     Plain)           \
  X(AxisLabelsHoriz,    Integer, Axis, AxisLabelsHoriz,    Plain)           \
  X(AxisLabelShift,     Single,  Axis, AxisLabelShift,     Plain)           \
  X(AxisShowLabels,     Boolean, Axis, AxisShowLabels,     Plain)           \
  X(AxisTitleFont,      String,  Axis, AxisTitleFont,      Plain)           \
  X(AxisTitleColor,     Long,    Axis, AxisTitleColor,     Plain)           \
  X(AxisTitleShift,     Single,  Axis, AxisTitleShift,     Plain)           \
  X(AxisShowTitle,      Boolean, Axis, AxisShowTitle,      Plain)           \
  X(AxisFarSide,        Boolean, Axis, AxisFarSide,        Plain)           \
  X(AxisHide,           Boolean, Axis, AxisHide,           Plain)           \
  X(AxisLog,            Boolean, Axis, AxisLog,            Plain)           \
  X(AxisReverse,        Boolean, Axis, AxisReverse,        Plain)           \
  X(AxisTextLabels,     String,  Axis, AxisTextLabels,     Plain)           \
  X(AxisMajorDivs,      Integer, Axis, AxisMajorDivs,      Plain)           \
  X(AxisMinorDivs,      Integer, Axis, AxisMinorDivs,      Plain)           \
  X(AxisDP,             Integer, Axis, AxisDP,             Plain)

#define PLOTARA_LEGEND_PROPERTIES(X)                                       \
  X(LegendShow,          Boolean, Legend, LegendShow,              Plain)   \
  X(LegendInFront,       Boolean, Legend, LegendInFront,           Plain)   \
  X(LegendDragging,      Boolean, Legend, LegendDragging,          Plain)   \
  X(LegendFontColor,     Long,    Legend, LegendFontColor,         Plain)   \
  X(LegendFont,          String,  Legend, LegendFont,              Plain)   \
  X(LegendTableColor1,   Long,    Legend, LegendFill.Color1,       Plain)   \
  X(LegendTableColor2,   Long,    Legend, LegendFill.Color2,       Plain)   \
  X(LegendGradient,      Integer, Legend, LegendFill.Angle,        Plain)   \
  X(LegendGshift,        Single,  Legend, LegendFill.Shift,        Plain)   \
  X(LegendGStyle,        Single,  Legend, LegendFill.Style,        Int)     \
  X(LegendEdgeColor,     Long,    Legend, LegendFill.EdgeColor,    Plain)   \
  X(LegendEdgeThickness, Long,    Legend, LegendFill.EdgeThickness, ToByte) \
  X(LegendTransparent,   Long,    Legend, LegendFill.Transparent,  ToBool)  \
  X(LegendTableLeft,     Single,  Legend, LegendTableLeft,         Plain)   \
  X(LegendTableTop,      Single,  Legend, LegendTableTop,          Plain)

#define PLOTARA_GRAPH_PROPERTIES(X)                                        \
  X(GraphInclude,        Boolean, Graph, GraphInclude,             Plain)   \
  X(GraphShowTitle,      Boolean, Graph, GraphShowTitle,           Plain)   \
  X(GraphAllowZoom,      Boolean, Graph, GraphAllowZoom,           Plain)   \
  X(GraphShowXY,         Boolean, Graph, GraphShowXY,              Plain)   \
  X(GraphAllowDragging,  Boolean, Graph, GraphAllowDragging,       Plain)   \
  X(GraphTitleColor,     Long,    Graph, GraphTitleColor,          Plain)   \
  X(GraphTitleFont,      String,  Graph, GraphTitleFont,           Plain)   \
  X(GraphTitleVShift,    Single,  Graph, GraphTitleVShift,         Plain)   \
  X(GraphTitleHShift,    Single,  Graph, GraphTitleHShift,         Plain)   \
  X(BorderColor1,        Long,    Graph, BorderFill.Color1,        Plain)   \
  X(BorderColor2,        Long,    Graph, BorderFill.Color2,        Plain)   \
  X(BorderGradient,      Integer, Graph, BorderFill.Angle,         Plain)   \
  X(BorderGShift,        Single,  Graph, BorderFill.Shift,         Plain)   \
  X(BorderGStyle,        Single,  Graph, BorderFill.Style,         Int)     \
  X(BorderEdgeColor,     Long,    Graph, BorderFill.EdgeColor,     Plain)   \
  X(BorderEdgeThickness, Integer, Graph, BorderFill.EdgeThickness, ToByte)  \
  X(BorderTransparent,   Long,    Graph, BorderFill.Transparent,   ToBool)  \
  X(PlotAreaColor1,      Long,    Graph, PlotAreaFill.Color1,      Plain)   \
  X(PlotAreaColor2,      Long,    Graph, PlotAreaFill.Color2,      Plain)   \
  X(PlotAreaGradient,    Integer, Graph, PlotAreaFill.Angle,       Plain)   \
  X(PlotAreaGShift,      Single,  Graph, PlotAreaFill.Shift,       Plain)   \
  X(PlotAreaGStyle,      Single,  Graph, PlotAreaFill.Style,       Int)     \
  X(PlotAreaTransparent, Long,    Graph, PlotAreaFill.Transparent, ToBool)  \
  X(PlotLeftMargin,      Single,  Graph, BorderLeft,               MmX)     \
  X(BorderLeft,          Single,  Graph, BorderLeft,               MmX)     \
  X(PlotRightMargin,     Single,  Graph, BorderRight,              MmX)     \
  X(BorderRight,         Single,  Graph, BorderRight,              MmX)     \
  X(PlotTopMargin,       Single,  Graph, BorderTop,                MmY)     \
  X(BorderTop,           Single,  Graph, BorderTop,                MmY)     \
  X(PlotBottomMargin,    Single,  Graph, BorderBottom,             MmY)     \
  X(BorderBottom,        Single,  Graph, BorderBottom,             MmY)     \
  X(GraphWholePage,      Boolean, Graph, GraphWholePage,           Plain)   \
  X(GraphLeft,           Single,  Graph, PosLeft,                  Pct)     \
  X(GraphTop,            Single,  Graph, PosTop,                   Pct)     \
  X(GraphWidth,          Single,  Graph, PosWidth,                 Pct)     \
  X(GraphHeight,         Single,  Graph, PosHeight,                Pct)

#define PLOTARA_PAGE_PROPERTIES(X)                                         \
  X(PageColor1,          Long,    Page, Color1,                    Plain)   \
  X(PageColor2,          Long,    Page, Color2,                    Plain)   \
  X(PageGradient,        Integer, Page, Angle,                     Plain)   \
  X(PageGShift,          Single,  Page, Shift,                     Plain)   \
  X(PageGStyle,          Single,  Page, Style,                     Int)     \
  X(PageEdgeColor,       Long,    Page, EdgeColor,                 Plain)   \
  X(PageEdgeThickness,   Integer, Page, EdgeThickness,             ToByte)  \
  X(PageTransparent,     Long,    Page, Transparent,               ToBool)

#define PLOTARA_DATA_PROPERTIES(X)                                         \
  X(DataLegend,              String,  Data, DataLegend,              Plain)      \
  X(DataInLegendTable,       Boolean, Data, DataInLegendTable,       Plain)      \
  X(DataSymbol,              Integer, Data, DataSymbol,              Plain)      \
  X(DataSymbolSize,          Single,  Data, DataSymbolSize,          MmXHalf)    \
  X(DataSymbolColor,         Long,    Data, DataFill.Color1,         Plain)      \
  X(DataSymbolEdgeColor,     Long,    Data, DataFill.EdgeColor,      Plain)      \
  X(DataSymbolEdgeThickness, Byte,    Data, DataFill.EdgeThickness,  Plain)      \
  X(DataLineStyle,           Integer, Data, DataLineStyle,           Plain)      \
  X(DataLineColor,           Long,    Data, DataLineColor,           Plain)      \
  X(DataLineThickness,       Byte,    Data, DataLineThickness,       Plain)      \
  X(DataTransparent,         Boolean, Data, DataFill.Transparent,    Plain)      \
  X(DataHide,                Boolean, Data, DataHide,                Plain)      \
  X(MathFunc,                String,  Data, MathFunc,                Plain)      \
  X(MathFuncX1,              Double,  Data, MathFuncX1,              Plain)      \
  X(MathFuncX2,              Double,  Data, MathFuncX2,              Plain)      \
  X(BarShadowColor,          Long,    Data, BarShadowColor,          Plain)      \
  X(BarShadow,               Boolean, Data, BarShadow,               Plain)      \
  X(BarHoriz,                Boolean, Data, BarHoriz,                Plain)      \
  X(Bar3D,                   Boolean, Data, Bar3D,                   Plain)      \
  X(BarStacked,              Boolean, Data, BarStacked,              Plain)      \
  X(BarBase,                 Boolean, Data, BarBase,                 Plain)      \
  X(BarBaseValue,            Double,  Data, BarBaseValue,            Plain)      \
  X(BarOffset,               Single,  Data, BarOffset,               Dbl)        \
  X(ShowErrorBar,            Boolean, Data, ShowErrorBar,            Plain)      \
  X(DataText,                String,  Data, DataText,                Plain)      \
  X(DataTextX,               Double,  Data, DataTextX,               Plain)      \
  X(DataTextY,               Double,  Data, DataTextY,               Plain)      \
  X(DataTextOri,             Byte,    Data, DataTextOri,             Plain)      \
  X(DataTextFont,            String,  Data, DataTextFont,            Plain)      \
  X(DataTextColor,           Long,    Data, DataTextColor,           Plain)      \
  X(DataTextAngle,           Integer, Data, DataTextAngle,           Plain)      \
  X(DataTextPercent,         Boolean, Data, DataTextPercent,         Plain)

#define PLOTARA_PROPERTIES(X) \
  PLOTARA_AXIS_PROPERTIES(X)  \
  PLOTARA_LEGEND_PROPERTIES(X) \
  PLOTARA_GRAPH_PROPERTIES(X) \
  PLOTARA_PAGE_PROPERTIES(X)  \
  PLOTARA_DATA_PROPERTIES(X)
// clang-format on
