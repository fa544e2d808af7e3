// The properties of graphs, axes, the legend, the page and data sets, as one table of what a host sees:
//   X(Name, Type)
// Name: the property; Type: its host type (a VarType name; plotara/HostTypes.h gives the C++ type).
// From these rows come the typed accessors of Plotara and the rows of the by-name member table. Four
// properties with extra behaviour (AxisValue1, AxisValue2, AxisScale) or a Variant of their own (the two
// axis indices of a data set) are declared by hand in Plotara.h.
#pragma once

// clang-format off
#define PLOTARA_AXIS_PROPERTIES(X)  \
  X(AxisTitle,         Variant)     \
  X(AxisGridMajor,     Boolean)     \
  X(AxisGridMinor,     Boolean)     \
  X(AxisTickLength,    Single)      \
  X(AxisTicksBothEnds, Boolean)     \
  X(AxisTicksInside,   Boolean)     \
  X(AxisTicksOutside,  Boolean)     \
  X(AxisTickThickness, Byte)        \
  X(AxisMajGridColor,  Long)        \
  X(AxisMinGridColor,  Long)        \
  X(AxisColor,         Long)        \
  X(AxisThickness,     Byte)        \
  X(AxisLabelFont,     String)      \
  X(AxisLabelColor,    Long)        \
  X(AxisLabelsHoriz,   Integer)     \
  X(AxisLabelShift,    Single)      \
  X(AxisShowLabels,    Boolean)     \
  X(AxisTitleFont,     String)      \
  X(AxisTitleColor,    Long)        \
  X(AxisTitleShift,    Single)      \
  X(AxisShowTitle,     Boolean)     \
  X(AxisFarSide,       Boolean)     \
  X(AxisHide,          Boolean)     \
  X(AxisLog,           Boolean)     \
  X(AxisReverse,       Boolean)     \
  X(AxisTextLabels,    String)      \
  X(AxisMajorDivs,     Integer)     \
  X(AxisMinorDivs,     Integer)     \
  X(AxisDP,            Integer)     \
  X(AxisTime,          Boolean)     \
  X(AxisTimeFormat,    String)      \
  X(AxisTimeZone,      String)

#define PLOTARA_LEGEND_PROPERTIES(X)  \
  X(LegendShow,          Boolean)     \
  X(LegendInFront,       Boolean)     \
  X(LegendDragging,      Boolean)     \
  X(LegendFontColor,     Long)        \
  X(LegendFont,          String)      \
  X(LegendTableColor1,   Long)        \
  X(LegendTableColor2,   Long)        \
  X(LegendGradient,      Integer)     \
  X(LegendGshift,        Single)      \
  X(LegendGStyle,        Single)      \
  X(LegendEdgeColor,     Long)        \
  X(LegendEdgeThickness, Long)        \
  X(LegendTransparent,   Long)        \
  X(LegendTableLeft,     Single)      \
  X(LegendTableTop,      Single)

#define PLOTARA_GRAPH_PROPERTIES(X)  \
  X(GraphInclude,        Boolean)    \
  X(GraphShowTitle,      Boolean)    \
  X(GraphAllowZoom,      Boolean)    \
  X(GraphShowXY,         Boolean)    \
  X(GraphAllowDragging,  Boolean)    \
  X(GraphTitleColor,     Long)       \
  X(GraphTitleFont,      String)     \
  X(GraphTitleVShift,    Single)     \
  X(GraphTitleHShift,    Single)     \
  X(BorderColor1,        Long)       \
  X(BorderColor2,        Long)       \
  X(BorderGradient,      Integer)    \
  X(BorderGShift,        Single)     \
  X(BorderGStyle,        Single)     \
  X(BorderEdgeColor,     Long)       \
  X(BorderEdgeThickness, Integer)    \
  X(BorderTransparent,   Long)       \
  X(PlotAreaColor1,      Long)       \
  X(PlotAreaColor2,      Long)       \
  X(PlotAreaGradient,    Integer)    \
  X(PlotAreaGShift,      Single)     \
  X(PlotAreaGStyle,      Single)     \
  X(PlotAreaTransparent, Long)       \
  X(PlotLeftMargin,      Single)     \
  X(BorderLeft,          Single)     \
  X(PlotRightMargin,     Single)     \
  X(BorderRight,         Single)     \
  X(PlotTopMargin,       Single)     \
  X(BorderTop,           Single)     \
  X(PlotBottomMargin,    Single)     \
  X(BorderBottom,        Single)     \
  X(GraphWholePage,      Boolean)    \
  X(GraphLeft,           Single)     \
  X(GraphTop,            Single)     \
  X(GraphWidth,          Single)     \
  X(GraphHeight,         Single)

#define PLOTARA_PAGE_PROPERTIES(X)  \
  X(PageColor1,        Long)        \
  X(PageColor2,        Long)        \
  X(PageGradient,      Integer)     \
  X(PageGShift,        Single)      \
  X(PageGStyle,        Single)      \
  X(PageEdgeColor,     Long)        \
  X(PageEdgeThickness, Integer)     \
  X(PageTransparent,   Long)

#define PLOTARA_DATA_PROPERTIES(X)     \
  X(DataLegend,              String)   \
  X(DataInLegendTable,       Boolean)  \
  X(DataSymbol,              Integer)  \
  X(DataSymbolSize,          Single)   \
  X(DataSymbolColor,         Long)     \
  X(DataSymbolEdgeColor,     Long)     \
  X(DataSymbolEdgeThickness, Byte)     \
  X(DataLineStyle,           Integer)  \
  X(DataLineColor,           Long)     \
  X(DataLineThickness,       Byte)     \
  X(DataTransparent,         Boolean)  \
  X(DataHide,                Boolean)  \
  X(MathFunc,                String)   \
  X(MathFuncX1,              Double)   \
  X(MathFuncX2,              Double)   \
  X(BarShadowColor,          Long)     \
  X(BarShadow,               Boolean)  \
  X(BarHoriz,                Boolean)  \
  X(Bar3D,                   Boolean)  \
  X(BarStacked,              Boolean)  \
  X(BarBase,                 Boolean)  \
  X(BarBaseValue,            Double)   \
  X(BarOffset,               Single)   \
  X(ShowErrorBar,            Boolean)  \
  X(DataText,                String)   \
  X(DataTextX,               Double)   \
  X(DataTextY,               Double)   \
  X(DataTextOri,             Byte)     \
  X(DataTextFont,            String)   \
  X(DataTextColor,           Long)     \
  X(DataTextAngle,           Integer)  \
  X(DataTextPercent,         Boolean)

#define PLOTARA_PROPERTIES(X)  \
  PLOTARA_AXIS_PROPERTIES(X)   \
  PLOTARA_LEGEND_PROPERTIES(X) \
  PLOTARA_GRAPH_PROPERTIES(X)  \
  PLOTARA_PAGE_PROPERTIES(X)   \
  PLOTARA_DATA_PROPERTIES(X)
// clang-format on
