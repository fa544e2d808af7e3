// Style methods: each sets a group of fields in one call, applying its rows in order through the
// property accessors. A failing row (9 for a missing record, 6 for a value that does not fit) is
// reported under the method's name; the rows before it stay applied.
#include "control/Control.h"
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
  void (*color1)(ControlState&, int32_t);
  void (*color2)(ControlState&, int32_t);
  void (*angle)(ControlState&, int16_t);
  void (*shift)(ControlState&, float);
  void (*style)(ControlState&, float);
  void (*transparent)(ControlState&, int32_t);
};

void ApplyFill(ControlState& s, const FillSetters& f, int32_t color1, int32_t color2, int16_t angle,
               float shift, int16_t style, bool transparent) {
  if (color1 != kNotGiven) f.color1(s, color1);
  if (color2 == kNotGiven) color2 = color1;  // one colour given: a plain area
  if (color2 != kNotGiven) f.color2(s, color2);
  if (angle != kNotGiven) f.angle(s, angle);
  if (shift != kNotGiven) f.shift(s, shift);
  if (style != kStyleNotGiven) f.style(s, style);
  f.transparent(s, transparent ? -1 : 0);
}

constexpr FillSetters kPageFill{[](ControlState& s, int32_t v) { prop::PageColor1(s, v); },
                                [](ControlState& s, int32_t v) { prop::PageColor2(s, v); },
                                [](ControlState& s, int16_t v) { prop::PageGradient(s, v); },
                                [](ControlState& s, float v) { prop::PageGShift(s, v); },
                                [](ControlState& s, float v) { prop::PageGStyle(s, v); },
                                [](ControlState& s, int32_t v) { prop::PageTransparent(s, v); }};

constexpr FillSetters kPlotAreaFill{[](ControlState& s, int32_t v) { prop::PlotAreaColor1(s, v); },
                                    [](ControlState& s, int32_t v) { prop::PlotAreaColor2(s, v); },
                                    [](ControlState& s, int16_t v) { prop::PlotAreaGradient(s, v); },
                                    [](ControlState& s, float v) { prop::PlotAreaGShift(s, v); },
                                    [](ControlState& s, float v) { prop::PlotAreaGStyle(s, v); },
                                    [](ControlState& s, int32_t v) { prop::PlotAreaTransparent(s, v); }};

constexpr FillSetters kBorderFill{[](ControlState& s, int32_t v) { prop::BorderColor1(s, v); },
                                  [](ControlState& s, int32_t v) { prop::BorderColor2(s, v); },
                                  [](ControlState& s, int16_t v) { prop::BorderGradient(s, v); },
                                  [](ControlState& s, float v) { prop::BorderGShift(s, v); },
                                  [](ControlState& s, float v) { prop::BorderGStyle(s, v); },
                                  [](ControlState& s, int32_t v) { prop::BorderTransparent(s, v); }};

constexpr FillSetters kLegendFill{[](ControlState& s, int32_t v) { prop::LegendTableColor1(s, v); },
                                  [](ControlState& s, int32_t v) { prop::LegendTableColor2(s, v); },
                                  [](ControlState& s, int16_t v) { prop::LegendGradient(s, v); },
                                  [](ControlState& s, float v) { prop::LegendGshift(s, v); },
                                  [](ControlState& s, float v) { prop::LegendGStyle(s, v); },
                                  [](ControlState& s, int32_t v) { prop::LegendTransparent(s, v); }};

}  // namespace

void Plotara::AxisStyle(int32_t LineColor, int16_t LineThickness, bool LogScale, bool Reverse, bool FarSide) {
  ControlState& s = c_->State;
  c_->Notify.Guard("AxisStyle", [&] {
    if (LineColor != kNotGiven) prop::AxisColor(s, LineColor);
    if (LineThickness != kNotGiven) prop::AxisThickness(s, conv::Narrow<uint8_t>(LineThickness));
    prop::AxisLog(s, LogScale);
    prop::AxisReverse(s, Reverse);
    prop::AxisFarSide(s, FarSide);
  });
}

