// Properties sections: the records the families address; the internal accessors; the host's accessors;
// the member-table rows.
#include "control/Properties.h"

#include "control/Control.h"
#include "control/MemberRows.h"
#include "control/PropertyConversions.h"
#include "control/PropertyFields.h"
#include "model/Graphs.h"
#include "model/Lookup.h"
#include "model/TimeOrigin.h"
#include "platform/AutomationError.h"
#include "platform/Conversions.h"
#include "plotara/Plotara.h"

namespace plotara {

// ---------------------------------------------------------------- the records the families address

AxisRecord& RecordOfAxis(ControlState& s) {
  GraphRecord& g = s.Current();
  return AxisAt(g, g.SelectedAxis);
}

GraphRecord& RecordOfGraph(ControlState& s) {
  return s.Current();
}
GraphRecord& RecordOfLegend(ControlState& s) {
  return s.Current();
}

GradientSpec& RecordOfPage(ControlState& s) {
  s.Current();  // the page properties, too, want a graph to exist
  return s.PageFill;
}

DataSetRecord& RecordOfData(ControlState& s) {
  GraphRecord& g = s.Current();
  return DataSetAt(g, g.SelectedDataSet);
}

// ---------------------------------------------------------------- the internal accessors

namespace prop {

#define PLOTARA_DEFINE_PROP(Name, Family, Field, Conversion) \
  type::Name Name(ControlState& s) {                         \
    auto& r = RecordOf##Family(s);                           \
    return conv::Conversion::Get<type::Name>(s, r.Field);    \
  }                                                          \
  void Name(ControlState& s, const type::Name& value) {      \
    auto& r = RecordOf##Family(s);                           \
    conv::Conversion::Set(s, r, r.Field, value);             \
  }
PLOTARA_PROPERTY_FIELDS(PLOTARA_DEFINE_PROP)
#undef PLOTARA_DEFINE_PROP

// The limits are the host's values: on a time axis, instants rather than the offsets the axis holds.
double AxisValue1(ControlState& s) {
  const AxisRecord& a = RecordOfAxis(s);
  return HostValueOf(a, a.ScaleMin);
}
double AxisValue2(ControlState& s) {
  const AxisRecord& a = RecordOfAxis(s);
  return HostValueOf(a, a.ScaleMax);
}

namespace {
double CheckedSingle(double v) {
  CSng(v);
  return v;
}
}  // namespace

void AxisValue1(ControlState& s, ErrorReporter& r, const double& value) {
  AxisRecord& a = RecordOfAxis(s);
  // A limit is drawn in single precision: one beyond it fails here (6), not at every point.
  a.AxisValue1 = CheckedSingle(TakeHostValue(s.Current(), s.Current().SelectedAxis, value));
  a.AxisScale = 1;
  SetAxisScale(s, r);
}

void AxisValue2(ControlState& s, ErrorReporter& r, const double& value) {
  AxisRecord& a = RecordOfAxis(s);
  a.AxisValue2 = CheckedSingle(TakeHostValue(s.Current(), s.Current().SelectedAxis, value));
  a.AxisScale = 1;
  SetAxisScale(s, r);
}

uint8_t AxisScale(ControlState& s) {
  return RecordOfAxis(s).AxisScale;
}

void AxisScale(ControlState& s, ErrorReporter& r, const uint8_t& value) {
  RecordOfAxis(s).AxisScale = value;
  SetAxisScale(s, r);
}

Variant xAxisIndex(ControlState& s) {
  return Variant(RecordOfData(s).DataXAxis);
}
Variant yAxisIndex(ControlState& s) {
  return Variant(RecordOfData(s).DataYAxis);
}

}  // namespace prop

// ---------------------------------------------------------------- the host's accessors

namespace {

// A typed setter's value in the property's own type; an integer that does not fit raises 6.
template <VarType T>
HostType<T> Fitted(const SetterType<T>& value) {
  if constexpr (T == VarType::Byte)
    return CByte(static_cast<double>(value));
  else if constexpr (T == VarType::Integer)
    return CInt(static_cast<double>(value));
  else if constexpr (T == VarType::Long)
    return CLng(static_cast<double>(value));
  else
    return value;
}

}  // namespace

#define PLOTARA_DEFINE_ACCESSORS(Name, Type)                                    \
  HostType<VarType::Type> Plotara::Name() const {                               \
    return AsAutomation([&] { return prop::Name(c_->State); });                 \
  }                                                                             \
  void Plotara::Name(const SetterType<VarType::Type>& value) {                  \
    AsAutomation([&] { prop::Name(c_->State, Fitted<VarType::Type>(value)); }); \
  }
PLOTARA_PROPERTIES(PLOTARA_DEFINE_ACCESSORS)
#undef PLOTARA_DEFINE_ACCESSORS

double Plotara::AxisValue1() const {
  return AsAutomation([&] { return prop::AxisValue1(c_->State); });
}
void Plotara::AxisValue1(double value) {
  AsAutomation([&] { prop::AxisValue1(c_->State, c_->Notify, value); });
}
double Plotara::AxisValue2() const {
  return AsAutomation([&] { return prop::AxisValue2(c_->State); });
}
void Plotara::AxisValue2(double value) {
  AsAutomation([&] { prop::AxisValue2(c_->State, c_->Notify, value); });
}
double Plotara::AxisViewValue1() const {
  return AsAutomation([&] {
    const AxisRecord& a = RecordOfAxis(c_->State);
    return HostValueOf(a, a.AxisValue1);
  });
}
double Plotara::AxisViewValue2() const {
  return AsAutomation([&] {
    const AxisRecord& a = RecordOfAxis(c_->State);
    return HostValueOf(a, a.AxisValue2);
  });
}
uint8_t Plotara::AxisScale() const {
  return AsAutomation([&] { return prop::AxisScale(c_->State); });
}
void Plotara::AxisScale(int64_t value) {
  AsAutomation([&] { prop::AxisScale(c_->State, c_->Notify, Fitted<VarType::Byte>(value)); });
}
Variant Plotara::xAxisIndex() const {
  return AsAutomation([&] { return prop::xAxisIndex(c_->State); });
}
Variant Plotara::yAxisIndex() const {
  return AsAutomation([&] { return prop::yAxisIndex(c_->State); });
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
  t.AddProperty("AxisViewValue1", VarType::Double, [](Plotara& p) { return Variant(p.AxisViewValue1()); });
  t.AddProperty("AxisViewValue2", VarType::Double, [](Plotara& p) { return Variant(p.AxisViewValue2()); });
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
