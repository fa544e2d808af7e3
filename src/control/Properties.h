// The property accessors inside the control, in namespace prop: prop::AxisColor(s) reads the records s and
// prop::AxisColor(s, v) writes them. They raise run-time errors (9 for a missing graph, axis or data set,
// 6 for a value that does not fit); Plotara's public accessors turn those into AutomationError, and the
// style methods, which run under the error guard, report them through ErrorMsg.
#pragma once

#include "model/Records.h"
#include "platform/ErrorGuard.h"
#include "plotara/HostTypes.h"
#include "plotara/Properties.h"

namespace plotara {

// The records the families address; each raises 9 when its record does not exist.
AxisRecord& RecordOfAxis(ControlState& s);
GraphRecord& RecordOfGraph(ControlState& s);
GraphRecord& RecordOfLegend(ControlState& s);
GradientSpec& RecordOfPage(ControlState& s);
DataSetRecord& RecordOfData(ControlState& s);

namespace prop {

// The host type of each property by its name: prop::type::AxisColor is int32_t.
namespace type {
#define PLOTARA_PROP_TYPE(Name, Type) using Name = HostType<VarType::Type>;
PLOTARA_PROPERTIES(PLOTARA_PROP_TYPE)
#undef PLOTARA_PROP_TYPE
}  // namespace type

#define PLOTARA_DECLARE_PROP(Name, Type) \
  type::Name Name(ControlState& s);      \
  void Name(ControlState& s, const type::Name& value);
PLOTARA_PROPERTIES(PLOTARA_DECLARE_PROP)
#undef PLOTARA_DECLARE_PROP

// AxisValue1/AxisValue2 write the limit in use, make the axis fixed and update its full range; they
// read the full range. AxisScale writes the scale mode and updates the full range. A failure to update the
// full range is reported, not raised.
double AxisValue1(ControlState& s);
void AxisValue1(ControlState& s, ErrorReporter& r, const double& value);
double AxisValue2(ControlState& s);
void AxisValue2(ControlState& s, ErrorReporter& r, const double& value);
uint8_t AxisScale(ControlState& s);
void AxisScale(ControlState& s, ErrorReporter& r, const uint8_t& value);
// The axes of the selected data set, as 16-bit integers.
Variant xAxisIndex(ControlState& s);
Variant yAxisIndex(ControlState& s);

}  // namespace prop
}  // namespace plotara