void Plotara::AxisScaleStyle(double Value1, double Value2, const std::string& TextLabels, int16_t ScaleStyle,
                             int16_t MajorDivs, int16_t MinorDivs) {
  ControlState& s = c_->State;
  c_->Notify.Guard("AxisScaleStyle", [&] {
    prop::AxisValue1(s, c_->Notify, Value1);
    prop::AxisValue2(s, c_->Notify, Value2);
    if (!TextLabels.empty()) prop::AxisTextLabels(s, TextLabels);
    if (ScaleStyle != kNotGiven) prop::AxisScale(s, c_->Notify, conv::Narrow<uint8_t>(ScaleStyle));
    if (MajorDivs != kNotGiven) prop::AxisMajorDivs(s, MajorDivs);
    if (MinorDivs != kNotGiven) prop::AxisMinorDivs(s, MinorDivs);
  });
}

void Plotara::AxisTitleStyle(const std::string& Title, const std::string& Font, int32_t FontColor,
                             int32_t Shift, bool Show) {
  ControlState& s = c_->State;
  c_->Notify.Guard("AxisTitleStyle", [&] {
    if (!Title.empty()) prop::AxisTitle(s, Variant(Title));
    if (!Font.empty()) prop::AxisTitleFont(s, Font);
    if (FontColor != kNotGiven) prop::AxisTitleColor(s, FontColor);
    prop::AxisTitleShift(s, static_cast<float>(Shift));
    prop::AxisShowTitle(s, Show);
  });
}

void Plotara::AxisLabelStyle(const std::string& Font, int32_t FontColor, int32_t Shift, float LabelAngle,
                             bool Show) {
  ControlState& s = c_->State;
  c_->Notify.Guard("AxisLabelStyle", [&] {
    if (!Font.empty()) prop::AxisLabelFont(s, Font);
    if (FontColor != kNotGiven) prop::AxisLabelColor(s, FontColor);
    prop::AxisLabelShift(s, static_cast<float>(Shift));
    prop::AxisLabelsHoriz(s, CInt(LabelAngle));
    prop::AxisShowLabels(s, Show);
  });
}

void Plotara::AxisGridStyle(int32_t MajorGridColor, int32_t MinorGridColor, bool MajorGridShow,
                            bool MinorGridShow) {
  ControlState& s = c_->State;
  c_->Notify.Guard("AxisGridStyle", [&] {
    if (MajorGridColor != kNotGiven) prop::AxisMajGridColor(s, MajorGridColor);
    if (MinorGridColor != kNotGiven) prop::AxisMinGridColor(s, MinorGridColor);
    prop::AxisGridMajor(s, MajorGridShow);
    prop::AxisGridMinor(s, MinorGridShow);
  });
}

void Plotara::AxisTickStyle(int16_t Thickness, float Length, bool Inside, bool Outside, bool BothEnds) {
  ControlState& s = c_->State;
  c_->Notify.Guard("AxisTickStyle", [&] {
    if (Thickness != kNotGiven) prop::AxisTickThickness(s, conv::Narrow<uint8_t>(Thickness));
    if (Length != kNotGiven) prop::AxisTickLength(s, Length);
    prop::AxisTicksInside(s, Inside);
    prop::AxisTicksOutside(s, Outside);
    prop::AxisTicksBothEnds(s, BothEnds);
  });
}

void Plotara::GraphPosition(float Left, float Top, float Width, float Height) {
  ControlState& s = c_->State;
  c_->Notify.Guard("GraphPosition", [&] {
    GraphRecord& g = s.Current();
    if (Left != kNotGiven) g.PosLeft = Left / 100;
    if (Top != kNotGiven) g.PosTop = Top / 100;
    if (Width != kNotGiven) g.PosWidth = Width / 100;
    if (Height != kNotGiven) g.PosHeight = Height / 100;
    g.GraphWholePage = false;
  });
}

void Plotara::BorderWidths(float Left, float Top, float Right, float Bottom) {
  ControlState& s = c_->State;
  c_->Notify.Guard("BorderWidths", [&] {
    if (Left != kNotGiven) prop::BorderLeft(s, Left);
    if (Top != kNotGiven) prop::BorderTop(s, Top);
    if (Right != kNotGiven) prop::BorderRight(s, Right);
    if (Bottom != kNotGiven) prop::BorderBottom(s, Bottom);
  });
}

void Plotara::PageColors(int32_t Color1, int32_t Color2, int16_t GradientAngle, float gShift, int16_t gStyle,
                         bool Transparent) {
  c_->Notify.Guard("PageColors", [&] {
    ApplyFill(c_->State, kPageFill, Color1, Color2, GradientAngle, gShift, gStyle, Transparent);
  });
}

void Plotara::PlotAreaColors(int32_t Color1, int32_t Color2, int16_t GradientAngle, float gShift,
                             int16_t gStyle, bool Transparent) {
  c_->Notify.Guard("PlotAreaColors", [&] {
    ApplyFill(c_->State, kPlotAreaFill, Color1, Color2, GradientAngle, gShift, gStyle, Transparent);
  });
}

