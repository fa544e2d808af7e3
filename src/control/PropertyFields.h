// Where each property of plotara/Properties.h lives and how its value is stored, one row per property:
//   X(Name, Family, Field, Conversion)
// Family: the record it addresses (Axis: the selected axis of the current graph; Legend and Graph: the
// current graph; Page: the page fill; Data: the selected data set of the current graph); Field: the
// record's field; Conversion: how the host value and the stored value relate
// (control/PropertyConversions.h). The internal accessors in namespace prop (control/Properties.h) are
// made from these rows; a property missing here, or a row naming no property, does not build.
#pragma once

// clang-format off
#define PLOTARA_AXIS_PROPERTY_FIELDS(X)                  \
  X(AxisTitle,         Axis, AxisTitle,         Text)    \
  X(AxisGridMajor,     Axis, AxisGridMajor,     Plain)   \
  X(AxisGridMinor,     Axis, AxisGridMinor,     Plain)   \
  X(AxisTickLength,    Axis, AxisTickLength,    MmXInt)  \
  X(AxisTicksBothEnds, Axis, AxisTicksBothEnds, Plain)   \
  X(AxisTicksInside,   Axis, AxisTicksInside,   Plain)   \
  X(AxisTicksOutside,  Axis, AxisTicksOutside,  Plain)   \
  X(AxisTickThickness, Axis, AxisTickThickness, Plain)   \
  X(AxisMajGridColor,  Axis, AxisMajGridColor,  Plain)   \
  X(AxisMinGridColor,  Axis, AxisMinGridColor,  Plain)   \
  X(AxisColor,         Axis, AxisColor,         Plain)   \
  X(AxisThickness,     Axis, AxisThickness,     Plain)   \
  X(AxisLabelFont,     Axis, AxisLabelFont,     Plain)   \
  X(AxisLabelColor,    Axis, AxisLabelColor,    Plain)   \
  X(AxisLabelsHoriz,   Axis, AxisLabelsHoriz,   Plain)   \
  X(AxisLabelShift,    Axis, AxisLabelShift,    Plain)   \
  X(AxisShowLabels,    Axis, AxisShowLabels,    Plain)   \
  X(AxisTitleFont,     Axis, AxisTitleFont,     Plain)   \
  X(AxisTitleColor,    Axis, AxisTitleColor,    Plain)   \
  X(AxisTitleShift,    Axis, AxisTitleShift,    Plain)   \
  X(AxisShowTitle,     Axis, AxisShowTitle,     Plain)   \
  X(AxisFarSide,       Axis, AxisFarSide,       Plain)   \
  X(AxisHide,          Axis, AxisHide,          Plain)   \
  X(AxisLog,           Axis, AxisLog,           Plain)   \
  X(AxisReverse,       Axis, AxisReverse,       Plain)   \
  X(AxisTextLabels,    Axis, AxisTextLabels,    Plain)   \
  X(AxisMajorDivs,     Axis, AxisMajorDivs,     Plain)   \
  X(AxisMinorDivs,     Axis, AxisMinorDivs,     Plain)   \
  X(AxisDP,            Axis, AxisDP,            Plain)   \
  X(AxisTime,          Axis, AxisTime,          TimeSwitch) \
  X(AxisTimeFormat,    Axis, AxisTimeFormat,    Plain)   \
  X(AxisTimeZone,      Axis, AxisTimeZone,      ZoneName)

#define PLOTARA_LEGEND_PROPERTY_FIELDS(X)                           \
  X(LegendShow,          Legend, LegendShow,               Plain)   \
  X(LegendInFront,       Legend, LegendInFront,            Plain)   \
  X(LegendDragging,      Legend, LegendDragging,           Plain)   \
  X(LegendFontColor,     Legend, LegendFontColor,          Plain)   \
  X(LegendFont,          Legend, LegendFont,               Plain)   \
  X(LegendTableColor1,   Legend, LegendFill.Color1,        Plain)   \
  X(LegendTableColor2,   Legend, LegendFill.Color2,        Plain)   \
  X(LegendGradient,      Legend, LegendFill.Angle,         Plain)   \
  X(LegendGshift,        Legend, LegendFill.Shift,         Plain)   \
  X(LegendGStyle,        Legend, LegendFill.Style,         Int)     \
  X(LegendEdgeColor,     Legend, LegendFill.EdgeColor,     Plain)   \
  X(LegendEdgeThickness, Legend, LegendFill.EdgeThickness, ToByte)  \
  X(LegendTransparent,   Legend, LegendFill.Transparent,   ToBool)  \
  X(LegendTableLeft,     Legend, LegendTableLeft,          Plain)   \
  X(LegendTableTop,      Legend, LegendTableTop,           Plain)

