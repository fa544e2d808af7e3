// Member-table rows of the methods for graphs, axes, data sets, drawing and styles.
#include "control/MemberRows.h"
#include "plotara/Plotara.h"

namespace plotara {

namespace {

using Args = std::vector<Variant>;
constexpr VarType kBool = VarType::Boolean, kByte = VarType::Byte, kInt = VarType::Integer,
                  kLong = VarType::Long, kSng = VarType::Single, kDbl = VarType::Double,
                  kStr = VarType::String;

ParamInfo Req(const char* name, VarType t) {
  return {name, t, false, Variant(), false};
}
ParamInfo Opt(const char* name, VarType t, Variant def) {
  return {name, t, true, std::move(def), false};
}
// Arguments the method fills in; a host may leave them out.
ParamInfo Out(const char* name, VarType t) {
  return {name, t, true, Variant(), true};
}

// The parameters shared by the fill methods.
std::vector<ParamInfo> FillParams() {
  return {Opt("Color1", kLong, int32_t{-1}),       Opt("Color2", kLong, int32_t{-1}),
          Opt("GradientAngle", kInt, int16_t{-1}), Opt("gShift", kSng, -1.0f),
          Opt("gStyle", kInt, int16_t{1}),         Opt("Transparent", kBool, false)};
}

template <class ListMethod>
Variant NameList(Plotara& p, Args& a, ListMethod list) {
  std::vector<std::string> names = a[0].ToStringArray();
  int16_t count = a[1].ToInteger();
  (p.*list)(names, count);
  a[0] = Variant(std::move(names));
  a[1] = Variant(count);
  return Variant();
}

}  // namespace

void AddGraphMembers(MemberTable& t) {
  t.AddMethod("NewGraph", VarType::Empty,
              {Req("GraphName", kStr), Opt("x1", kDbl, 0.0), Opt("x2", kDbl, 0.0), Opt("y1", kDbl, 0.0),
               Opt("y2", kDbl, 0.0)},
              [](Plotara& p, Args& a) {
                p.NewGraph(a[0].ToString(), a[1].ToDouble(), a[2].ToDouble(), a[3].ToDouble(),
                           a[4].ToDouble());
                return Variant();
              });
  t.AddMethod("NewXAxis", VarType::Empty, {Req("AxisName", kStr), Opt("a1", kDbl, 0.0), Opt("a2", kDbl, 0.0)},
              [](Plotara& p, Args& a) {
                p.NewXAxis(a[0].ToString(), a[1].ToDouble(), a[2].ToDouble());
                return Variant();
              });
  t.AddMethod("NewYAxis", VarType::Empty, {Req("AxisName", kStr), Opt("y1", kDbl, 0.0), Opt("y2", kDbl, 0.0)},
              [](Plotara& p, Args& a) {
                p.NewYAxis(a[0].ToString(), a[1].ToDouble(), a[2].ToDouble());
                return Variant();
              });
  t.AddMethod("SetSelectedGraph", VarType::Empty, {Req("GraphIndex", kInt)}, [](Plotara& p, Args& a) {
    p.SetSelectedGraph(a[0].ToInteger());
    return Variant();
  });
  t.AddMethod("GetSelectedGraph", kInt, {}, [](Plotara& p, Args&) { return Variant(p.GetSelectedGraph()); });
  t.AddMethod("SelectXaxis", kInt, {Opt("Index", kInt, int16_t{1})},
              [](Plotara& p, Args& a) { return Variant(p.SelectXaxis(a[0].ToInteger())); });
  t.AddMethod("SelectYaxis", kInt, {Opt("Index", kInt, int16_t{1})},
              [](Plotara& p, Args& a) { return Variant(p.SelectYaxis(a[0].ToInteger())); });
  t.AddMethod("SetSelectedAxis", kInt, {Req("AxisIndex", kInt)},
              [](Plotara& p, Args& a) { return Variant(p.SetSelectedAxis(a[0].ToInteger())); });
  t.AddMethod("GetSelectedAxisIndex", kInt, {Req("XY", kInt)},
              [](Plotara& p, Args& a) { return Variant(p.GetSelectedAxisIndex(a[0].ToInteger())); });
  t.AddMethod("GetAxisNames", VarType::Empty, {Out("AxisNames", VarType::StringArray), Out("NumAxes", kInt)},
              [](Plotara& p, Args& a) { return NameList(p, a, &Plotara::GetAxisNames); });
  t.AddMethod("GetDataSetNames", VarType::Empty,
              {Out("DataSetNames", VarType::StringArray), Out("NumDataSets", kInt)},
              [](Plotara& p, Args& a) { return NameList(p, a, &Plotara::GetDataSetNames); });
  t.AddMethod("GetGraphNames", VarType::Empty,
              {Out("GraphTitles", VarType::StringArray), Out("NumGraphs", kInt)},
              [](Plotara& p, Args& a) { return NameList(p, a, &Plotara::GetGraphNames); });
  t.AddMethod("SetSelectedData", VarType::Empty, {Req("DataIndex", kInt)}, [](Plotara& p, Args& a) {
    p.SetSelectedData(a[0].ToInteger());
    return Variant();
  });
  t.AddMethod("GetSelectedData", VarType::Empty, {Out("DataIndex", kInt)}, [](Plotara& p, Args& a) {
    int16_t index = a[0].ToInteger();
    p.GetSelectedData(index);
    a[0] = Variant(index);
    return Variant();
  });
  t.AddMethod("Refresh", VarType::Empty, {}, [](Plotara& p, Args&) {
    p.Refresh();
    return Variant();
  });
  t.AddMethod("RefreshCurrentGraph", VarType::Empty, {}, [](Plotara& p, Args&) {
    p.RefreshCurrentGraph();
    return Variant();
  });
  t.AddMethod("SetShowXYcoords", VarType::Empty, {Req("TF", kBool)}, [](Plotara& p, Args& a) {
    p.SetShowXYcoords(a[0].ToBoolean());
    return Variant();
  });
  t.AddMethod("CopyToClipboard", VarType::Empty, {}, [](Plotara& p, Args&) {
    p.CopyToClipboard();
    return Variant();
  });
  t.AddMethod("RefreshGraphs", VarType::Empty, {Req("WhichIndex", kInt), Req("LegndOnPic1", kBool)},
              [](Plotara& p, Args& a) {
                p.RefreshGraphs(a[0].ToInteger(), a[1].ToBoolean());
                return Variant();
              });
}

void AddDataMembers(MemberTable& t) {
  t.AddMethod("NewDataSet", VarType::Empty, {Req("Legend", kStr), Opt("InLegendTable", kBool, true)},
              [](Plotara& p, Args& a) {
                p.NewDataSet(a[0].ToString(), a[1].ToBoolean());
                return Variant();
              });
  t.AddMethod("AddDataPoint", VarType::Empty, {Req("X", kDbl), Req("Y", kDbl), Opt("E", kDbl, 0.0)},
              [](Plotara& p, Args& a) {
                p.AddDataPoint(a[0].ToDouble(), a[1].ToDouble(), a[2].ToDouble());
                return Variant();
              });
  t.AddMethod("AddMathFunc", VarType::Empty,
              {Req("MathFunc", kStr), Opt("Fromx", kDbl, 0.0), Opt("Tox", kDbl, 0.0)},
              [](Plotara& p, Args& a) {
                p.AddMathFunc(a[0].ToString(), a[1].ToDouble(), a[2].ToDouble());
                return Variant();
              });
  t.AddMethod("DataQuery", VarType::Empty,
              {Req("Connection", kStr), Req("Query", kStr), Opt("XColumn", kStr, std::string()),
               Opt("YColumn", kStr, std::string())},
              [](Plotara& p, Args& a) {
                p.DataQuery(a[0].ToString(), a[1].ToString(), a[2].ToString(), a[3].ToString());
                return Variant();
              });
  t.AddMethod(
      "AddText", VarType::Empty,
      {Req("Text", kStr), Req("TextX", kDbl), Req("TextY", kDbl), Req("TextOri", kByte),
       Req("TextFont", kStr), Req("TextColor", kLong), Req("TextAngle", kInt), Req("TextPercent", kBool)},
      [](Plotara& p, Args& a) {
        p.AddText(a[0].ToString(), a[1].ToDouble(), a[2].ToDouble(), a[3].ToByte(), a[4].ToString(),
                  a[5].ToLong(), a[6].ToInteger(), a[7].ToBoolean());
        return Variant();
      });
}

void AddStyleMembers(MemberTable& t) {
  t.AddMethod("AxisStyle", VarType::Empty,
              {Opt("LineColor", kLong, int32_t{-1}), Opt("LineThickness", kInt, int16_t{-1}),
               Opt("LogScale", kBool, false), Opt("Reverse", kBool, false), Opt("FarSide", kBool, false)},
              [](Plotara& p, Args& a) {
                p.AxisStyle(a[0].ToLong(), a[1].ToInteger(), a[2].ToBoolean(), a[3].ToBoolean(),
                            a[4].ToBoolean());
                return Variant();
              });
  t.AddMethod("AxisScaleStyle", VarType::Empty,
              {Opt("Value1", kDbl, 0.0), Opt("Value2", kDbl, 0.0), Opt("TextLabels", kStr, ""),
               Opt("ScaleStyle", kInt, int16_t{-1}), Opt("MajorDivs", kInt, int16_t{-1}),
               Opt("MinorDivs", kInt, int16_t{-1})},
              [](Plotara& p, Args& a) {
                p.AxisScaleStyle(a[0].ToDouble(), a[1].ToDouble(), a[2].ToString(), a[3].ToInteger(),
                                 a[4].ToInteger(), a[5].ToInteger());
                return Variant();
              });
  t.AddMethod("AxisTitleStyle", VarType::Empty,
              {Opt("Title", kStr, ""), Opt("Font", kStr, ""), Opt("FontColor", kLong, int32_t{-1}),
               Opt("Shift", kLong, int32_t{-1}), Opt("Show", kBool, true)},
              [](Plotara& p, Args& a) {
                p.AxisTitleStyle(a[0].ToString(), a[1].ToString(), a[2].ToLong(), a[3].ToLong(),
                                 a[4].ToBoolean());
                return Variant();
              });
  t.AddMethod("AxisLabelStyle", VarType::Empty,
              {Opt("Font", kStr, ""), Opt("FontColor", kLong, int32_t{-1}), Opt("Shift", kLong, int32_t{0}),
               Opt("LabelAngle", kSng, 0.0f), Opt("Show", kBool, true)},
              [](Plotara& p, Args& a) {
                p.AxisLabelStyle(a[0].ToString(), a[1].ToLong(), a[2].ToLong(), a[3].ToSingle(),
                                 a[4].ToBoolean());
                return Variant();
              });
  t.AddMethod("AxisGridStyle", VarType::Empty,
              {Opt("MajorGridColor", kLong, int32_t{-1}), Opt("MinorGridColor", kLong, int32_t{-1}),
               Opt("MajorGridShow", kBool, true), Opt("MinorGridShow", kBool, true)},
              [](Plotara& p, Args& a) {
                p.AxisGridStyle(a[0].ToLong(), a[1].ToLong(), a[2].ToBoolean(), a[3].ToBoolean());
                return Variant();
              });
  t.AddMethod("AxisTickStyle", VarType::Empty,
              {Opt("Thickness", kInt, int16_t{-1}), Opt("Length", kSng, -1.0f), Opt("Inside", kBool, true),
               Opt("Outside", kBool, false), Opt("BothEnds", kBool, true)},
              [](Plotara& p, Args& a) {
                p.AxisTickStyle(a[0].ToInteger(), a[1].ToSingle(), a[2].ToBoolean(), a[3].ToBoolean(),
                                a[4].ToBoolean());
                return Variant();
              });
  const std::vector<ParamInfo> sides = {Opt("Left", kSng, -1.0f), Opt("Top", kSng, -1.0f),
                                        Opt("Right", kSng, -1.0f), Opt("Bottom", kSng, -1.0f)};
  t.AddMethod("GraphPosition", VarType::Empty,
              {Opt("Left", kSng, -1.0f), Opt("Top", kSng, -1.0f), Opt("Width", kSng, -1.0f),
               Opt("Height", kSng, -1.0f)},
              [](Plotara& p, Args& a) {
                p.GraphPosition(a[0].ToSingle(), a[1].ToSingle(), a[2].ToSingle(), a[3].ToSingle());
                return Variant();
              });
  t.AddMethod("BorderWidths", VarType::Empty, sides, [](Plotara& p, Args& a) {
    p.BorderWidths(a[0].ToSingle(), a[1].ToSingle(), a[2].ToSingle(), a[3].ToSingle());
    return Variant();
  });
  using FillMethod = void (Plotara::*)(int32_t, int32_t, int16_t, float, int16_t, bool);
  auto fill = [&](const char* name, FillMethod method) {
    t.AddMethod(name, VarType::Empty, FillParams(), [method](Plotara& p, Args& a) {
      (p.*method)(a[0].ToLong(), a[1].ToLong(), a[2].ToInteger(), a[3].ToSingle(), a[4].ToInteger(),
                  a[5].ToBoolean());
      return Variant();
    });
  };
  fill("PageColors", &Plotara::PageColors);
  fill("PlotAreaColors", &Plotara::PlotAreaColors);
  std::vector<ParamInfo> border = FillParams();
  border.insert(border.end(), sides.begin(), sides.end());
  t.AddMethod("BorderStyle", VarType::Empty, border, [](Plotara& p, Args& a) {
    p.BorderStyle(a[0].ToLong(), a[1].ToLong(), a[2].ToInteger(), a[3].ToSingle(), a[4].ToInteger(),
                  a[5].ToBoolean(), a[6].ToSingle(), a[7].ToSingle(), a[8].ToSingle(), a[9].ToSingle());
    return Variant();
  });
  t.AddMethod("GraphTitleStyle", VarType::Empty,
              {Opt("Title", kStr, ""), Opt("Font", kStr, ""), Opt("FontColor", kLong, int32_t{-1}),
               Opt("HorizShift", kInt, int16_t{0}), Opt("VerticalShift", kLong, int32_t{0}),
               Opt("Show", kBool, true)},
              [](Plotara& p, Args& a) {
                p.GraphTitleStyle(a[0].ToString(), a[1].ToString(), a[2].ToLong(), a[3].ToInteger(),
                                  a[4].ToLong(), a[5].ToBoolean());
                return Variant();
              });
  std::vector<ParamInfo> legend = {Opt("Font", kStr, ""),
                                   Opt("FontColor", kLong, int32_t{-1}),
                                   Opt("LeftPercent", kSng, -1.0f),
                                   Opt("TopPercent", kSng, -1.0f),
                                   Opt("EdgeColor", kLong, int32_t{-1}),
                                   Opt("EdgeThickness", kInt, int16_t{-1})};
  for (ParamInfo& f : FillParams()) legend.push_back(std::move(f));
  legend.push_back(Opt("Show", kBool, true));
  t.AddMethod("LegendTableStyle", VarType::Empty, legend, [](Plotara& p, Args& a) {
    p.LegendTableStyle(a[0].ToString(), a[1].ToLong(), a[2].ToSingle(), a[3].ToSingle(), a[4].ToLong(),
                       a[5].ToInteger(), a[6].ToLong(), a[7].ToLong(), a[8].ToInteger(), a[9].ToSingle(),
                       a[10].ToInteger(), a[11].ToBoolean(), a[12].ToBoolean());
    return Variant();
  });
  t.AddMethod(
      "SymbolStyle", VarType::Empty,
      {Opt("Symbol", kInt, int16_t{-1}), Opt("Size", kSng, -1.0f), Opt("Color1", kLong, int32_t{-1}),
       Opt("Color2", kLong, int32_t{-1}), Opt("EdgeThickness", kInt, int16_t{-1}), Opt("Bar3D", kBool, false),
       Opt("BarOffset", kSng, 0.0f), Opt("BarShadow", kBool, false), Opt("Stacked", kBool, false),
       Opt("BarBase", kBool, false), Opt("BarBaseValue", kDbl, 0.0), Opt("ShowErrorBar", kBool, true)},
      [](Plotara& p, Args& a) {
        p.SymbolStyle(a[0].ToInteger(), a[1].ToSingle(), a[2].ToLong(), a[3].ToLong(), a[4].ToInteger(),
                      a[5].ToBoolean(), a[6].ToSingle(), a[7].ToBoolean(), a[8].ToBoolean(), a[9].ToBoolean(),
                      a[10].ToDouble(), a[11].ToBoolean());
        return Variant();
      });
  t.AddMethod(
      "DataLine", VarType::Empty,
      {Opt("Color", kLong, int32_t{-1}), Opt("Thickness", kInt, int16_t{1}), Opt("Style", kInt, int16_t{1})},
      [](Plotara& p, Args& a) {
        p.DataLine(a[0].ToLong(), a[1].ToInteger(), a[2].ToInteger());
        return Variant();
      });
}

void AddPickerMembers(MemberTable& t) {
  t.AddMethod("GetGradient", VarType::Empty,
              {Out("PlColor1", kLong), Out("PlColor2", kLong), Out("gAngle", kSng), Out("gShift", kSng),
               Out("gStyle", kInt)},
              [](Plotara& p, Args& a) {
                int32_t c1 = 0, c2 = 0;
                float angle = 0, shift = 0;
                int16_t style = 0;
                p.GetGradient(c1, c2, angle, shift, style);
                a[0] = Variant(c1);
                a[1] = Variant(c2);
                a[2] = Variant(angle);
                a[3] = Variant(shift);
                a[4] = Variant(style);
                return Variant();
              });
  t.AddMethod("GetColor", VarType::Empty, {Out("PlColor1", kLong)}, [](Plotara& p, Args& a) {
    int32_t c1 = 0;
    p.GetColor(c1);
    a[0] = Variant(c1);
    return Variant();
  });
}

}  // namespace plotara