void Plotara::BorderStyle(int32_t Color1, int32_t Color2, int16_t GradientAngle, float gShift, int16_t gStyle,
                          bool Transparent, float Left, float Top, float Right, float Bottom) {
  const bool filled = c_->Notify.Guard("BorderStyle", [&] {
    ApplyFill(c_->State, kBorderFill, Color1, Color2, GradientAngle, gShift, gStyle, Transparent);
  });
  if (filled) BorderWidths(Left, Top, Right, Bottom);
}

void Plotara::GraphTitleStyle(const std::string& Title, const std::string& Font, int32_t FontColor,
                              int16_t HorizShift, int32_t VerticalShift, bool Show) {
  ControlState& s = c_->State;
  c_->Notify.Guard("GraphTitleStyle", [&] {
    s.Current();
    if (!Title.empty()) s.GraphNames[static_cast<size_t>(s.CurrentGraph)] = Title;
    if (!Font.empty()) prop::GraphTitleFont(s, Font);
    if (FontColor != kNotGiven) prop::GraphTitleColor(s, FontColor);
    prop::GraphTitleHShift(s, static_cast<float>(HorizShift));
    prop::GraphTitleVShift(s, static_cast<float>(VerticalShift));
    prop::GraphShowTitle(s, Show);
  });
}

void Plotara::LegendTableStyle(const std::string& Font, int32_t FontColor, float LeftPercent,
                               float TopPercent, int32_t EdgeColor, int16_t EdgeThickness, int32_t Color1,
                               int32_t Color2, int16_t GradientAngle, float gShift, int16_t gStyle,
                               bool Transparent, bool Show) {
  ControlState& s = c_->State;
  c_->Notify.Guard("LegendTableStyle", [&] {
    if (!Font.empty()) prop::LegendFont(s, Font);
    if (FontColor != kNotGiven) prop::LegendFontColor(s, FontColor);
    if (LeftPercent != kNotGiven) prop::LegendTableLeft(s, LeftPercent);
    if (TopPercent != kNotGiven) prop::LegendTableTop(s, TopPercent);
    if (EdgeColor != kNotGiven) prop::LegendEdgeColor(s, EdgeColor);
    if (EdgeThickness != kNotGiven) prop::LegendEdgeThickness(s, EdgeThickness);
    ApplyFill(s, kLegendFill, Color1, Color2, GradientAngle, gShift, gStyle, Transparent);
    prop::LegendShow(s, Show);
  });
}

void Plotara::SymbolStyle(int16_t Symbol, float Size, int32_t Color1, int32_t Color2, int16_t EdgeThickness,
                          bool Bar3D, float BarOffset, bool BarShadow, bool Stacked, bool BarBase,
                          double BarBaseValue, bool ShowErrorBar) {
  ControlState& s = c_->State;
  c_->Notify.Guard("SymbolStyle", [&] {
    if (Symbol != kNotGiven) prop::DataSymbol(s, Symbol);
    if (Size != kNotGiven) prop::DataSymbolSize(s, Size);
    if (Color1 != kNotGiven) prop::DataSymbolColor(s, Color1);
    if (Color2 == kNotGiven) Color2 = Color1;  // the outline follows the symbol colour
    if (Color2 != kNotGiven) prop::DataSymbolEdgeColor(s, Color2);
    if (EdgeThickness != kNotGiven) prop::DataSymbolEdgeThickness(s, conv::Narrow<uint8_t>(EdgeThickness));
    prop::Bar3D(s, Bar3D);
    prop::BarOffset(s, BarOffset);
    prop::BarShadow(s, BarShadow);
    prop::BarStacked(s, Stacked);
    prop::BarBase(s, BarBase);
    prop::BarBaseValue(s, BarBaseValue);
    prop::ShowErrorBar(s, ShowErrorBar);
  });
}

void Plotara::DataLine(int32_t Color, int16_t Thickness, int16_t Style) {
  ControlState& s = c_->State;
  c_->Notify.Guard("DataLine", [&] {
    DataSetRecord& d = RecordOfData(s);
    if (Color != kNotGiven) d.DataLineColor = Color;
    if (Thickness != kNotGiven) d.DataLineThickness = Thickness;
    if (Style != kNotGiven) d.DataLineStyle = Style;
  });
}

}  // namespace plotara