#define PLOTARA_GRAPH_PROPERTY_FIELDS(X)                           \
  X(GraphInclude,        Graph, GraphInclude,             Plain)   \
  X(GraphShowTitle,      Graph, GraphShowTitle,           Plain)   \
  X(GraphAllowZoom,      Graph, GraphAllowZoom,           Plain)   \
  X(GraphShowXY,         Graph, GraphShowXY,              Plain)   \
  X(GraphAllowDragging,  Graph, GraphAllowDragging,       Plain)   \
  X(GraphTitleColor,     Graph, GraphTitleColor,          Plain)   \
  X(GraphTitleFont,      Graph, GraphTitleFont,           Plain)   \
  X(GraphTitleVShift,    Graph, GraphTitleVShift,         Plain)   \
  X(GraphTitleHShift,    Graph, GraphTitleHShift,         Plain)   \
  X(BorderColor1,        Graph, BorderFill.Color1,        Plain)   \
  X(BorderColor2,        Graph, BorderFill.Color2,        Plain)   \
  X(BorderGradient,      Graph, BorderFill.Angle,         Plain)   \
  X(BorderGShift,        Graph, BorderFill.Shift,         Plain)   \
  X(BorderGStyle,        Graph, BorderFill.Style,         Int)     \
  X(BorderEdgeColor,     Graph, BorderFill.EdgeColor,     Plain)   \
  X(BorderEdgeThickness, Graph, BorderFill.EdgeThickness, ToByte)  \
  X(BorderTransparent,   Graph, BorderFill.Transparent,   ToBool)  \
  X(PlotAreaColor1,      Graph, PlotAreaFill.Color1,      Plain)   \
  X(PlotAreaColor2,      Graph, PlotAreaFill.Color2,      Plain)   \
  X(PlotAreaGradient,    Graph, PlotAreaFill.Angle,       Plain)   \
  X(PlotAreaGShift,      Graph, PlotAreaFill.Shift,       Plain)   \
  X(PlotAreaGStyle,      Graph, PlotAreaFill.Style,       Int)     \
  X(PlotAreaTransparent, Graph, PlotAreaFill.Transparent, ToBool)  \
  X(PlotLeftMargin,      Graph, BorderLeft,               MmX)     \
  X(BorderLeft,          Graph, BorderLeft,               MmX)     \
  X(PlotRightMargin,     Graph, BorderRight,              MmX)     \
  X(BorderRight,         Graph, BorderRight,              MmX)     \
  X(PlotTopMargin,       Graph, BorderTop,                MmY)     \
  X(BorderTop,           Graph, BorderTop,                MmY)     \
  X(PlotBottomMargin,    Graph, BorderBottom,             MmY)     \
  X(BorderBottom,        Graph, BorderBottom,             MmY)     \
  X(GraphWholePage,      Graph, GraphWholePage,           Plain)   \
  X(GraphLeft,           Graph, PosLeft,                  Pct)     \
  X(GraphTop,            Graph, PosTop,                   Pct)     \
  X(GraphWidth,          Graph, PosWidth,                 Pct)     \
  X(GraphHeight,         Graph, PosHeight,                Pct)

#define PLOTARA_PAGE_PROPERTY_FIELDS(X)              \
  X(PageColor1,        Page, Color1,        Plain)   \
  X(PageColor2,        Page, Color2,        Plain)   \
  X(PageGradient,      Page, Angle,         Plain)   \
  X(PageGShift,        Page, Shift,         Plain)   \
  X(PageGStyle,        Page, Style,         Int)     \
  X(PageEdgeColor,     Page, EdgeColor,     Plain)   \
  X(PageEdgeThickness, Page, EdgeThickness, ToByte)  \
  X(PageTransparent,   Page, Transparent,   ToBool)

#define PLOTARA_DATA_PROPERTY_FIELDS(X)                              \
  X(DataLegend,              Data, DataLegend,             Plain)    \
  X(DataInLegendTable,       Data, DataInLegendTable,      Plain)    \
  X(DataSymbol,              Data, DataSymbol,             Plain)    \
  X(DataSymbolSize,          Data, DataSymbolSize,         MmXHalf)  \
  X(DataSymbolColor,         Data, DataFill.Color1,        Plain)    \
  X(DataSymbolEdgeColor,     Data, DataFill.EdgeColor,     Plain)    \
  X(DataSymbolEdgeThickness, Data, DataFill.EdgeThickness, Plain)    \
  X(DataLineStyle,           Data, DataLineStyle,          Plain)    \
  X(DataLineColor,           Data, DataLineColor,          Plain)    \
  X(DataLineThickness,       Data, DataLineThickness,      Plain)    \
  X(DataTransparent,         Data, DataFill.Transparent,   Plain)    \
  X(DataHide,                Data, DataHide,               Plain)    \
  X(MathFunc,                Data, MathFunc,               Plain)    \
  X(MathFuncX1,              Data, MathFuncX1,             Plain)    \
  X(MathFuncX2,              Data, MathFuncX2,             Plain)    \
  X(BarShadowColor,          Data, BarShadowColor,         Plain)    \
  X(BarShadow,               Data, BarShadow,              Plain)    \
  X(BarHoriz,                Data, BarHoriz,               Plain)    \
  X(Bar3D,                   Data, Bar3D,                  Plain)    \
  X(BarStacked,              Data, BarStacked,             Plain)    \
  X(BarBase,                 Data, BarBase,                Plain)    \
  X(BarBaseValue,            Data, BarBaseValue,           Plain)    \
  X(BarOffset,               Data, BarOffset,              Dbl)      \
  X(ShowErrorBar,            Data, ShowErrorBar,           Plain)    \
  X(DataText,                Data, DataText,               Plain)    \
  X(DataTextX,               Data, DataTextX,              Plain)    \
  X(DataTextY,               Data, DataTextY,              Plain)    \
  X(DataTextOri,             Data, DataTextOri,            Plain)    \
  X(DataTextFont,            Data, DataTextFont,           Plain)    \
  X(DataTextColor,           Data, DataTextColor,          Plain)    \
  X(DataTextAngle,           Data, DataTextAngle,          Plain)    \
  X(DataTextPercent,         Data, DataTextPercent,        Plain)

#define PLOTARA_PROPERTY_FIELDS(X)   \
  PLOTARA_AXIS_PROPERTY_FIELDS(X)    \
  PLOTARA_LEGEND_PROPERTY_FIELDS(X)  \
  PLOTARA_GRAPH_PROPERTY_FIELDS(X)   \
  PLOTARA_PAGE_PROPERTY_FIELDS(X)    \
  PLOTARA_DATA_PROPERTY_FIELDS(X)
// clang-format on
