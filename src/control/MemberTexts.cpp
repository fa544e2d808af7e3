// The reference texts of the members: meaning, unit, default and range of every member of the by-name
// table. The list of members, their types and parameters come from the table itself and the defaults from
// a fresh control, so the reference follows the interface; the texts are kept here.
// Sections: the texts of the members; defaults and ranges; the reference of each member.
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include "platform/AsciiCase.h"
#include "plotara/Automation.h"
#include "plotara/Plotara.h"

namespace plotara {

namespace {

// ---------------------------------------------------------------- the texts of the members

struct MemberDoc {
  const char* Name;
  const char* Meaning;
  const char* Unit;   // "" when the value has none
  const char* Range;  // "" to take it from the type
};

constexpr const char* kColour = "colour 0x00BBGGRR";
constexpr const char* kFont = "font text \"Font=Face|Size|Bold|Italic\"";
constexpr const char* kGStyle = "0 to 5 (1: linear from Color1 to Color2; 0: to Color2 and back)";

// clang-format off
const MemberDoc kDocs[] = {
  // The control.
  {"Version", "the control's version", "", "read-only"},
  {"GraphIndex", "the current graph, which graph-level members address", "index from 0", "read-only"},
  {"SuppressRaisingEvents", "NewGraphInFront, GraphScaleChanged, GraphPositionChanged, LegendPositionChanged and ViewChanged are not raised while set", "", ""},
  {"WheelZoom", "the wheel over a plot area zooms about the pointer, four notches by 2 (Shift: X only, Ctrl: Y only)", "", ""},
  {"PinchZoom", "a pinch on the touchpad over a plot area zooms about the fingers", "", ""},
  {"TouchPan", "a two-finger scroll over a plot area pans it", "", ""},
  {"KeyNavigation", "with the focus, the arrows and Page Up/Down pan, + and - zoom by 2, Home and Escape show the full range, Ctrl+C copies", "", ""},
  {"ReadableLabels", "labels a reader can read on every axis: round ticks (1, 2 or 5 x 10^n) inside the view also after zoom, pan and with fixed limits, a label that would overlap another left out, Y labels horizontal where they fit", "", ""},
  {"Reset", "forgets all graphs and restores the page fill; the picture stays until the next refresh", "", ""},
  // Graphs, axes and selection.
  {"NewGraph", "appends a graph with an X axis \"x-axis\" and a Y axis \"y-axis\" and makes it current; equal limits make an axis automatic", "data values", ""},
  {"NewXAxis", "adds an X axis to the current graph and makes it the graph's X axis for new data sets; equal limits: automatic", "data values", ""},
  {"NewYAxis", "adds a Y axis to the current graph and makes it the graph's Y axis for new data sets; equal limits: automatic", "data values", ""},
  {"SetSelectedGraph", "makes a graph current", "index from 0", "0 to graphs - 1"},
  {"GetSelectedGraph", "the current graph", "index from 0", ""},
  {"SelectXaxis", "selects the Index-th X axis of the current graph (1 is the first) for the Axis properties; returns its index", "", "1 to the number of X axes"},
  {"SelectYaxis", "selects the Index-th Y axis of the current graph (1 is the first) for the Axis properties; returns its index", "", "1 to the number of Y axes"},
  {"SetSelectedAxis", "selects an axis of the current graph by its index among all its axes", "index from 0", "0 to axes - 1"},
  {"GetSelectedAxisIndex", "the index of the graph's current X axis (XY 0) or Y axis (XY 1)", "index from 0", "XY: 0 or 1"},
  {"GetAxisNames", "the names of the current graph's axes and their count", "", ""},
  {"GetDataSetNames", "the legends of the current graph's data sets and their count", "", ""},
  {"GetGraphNames", "the names of the graphs and their count", "", ""},
  {"SetSelectedData", "selects a data set of the current graph for the Data properties", "index from 0", "0 to data sets - 1"},
  {"GetSelectedData", "the selected data set of the current graph", "index from 0", ""},
  {"Refresh", "draws every graph; setters never draw", "", ""},
  {"RefreshCurrentGraph", "draws the current graph", "", ""},
  {"RefreshGraphs", "draws the graphs (WhichIndex -1: all), the legend on the picture when LegndOnPic1", "", ""},
  // Data sets.
  {"NewDataSet", "appends a data set on the graph's current axes with the next automatic style; points go to it", "", ""},
  {"AddDataPoint", "appends a point (X, Y and an error value E) to the last data set and widens automatic axes", "data values (seconds since 1970 on a time axis)", "stored as Single; on a time axis as the offset from the axis's origin (its first value): to the millisecond within 4 hours of it, to a second over a year"},
  {"AddMathFunc", "draws a formula of x as a curve over Fromx..Tox (equal: the axis range) in the last data set", "data values", ""},
  {"DataQuery", "feeds the last data set from a database: Connection \"sqlite:PATH\" or \"postgresql://USER@HOST/DATABASE\", Query a SELECT whose first two columns (or XColumn, YColumn) are X and Y, or a table; each view asks for its rows folded to the pixel columns inside the database, and draws the line through all of them", "data values", "error 3146 names the source when it fails"},
  {"AddText", "gives the last data set a free text at TextX, TextY", "data values or percent", "TextOri 0 to 8"},
  // Style methods.
  {"AxisStyle", "the selected axis's line colour and thickness, logarithmic, reversed and far-side options", "colour, pixels", "-1 leaves a value unchanged"},
  {"AxisScaleStyle", "the selected axis's limits, text labels, scale style (0 automatic, 1 fixed, 2 text labels) and divisions", "data values", "-1 leaves a value unchanged"},
  {"AxisTitleStyle", "the selected axis's title, its font, colour, shift and visibility", "colour, mm", "-1 or \"\" leaves a value unchanged"},
  {"AxisLabelStyle", "the selected axis's tick labels: font, colour, shift, angle and visibility", "colour, mm, degrees", "-1 or \"\" leaves a value unchanged"},
  {"AxisGridStyle", "the selected axis's major and minor grid lines: colours and visibility", kColour, "-1 leaves a colour unchanged"},
  {"AxisTickStyle", "the selected axis's ticks: thickness, length, inside, outside, both ends", "pixels, mm", "-1 leaves a value unchanged"},
  {"GraphPosition", "the current graph's rectangle on the page", "percent of the page", "-1 leaves a value unchanged"},
  {"BorderWidths", "the current graph's border band around the plot area", "mm", "-1 leaves a value unchanged"},
  {"PageColors", "the page fill: colours, gradient angle, shift, style and transparency", "colour, degrees", "-1 leaves a value unchanged; gStyle 99 too"},
  {"PlotAreaColors", "the plot area fill of the current graph", "colour, degrees", "-1 leaves a value unchanged; gStyle 99 too"},
  {"BorderStyle", "the border band fill and widths of the current graph", "colour, degrees, mm", "-1 leaves a value unchanged; gStyle 99 too"},
  {"GraphTitleStyle", "the current graph's title, font, colour, shifts and visibility", "colour", "-1 or \"\" leaves a value unchanged"},
  {"LegendTableStyle", "the current graph's legend table: font, colour, position, edge, fill and visibility", "colour, percent of the graph", "-1 or \"\" leaves a value unchanged"},
  {"SymbolStyle", "the selected data set's symbol, size, colours, edge and bar options", "colour, mm", "-1 leaves a value unchanged"},
  {"DataLine", "the selected data set's connecting line: colour, thickness and style (0 none, 1 solid, other dotted)", "colour, pixels", "-1 leaves the colour unchanged"},
  // Members other parts of the control add (kept so that their reference is ready when they arrive).
  {"SetShowXYcoords", "shows or hides the coordinate read-out", "", ""},
  {"CopyToClipboard", "copies the picture to the clipboard", "", ""},
  {"GetGradient", "shows the gradient picker and returns the chosen gradient", "colour, degrees", ""},
  {"GetColor", "shows the colour picker and returns the chosen colour", kColour, ""},
  {"UnZoom", "restores the full range of the current graph's axes", "", ""},
  // Axis properties: the selected axis of the current graph.
  {"AxisTitle", "the axis title (the axis name at first)", "", "any text"},
  {"AxisGridMajor", "major grid lines are drawn", "", ""},
  {"AxisGridMinor", "minor grid lines are drawn", "", ""},
  {"AxisTickLength", "length of the major ticks (minor ticks are 0.7 of it)", "mm", "stored in whole surface units"},
  {"AxisTicksBothEnds", "ticks are drawn at both ends of the axis", "", ""},
  {"AxisTicksInside", "ticks point into the plot area", "", ""},
  {"AxisTicksOutside", "ticks point out of the plot area", "", ""},
  {"AxisTickThickness", "width of the tick lines", "pixels", ""},
  {"AxisMajGridColor", "colour of the major grid lines", kColour, ""},
  {"AxisMinGridColor", "colour of the minor grid lines", kColour, ""},
  {"AxisColor", "colour of the axis line and ticks", kColour, ""},
  {"AxisThickness", "width of the axis line", "pixels", ""},
  {"AxisLabelFont", "font of the tick labels", kFont, ""},
  {"AxisLabelColor", "colour of the tick labels", kColour, ""},
  {"AxisLabelsHoriz", "angle of the tick labels (0 for X axes, 90 for Y axes at first)", "degrees", ""},
  {"AxisLabelShift", "moves the tick labels away from the axis", "mm", ""},
  {"AxisShowLabels", "tick labels are drawn", "", ""},
  {"AxisTitleFont", "font of the axis title", kFont, ""},
  {"AxisTitleColor", "colour of the axis title", kColour, ""},
  {"AxisTitleShift", "moves the title away from the axis", "mm", ""},
  {"AxisShowTitle", "the axis title is drawn", "", ""},
  {"AxisFarSide", "the axis is drawn on the far side of the plot area (top or right)", "", ""},
  {"AxisHide", "the axis is not drawn", "", ""},
  {"AxisValue1", "lower limit; setting it fixes the axis's range (AxisScale 1)", "data values (seconds since 1970 on a time axis)", ""},
  {"AxisValue2", "upper limit; setting it fixes the axis's range (AxisScale 1)", "data values (seconds since 1970 on a time axis)", ""},
  {"AxisViewValue1", "lower limit shown now: AxisValue1 as zoomed and panned (ViewChanged tells of a change)", "data values (seconds since 1970 on a time axis)", "read-only"},
  {"AxisViewValue2", "upper limit shown now: AxisValue2 as zoomed and panned", "data values (seconds since 1970 on a time axis)", "read-only"},
  {"AxisScale", "0 automatic range from the data, 1 fixed limits, 2 fixed limits with AxisTextLabels", "", "0, 1 or 2"},
  {"AxisLog", "logarithmic scale", "", ""},
  {"AxisReverse", "the axis runs from high to low", "", ""},
  {"AxisTextLabels", "comma-separated labels drawn instead of numbers when AxisScale is 2", "", "any text"},
  {"AxisMajorDivs", "number of major divisions (recomputed for automatic axes)", "", ""},
  {"AxisMinorDivs", "minor intervals per major interval; 1 draws no minor ticks", "", ""},
  {"AxisDP", "decimal places (recomputed for automatic axes)", "", ""},
  {"AxisTime", "a time axis: its values are instants, seconds since 1970-01-01 UTC, kept to the millisecond, with calendar ticks and dates for labels; it is linear (AxisLog is cleared when it is drawn) and ignores AxisTextLabels", "", ""},
  {"AxisTimeFormat", "labels of a time axis in a strftime-style format (%Y %m %d %H %M %S %b %a %j %Z %z; %S gives milliseconds on steps below a second); \"\": concise labels that name only what changes, with the full date where the date changes", "", "any text"},
  {"AxisTimeZone", "time zone of a time axis's ticks and labels: \"UTC\" or a name of the IANA zone database such as \"Europe/Berlin\"", "", "a zone the system's database knows (else error 380)"},
  // Legend properties: the current graph's legend table.
  {"LegendShow", "the legend table is drawn", "", ""},
  {"LegendInFront", "the legend table is drawn over the data; else behind it", "", ""},
  {"LegendDragging", "the end user may drag the legend table", "", ""},
  {"LegendFontColor", "colour of the legend texts", kColour, ""},
  {"LegendFont", "font of the legend texts (\"\": the default)", kFont, ""},
  {"LegendTableColor1", "first colour of the legend table's fill", kColour, ""},
  {"LegendTableColor2", "second colour of the legend table's fill", kColour, ""},
  {"LegendGradient", "angle of the legend table's gradient", "degrees", ""},
  {"LegendGshift", "shift of the legend table's gradient", "", ""},
  {"LegendGStyle", "style of the legend table's gradient", "", kGStyle},
  {"LegendEdgeColor", "colour of the legend table's edge", kColour, ""},
  {"LegendEdgeThickness", "width of the legend table's edge", "pixels", "0 to 255"},
  {"LegendTransparent", "the legend table is not filled (nonzero: True, read back as -1)", "", "any Long"},
  {"LegendTableLeft", "left of the legend table", "percent of the graph's width", ""},
  {"LegendTableTop", "top of the legend table", "percent of the graph's height", ""},
  // Graph properties: the current graph.
  {"GraphInclude", "the graph is drawn at all", "", ""},
  {"GraphShowTitle", "the graph title is drawn", "", ""},
  {"GraphAllowZoom", "the end user may zoom the graph", "", ""},
  {"GraphShowXY", "the coordinate read-out is shown for the graph", "", ""},
  {"GraphAllowDragging", "the end user may drag the graph", "", ""},
  {"GraphTitleColor", "colour of the graph title", kColour, ""},
  {"GraphTitleFont", "font of the graph title (\"\": the default)", kFont, ""},
  {"GraphTitleVShift", "vertical shift of the graph title", "", ""},
  {"GraphTitleHShift", "horizontal shift of the graph title", "", ""},
  {"BorderColor1", "first colour of the border band's fill", kColour, ""},
  {"BorderColor2", "second colour of the border band's fill", kColour, ""},
  {"BorderGradient", "angle of the border band's gradient", "degrees", ""},
  {"BorderGShift", "shift of the border band's gradient", "", ""},
  {"BorderGStyle", "style of the border band's gradient", "", kGStyle},
  {"BorderEdgeColor", "colour of the graph's outer edge", kColour, ""},
  {"BorderEdgeThickness", "width of the graph's outer edge", "pixels", "0 to 255"},
  {"BorderTransparent", "the border band is not filled (nonzero: True, read back as -1)", "", "any Long"},
  {"PlotAreaColor1", "first colour of the plot area's fill", kColour, ""},
  {"PlotAreaColor2", "second colour of the plot area's fill", kColour, ""},
  {"PlotAreaGradient", "angle of the plot area's gradient", "degrees", ""},
  {"PlotAreaGShift", "shift of the plot area's gradient", "", ""},
  {"PlotAreaGStyle", "style of the plot area's gradient", "", kGStyle},
  {"PlotAreaTransparent", "the plot area is not filled (nonzero: True, read back as -1)", "", "any Long"},
  {"PlotLeftMargin", "width of the border band left of the plot area (the same as BorderLeft)", "mm", ""},
  {"BorderLeft", "width of the border band left of the plot area", "mm", ""},
  {"PlotRightMargin", "width of the border band right of the plot area (the same as BorderRight)", "mm", ""},
  {"BorderRight", "width of the border band right of the plot area", "mm", ""},
  {"PlotTopMargin", "height of the border band above the plot area (the same as BorderTop)", "mm", ""},
  {"BorderTop", "height of the border band above the plot area", "mm", ""},
  {"PlotBottomMargin", "height of the border band below the plot area (the same as BorderBottom)", "mm", ""},
  {"BorderBottom", "height of the border band below the plot area", "mm", ""},
  {"GraphWholePage", "the graph fills the page (setting a position clears it)", "", ""},
  {"GraphLeft", "left of the graph", "percent of the page's width", ""},
  {"GraphTop", "top of the graph", "percent of the page's height", ""},
  {"GraphWidth", "width of the graph", "percent of the page's width", ""},
  {"GraphHeight", "height of the graph", "percent of the page's height", ""},
  // Page properties: the page behind all graphs (they need a graph to exist).
  {"PageColor1", "first colour of the page fill", kColour, ""},
  {"PageColor2", "second colour of the page fill", kColour, ""},
  {"PageGradient", "angle of the page's gradient", "degrees", ""},
  {"PageGShift", "shift of the page's gradient", "", ""},
  {"PageGStyle", "style of the page's gradient", "", kGStyle},
  {"PageEdgeColor", "colour of the page's edge", kColour, ""},
  {"PageEdgeThickness", "width of the page's edge", "pixels", "0 to 255"},
  {"PageTransparent", "the page is not filled (nonzero: True, read back as -1)", "", "any Long"},
  // Data properties: the selected data set of the current graph.
  {"xAxisIndex", "the data set's X axis", "index from 0", "read-only"},
  {"yAxisIndex", "the data set's Y axis", "index from 0", "read-only"},
  {"DataLegend", "the data set's text in the legend table", "", "any text"},
  {"DataInLegendTable", "the data set has a row in the legend table", "", ""},
  {"DataSymbol", "symbol: 0 none, 1 bar, 2 dot, 3 circle, 4 square, 5 diamond, 6 and 7 triangles, 8 and 9 rectangles, 10 plus, 11 cross; other values draw the character of that code", "", ""},
  {"DataSymbolSize", "size of the symbols", "mm", "stored as half the size in whole surface units"},
  {"DataSymbolColor", "fill colour of symbols and bars", kColour, ""},
  {"DataSymbolEdgeColor", "outline colour of symbols and bars", kColour, ""},
  {"DataSymbolEdgeThickness", "outline width of symbols and bars (0: outlined in the fill colour)", "pixels", ""},
  {"DataLineStyle", "connecting line: 0 none, 1 solid, other values dotted", "", ""},
  {"DataLineColor", "colour of the connecting line", kColour, ""},
  {"DataLineThickness", "width of the connecting line", "pixels", ""},
  {"DataTransparent", "symbols and bars are outlined only", "", ""},
  {"DataHide", "the data set is not drawn", "", ""},
  {"MathFunc", "the formula of x the data set draws as a curve (\"\": none)", "", "any formula"},
  {"MathFuncX1", "start of the curve's X range", "data values", ""},
  {"MathFuncX2", "end of the curve's X range", "data values", ""},
  {"BarShadowColor", "colour of the bars' shadow", kColour, ""},
  {"BarShadow", "bars cast a shadow", "", ""},
  {"BarHoriz", "bars are horizontal", "", ""},
  {"Bar3D", "bars are drawn shaded as blocks", "", ""},
  {"BarStacked", "bars stack on those of the earlier data sets", "", ""},
  {"BarBase", "bars start at BarBaseValue instead of the axis", "", ""},
  {"BarBaseValue", "where bars start when BarBase is set", "data values", ""},
  {"BarOffset", "shift of the bars beside those of other data sets", "", ""},
  {"ShowErrorBar", "error bars are drawn from the points' E values", "", ""},
  {"DataText", "the data set's free text (\"\": none)", "", "any text"},
  {"DataTextX", "X of the free text", "data values, or percent with DataTextPercent", ""},
  {"DataTextY", "Y of the free text", "data values, or percent with DataTextPercent", ""},
  {"DataTextOri", "reference point of the free text: horizontal alignment (mod 3) and vertical (div 3)", "", "0 to 8"},
  {"DataTextFont", "font of the free text", kFont, ""},
  {"DataTextColor", "colour of the free text", kColour, ""},
  {"DataTextAngle", "angle of the free text", "degrees", ""},
  {"DataTextPercent", "DataTextX and DataTextY are percent of the plot area", "", ""},
};
// clang-format on

const MemberDoc* FindDoc(const std::string& name) {
  static const std::map<std::string, const MemberDoc*> byName = [] {
    std::map<std::string, const MemberDoc*> m;
    for (const MemberDoc& d : kDocs) m[UpperCase(d.Name)] = &d;
    return m;
  }();
  auto it = byName.find(UpperCase(name));
  return it == byName.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- defaults and ranges

std::string TypeRange(VarType t) {
  switch (t) {
    case VarType::Boolean:
      return "True or False";
    case VarType::Byte:
      return "0 to 255";
    case VarType::Integer:
      return "-32768 to 32767";
    case VarType::Long:
      return "-2147483648 to 2147483647";
    case VarType::Single:
      return "a Single (about 7 digits)";
    case VarType::Double:
      return "a Double";
    case VarType::String:
      return "any text";
    default:
      return "";
  }
}

std::string RangeOf(const MemberInfo& m, const MemberDoc* d) {
  if (d && d->Range[0]) return d->Range;
  if (d && std::string(d->Unit) == kColour)
    return "&H000000 to &HFFFFFF (RGB(r, g, b) in scripts), or &H800000nn for system colour nn";
  return m.Kind == MemberKind::Property ? TypeRange(m.Type) : "";
}

// What a property reads on a new control with one graph (NewGraph) and one data set (NewDataSet).
std::string DefaultOf(const MemberInfo& m, const MemberDoc* d) {
  if (m.Kind != MemberKind::Property) return "";
  static Plotara* control = [] {
    static Plotara p;
    p.ResizePicture(800, 600);
    p.NewGraph("Graph");
    p.NewDataSet("Data");
    return &p;
  }();
  try {
    const Variant v = m.Get(*control);
    if (v.Type() == VarType::String) return "\"" + v.ToString() + "\"";
    if (v.Type() == VarType::Long && d && std::string(d->Unit) == kColour) {
      char hex[16];
      std::snprintf(hex, sizeof hex, "&H%06X", static_cast<uint32_t>(v.ToLong()));
      return hex;
    }
    return v.ToString();
  } catch (const AutomationError&) {
    return "";
  }
}

// ---------------------------------------------------------------- the reference of each member

// One entry per member of the table, in its order; built once, with the defaults read from one control.
const std::vector<std::optional<MemberText>>& Texts() {
  static const std::vector<std::optional<MemberText>> texts = [] {
    std::vector<std::optional<MemberText>> all;
    for (const MemberInfo& m : Members().All()) {
      const MemberDoc* d = FindDoc(m.Name);
      if (!d) {
        all.emplace_back();
        continue;
      }
      all.push_back(MemberText{d->Meaning, d->Unit, DefaultOf(m, d), RangeOf(m, d)});
    }
    return all;
  }();
  return texts;
}

}  // namespace

const MemberText* MemberTextOf(std::string_view name) {
  const MemberInfo* m = Members().Find(name);
  if (!m) return nullptr;
  const std::optional<MemberText>& t = Texts()[static_cast<size_t>(m - Members().All().data())];
  return t ? &*t : nullptr;
}

}  // namespace plotara
