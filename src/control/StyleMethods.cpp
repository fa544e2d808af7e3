// Style methods: each sets a group of fields in one call, applying its rows in order through the
// property accessors. A failing row (9 for a missing record, 6 for a value that does not fit) is
// reported under the method's name; the rows before it stay applied.
#include "control/Properties.h"
#include "control/PropertyConversions.h"
#include "model/Graphs.h"
#include "plotara/Plotara.h"

namespace plotara {

namespace {

constexpr int32_t kNotGiven = -1;
constexpr int16_t kStyleNotGiven = 99;

// The setters of one filled area, for the fill methods.
struct FillSetters {
  void (*color1)(Control&, int32_t);
  void (*color2)(Control&, int32_t);
  void (*angle)(Control&, int16_t);
  void (*shift)(Control&, float);
  void (*style)(Control&, float);
  void (*transparent)(Control&, int32_t);
};

void ApplyFill(Control& c, const FillSetters& f, int32_t color1, int32_t color2, int16_t angle, float shift,
               int16_t style, bool transparent) {
  if (color1 != kNotGiven) f.color1(c, color1);
  if (color2 == kNotGiven) color2 = color1;  // one colour given: a plain area
  if (color2 != kNotGiven) f.color2(c, color2);
  if (angle != kNotGiven) f.angle(c, angle);
  if (shift != kNotGiven) f.shift(c, shift);
  if (style != kStyleNotGiven) f.style(c, style);
  f.transparent(c, transparent ? -1 : 0);
}

constexpr FillSetters kPageFill{[](Control& c, int32_t v) { prop::PageColor1(c, v); },
                                [](Control& c, int32_t v) { prop::PageColor2(c, v); },
                                [](Control& c, int16_t v) { prop::PageGradient(c, v); },
                                [](Control& c, float v) { prop::PageGShift(c, v); },
                                [](Control& c, float v) { prop::PageGStyle(c, v); },
                                [](Control& c, int32_t v) { prop::PageTransparent(c, v); }};

constexpr FillSetters kPlotAreaFill{[](Control& c, int32_t v) { prop::PlotAreaColor1(c, v); },
                                    [](Control& c, int32_t v) { prop::PlotAreaColor2(c, v); },
                                    [](Control& c, int16_t v) { prop::PlotAreaGradient(c, v); },
                                    [](Control& c, float v) { prop::PlotAreaGShift(c, v); },
                                    [](Control& c, float v) { prop::PlotAreaGStyle(c, v); },
                                    [](Control& c, int32_t v) { prop::PlotAreaTransparent(c, v); }};

constexpr FillSetters kBorderFill{[](Control& c, int32_t v) { prop::BorderColor1(c, v); },
                                  [](Control& c, int32_t v) { prop::BorderColor2(c, v); },
                                  [](Control& c, int16_t v) { prop::BorderGradient(c, v); },
                                  [](Control& c, float v) { prop::BorderGShift(c, v); },
                                  [](Control& c, float v) { prop::BorderGStyle(c, v); },
                                  [](Control& c, int32_t v) { prop::BorderTransparent(c, v); }};

constexpr FillSetters kLegendFill{[](Control& c, int32_t v) { prop::LegendTableColor1(c, v); },
                                  [](Control& c, int32_t v) { prop::LegendTableColor2(c, v); },
                                  [](Control& c, int16_t v) { prop::LegendGradient(c, v); },
                                  [](Control& c, float v) { prop::LegendGshift(c, v); },
                                  [](Control& c, float v) { prop::LegendGStyle(c, v); },
                                  [](Control& c, int32_t v) { prop::LegendTransparent(c, v); }};

}  // namespace

void Plotara::AxisStyle(int32_t LineColor, int16_t LineThickness, bool LogScale, bool Reverse, bool FarSide) {
  Control& c = *c_;
  c.Guard("AxisStyle", [&] {
    if (LineColor != kNotGiven) prop::AxisColor(c, LineColor);
    if (LineThickness != kNotGiven) prop::AxisThickness(c, conv::Narrow<uint8_t>(LineThickness));
    prop::AxisLog(c, LogScale);
    prop::AxisReverse(c, Reverse);
    prop::AxisFarSide(c, FarSide);
  });
}

void Plotara::AxisScaleStyle(double Value1, double Value2, const std::string& TextLabels, int16_t ScaleStyle,
                             int16_t MajorDivs, int16_t MinorDivs) {
  Control& c = *c_;
  c.Guard("AxisScaleStyle", [&] {
    prop::AxisValue1(c, Value1);
    prop::AxisValue2(c, Value2);
    if (!TextLabels.empty()) prop::AxisTextLabels(c, TextLabels);
    if (ScaleStyle != kNotGiven) prop::AxisScale(c, conv::Narrow<uint8_t>(ScaleStyle));
    if (MajorDivs != kNotGiven) prop::AxisMajorDivs(c, MajorDivs);
    if (MinorDivs != kNotGiven) prop::AxisMinorDivs(c, MinorDivs);
  });
}

void Plotara::AxisTitleStyle(const std::string& Title, const std::string& Font, int32_t FontColor,
                             int32_t Shift, bool Show) {
  Control& c = *c_;
  c.Guard("AxisTitleStyle", [&] {
    if (!Title.empty()) prop::AxisTitle(c, Variant(Title));
    if (!Font.empty()) prop::AxisTitleFont(c, Font);
    if (FontColor != kNotGiven) prop::AxisTitleColor(c, FontColor);
    prop::AxisTitleShift(c, static_cast<float>(Shift));
    prop::AxisShowTitle(c, Show);
  });
}

void Plotara::AxisLabelStyle(const std::string& Font, int32_t FontColor, int32_t Shift, float LabelAngle,
                             bool Show) {
  Control& c = *c_;
  c.Guard("AxisLabelStyle", [&] {
    if (!Font.empty()) prop::AxisLabelFont(c, Font);
    if (FontColor != kNotGiven) prop::AxisLabelColor(c, FontColor);
    prop::AxisLabelShift(c, static_cast<float>(Shift));
    prop::AxisLabelsHoriz(c, CInt(LabelAngle));
    prop::AxisShowLabels(c, Show);
  });
}

void Plotara::AxisGridStyle(int32_t MajorGridColor, int32_t MinorGridColor, bool MajorGridShow,
                            bool MinorGridShow) {
  Control& c = *c_;
  c.Guard("AxisGridStyle", [&] {
    if (MajorGridColor != kNotGiven) prop::AxisMajGridColor(c, MajorGridColor);
    if (MinorGridColor != kNotGiven) prop::AxisMinGridColor(c, MinorGridColor);
    prop::AxisGridMajor(c, MajorGridShow);
    prop::AxisGridMinor(c, MinorGridShow);
  });
}

void Plotara::AxisTickStyle(int16_t Thickness, float Length, bool Inside, bool Outside, bool BothEnds) {
  Control& c = *c_;
  c.Guard("AxisTickStyle", [&] {
    if (Thickness != kNotGiven) prop::AxisTickThickness(c, conv::Narrow<uint8_t>(Thickness));
    if (Length != kNotGiven) prop::AxisTickLength(c, Length);
    prop::AxisTicksInside(c, Inside);
    prop::AxisTicksOutside(c, Outside);
    prop::AxisTicksBothEnds(c, BothEnds);
  });
}

void Plotara::GraphPosition(float Left, float Top, float Width, float Height) {
  Control& c = *c_;
  c.Guard("GraphPosition", [&] {
    GraphRecord& g = c.Current();
    if (Left != kNotGiven) g.PosLeft = Left / 100;
    if (Top != kNotGiven) g.PosTop = Top / 100;
    if (Width != kNotGiven) g.PosWidth = Width / 100;
    if (Height != kNotGiven) g.PosHeight = Height / 100;
    g.GraphWholePage = false;
  });
}

void Plotara::BorderWidths(float Left, float Top, float Right, float Bottom) {
  Control& c = *c_;
  c.Guard("BorderWidths", [&] {
    if (Left != kNotGiven) prop::BorderLeft(c, Left);
    if (Top != kNotGiven) prop::BorderTop(c, Top);
    if (Right != kNotGiven) prop::BorderRight(c, Right);
    if (Bottom != kNotGiven) prop::BorderBottom(c, Bottom);
  });
}

void Plotara::PageColors(int32_t Color1, int32_t Color2, int16_t GradientAngle, float gShift, int16_t gStyle,
                         bool Transparent) {
  c_->Guard("PageColors",
            [&] { ApplyFill(*c_, kPageFill, Color1, Color2, GradientAngle, gShift, gStyle, Transparent); });
}

void Plotara::PlotAreaColors(int32_t Color1, int32_t Color2, int16_t GradientAngle, float gShift,
                             int16_t gStyle, bool Transparent) {
  c_->Guard("PlotAreaColors", [&] {
    ApplyFill(*c_, kPlotAreaFill, Color1, Color2, GradientAngle, gShift, gStyle, Transparent);
  });
}

void Plotara::BorderStyle(int32_t Color1, int32_t Color2, int16_t GradientAngle, float gShift, int16_t gStyle,
                          bool Transparent, float Left, float Top, float Right, float Bottom) {
  const bool filled = c_->Guard("BorderStyle", [&] {
    ApplyFill(*c_, kBorderFill, Color1, Color2, GradientAngle, gShift, gStyle, Transparent);
  });
  if (filled) BorderWidths(Left, Top, Right, Bottom);
}

void Plotara::GraphTitleStyle(const std::string& Title, const std::string& Font, int32_t FontColor,
                              int16_t HorizShift, int32_t VerticalShift, bool Show) {
  Control& c = *c_;
  c.Guard("GraphTitleStyle", [&] {
    c.Current();
    if (!Title.empty()) c.GraphNames[static_cast<size_t>(c.CurrentGraph)] = Title;
    if (!Font.empty()) prop::GraphTitleFont(c, Font);
    if (FontColor != kNotGiven) prop::GraphTitleColor(c, FontColor);
    prop::GraphTitleHShift(c, static_cast<float>(HorizShift));
    prop::GraphTitleVShift(c, static_cast<float>(VerticalShift));
    prop::GraphShowTitle(c, Show);
  });
}

void Plotara::LegendTableStyle(const std::string& Font, int32_t FontColor, float LeftPercent,
                               float TopPercent, int32_t EdgeColor, int16_t EdgeThickness, int32_t Color1,
                               int32_t Color2, int16_t GradientAngle, float gShift, int16_t gStyle,
                               bool Transparent, bool Show) {
  Control& c = *c_;
  c.Guard("LegendTableStyle", [&] {
    if (!Font.empty()) prop::LegendFont(c, Font);
    if (FontColor != kNotGiven) prop::LegendFontColor(c, FontColor);
    if (LeftPercent != kNotGiven) prop::LegendTableLeft(c, LeftPercent);
    if (TopPercent != kNotGiven) prop::LegendTableTop(c, TopPercent);
    if (EdgeColor != kNotGiven) prop::LegendEdgeColor(c, EdgeColor);
    if (EdgeThickness != kNotGiven) prop::LegendEdgeThickness(c, EdgeThickness);
    ApplyFill(c, kLegendFill, Color1, Color2, GradientAngle, gShift, gStyle, Transparent);
    prop::LegendShow(c, Show);
  });
}

void Plotara::SymbolStyle(int16_t Symbol, float Size, int32_t Color1, int32_t Color2, int16_t EdgeThickness,
                          bool Bar3D, float BarOffset, bool BarShadow, bool Stacked, bool BarBase,
                          double BarBaseValue, bool ShowErrorBar) {
  Control& c = *c_;
  c.Guard("SymbolStyle", [&] {
    if (Symbol != kNotGiven) prop::DataSymbol(c, Symbol);
    if (Size != kNotGiven) prop::DataSymbolSize(c, Size);
    if (Color1 != kNotGiven) prop::DataSymbolColor(c, Color1);
    if (Color2 == kNotGiven) Color2 = Color1;  // the outline follows the symbol colour
    if (Color2 != kNotGiven) prop::DataSymbolEdgeColor(c, Color2);
    if (EdgeThickness != kNotGiven) prop::DataSymbolEdgeThickness(c, conv::Narrow<uint8_t>(EdgeThickness));
    prop::Bar3D(c, Bar3D);
    prop::BarOffset(c, BarOffset);
    prop::BarShadow(c, BarShadow);
    prop::BarStacked(c, Stacked);
    prop::BarBase(c, BarBase);
    prop::BarBaseValue(c, BarBaseValue);
    prop::ShowErrorBar(c, ShowErrorBar);
  });
}

void Plotara::DataLine(int32_t Color, int16_t Thickness, int16_t Style) {
  Control& c = *c_;
  c.Guard("DataLine", [&] {
    DataSetRecord& d = RecordOfData(c);
    if (Color != kNotGiven) d.DataLineColor = Color;
    if (Thickness != kNotGiven) d.DataLineThickness = Thickness;
    if (Style != kNotGiven) d.DataLineStyle = Style;
  });
}

}  // namespace plotara
