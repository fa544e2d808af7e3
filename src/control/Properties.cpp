// Properties sections: the records the families address; the internal accessors; the host's accessors;
// the member-table rows.
#include "control/Properties.h"

#include "control/MemberRows.h"
#include "control/PropertyConversions.h"
#include "control/PropertyFields.h"
#include "model/Graphs.h"
#include "model/Lookup.h"
#include "platform/AutomationError.h"
#include "plotara/Plotara.h"

namespace plotara {

// ---------------------------------------------------------------- the records the families address

AxisRecord& RecordOfAxis(Control& c) {
  GraphRecord& g = c.Current();
  return AxisAt(g, g.SelectedAxis);
}

GraphRecord& RecordOfGraph(Control& c) {
  return c.Current();
}
GraphRecord& RecordOfLegend(Control& c) {
  return c.Current();
}

GradientSpec& RecordOfPage(Control& c) {
  c.Current();  // the page properties, too, want a graph to exist
  return c.PageFill;
}

DataSetRecord& RecordOfData(Control& c) {
  GraphRecord& g = c.Current();
  return DataSetAt(g, g.SelectedDataSet);
}

// ---------------------------------------------------------------- the internal accessors

namespace prop {

#define PLOTARA_DEFINE_PROP(Name, Family, Field, Conversion) \
  type::Name Name(Control& c) {                              \
    auto& r = RecordOf##Family(c);                           \
    return conv::Conversion::Get<type::Name>(c, r.Field);    \
  }                                                          \
  void Name(Control& c, const type::Name& value) {           \
    auto& r = RecordOf##Family(c);                           \
    conv::Conversion::Set(c, r, r.Field, value);             \
  }
PLOTARA_PROPERTY_FIELDS(PLOTARA_DEFINE_PROP)
#undef PLOTARA_DEFINE_PROP

double AxisValue1(Control& c) {
  return RecordOfAxis(c).ScaleMin;
}
double AxisValue2(Control& c) {
  return RecordOfAxis(c).ScaleMax;
}

void AxisValue1(Control& c, const double& value) {
  AxisRecord& a = RecordOfAxis(c);
  a.AxisValue1 = value;
  a.AxisScale = 1;
  SetAxisScale(c, c);
}

void AxisValue2(Control& c, const double& value) {
  AxisRecord& a = RecordOfAxis(c);
  a.AxisValue2 = value;
  a.AxisScale = 1;
  SetAxisScale(c, c);
}

uint8_t AxisScale(Control& c) {
  return RecordOfAxis(c).AxisScale;
}

void AxisScale(Control& c, const uint8_t& value) {
  RecordOfAxis(c).AxisScale = value;
  SetAxisScale(c, c);
}

Variant xAxisIndex(Control& c) {
  return Variant(RecordOfData(c).DataXAxis);
}
Variant yAxisIndex(Control& c) {
  return Variant(RecordOfData(c).DataYAxis);
}

}  // namespace prop

// ---------------------------------------------------------------- the host's accessors

#define PLOTARA_DEFINE_ACCESSORS(Name, Type)                 \
  HostType<VarType::Type> Plotara::Name() const {            \
    return AsAutomation([&] { return prop::Name(*c_); });    \
  }                                                          \
  void Plotara::Name(const HostType<VarType::Type>& value) { \
    AsAutomation([&] { prop::Name(*c_, value); });           \
  }
PLOTARA_PROPERTIES(PLOTARA_DEFINE_ACCESSORS)
#undef PLOTARA_DEFINE_ACCESSORS

double Plotara::AxisValue1() const {
  return AsAutomation([&] { return prop::AxisValue1(*c_); });
}
void Plotara::AxisValue1(double value) {
  AsAutomation([&] { prop::AxisValue1(*c_, value); });
}
double Plotara::AxisValue2() const {
  return AsAutomation([&] { return prop::AxisValue2(*c_); });
}
void Plotara::AxisValue2(double value) {
  AsAutomation([&] { prop::AxisValue2(*c_, value); });
}
uint8_t Plotara::AxisScale() const {
  return AsAutomation([&] { return prop::AxisScale(*c_); });
}
void Plotara::AxisScale(uint8_t value) {
  AsAutomation([&] { prop::AxisScale(*c_, value); });
}
Variant Plotara::xAxisIndex() const {
  return AsAutomation([&] { return prop::xAxisIndex(*c_); });
}
Variant Plotara::yAxisIndex() const {
  return AsAutomation([&] { return prop::yAxisIndex(*c_); });
}

// ---------------------------------------------------------------- the member-table rows

void AddPropertyMembers(MemberTable& t) {
#define PLOTARA_PROPERTY_ROW(Name, Type)                                  \
  t.AddProperty(                                                          \
      #Name, VarType::Type, [](Plotara& p) { return Variant(p.Name()); }, \
      [](Plotara& p, const Variant& v) { p.Name(FromVariant<VarType::Type>(v)); });
  PLOTARA_AXIS_PROPERTIES(PLOTARA_PROPERTY_ROW)
  t.AddProperty(
      "AxisValue1", VarType::Double, [](Plotara& p) { return Variant(p.AxisValue1()); },
      [](Plotara& p, const Variant& v) { p.AxisValue1(v.ToDouble()); });
  t.AddProperty(
      "AxisValue2", VarType::Double, [](Plotara& p) { return Variant(p.AxisValue2()); },
      [](Plotara& p, const Variant& v) { p.AxisValue2(v.ToDouble()); });
  t.AddProperty(
      "AxisScale", VarType::Byte, [](Plotara& p) { return Variant(p.AxisScale()); },
      [](Plotara& p, const Variant& v) { p.AxisScale(v.ToByte()); });
  PLOTARA_LEGEND_PROPERTIES(PLOTARA_PROPERTY_ROW)
  PLOTARA_GRAPH_PROPERTIES(PLOTARA_PROPERTY_ROW)
  PLOTARA_PAGE_PROPERTIES(PLOTARA_PROPERTY_ROW)
  t.AddProperty("xAxisIndex", VarType::Variant, [](Plotara& p) { return p.xAxisIndex(); });
  t.AddProperty("yAxisIndex", VarType::Variant, [](Plotara& p) { return p.yAxisIndex(); });
  PLOTARA_DATA_PROPERTIES(PLOTARA_PROPERTY_ROW)
#undef PLOTARA_PROPERTY_ROW
}

}  // namespace plotara
