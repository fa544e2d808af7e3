// The property accessors inside the control, in namespace prop: prop::AxisColor(c) reads and
// prop::AxisColor(c, v) writes. They raise run-time errors (9 for a missing graph, axis or data set,
// 6 for a value that does not fit); Plotara's public accessors turn those into AutomationError, and the
// style methods, which run under the error guard, report them through ErrorMsg.
#pragma once

#include "model/Control.h"
#include "plotara/HostTypes.h"
#include "plotara/Properties.h"

namespace plotara {

// The records the families address; each raises 9 when its record does not exist.
AxisRecord& RecordOfAxis(Control& c);
GraphRecord& RecordOfGraph(Control& c);
GraphRecord& RecordOfLegend(Control& c);
GradientSpec& RecordOfPage(Control& c);
DataSetRecord& RecordOfData(Control& c);

namespace prop {

// The host type of each property by its name: prop::type::AxisColor is int32_t.
namespace type {
#define PLOTARA_PROP_TYPE(Name, Type) using Name = HostType<VarType::Type>;
PLOTARA_PROPERTIES(PLOTARA_PROP_TYPE)
#undef PLOTARA_PROP_TYPE
}  // namespace type

#define PLOTARA_DECLARE_PROP(Name, Type) \
  type::Name Name(Control& c);           \
  void Name(Control& c, const type::Name& value);
PLOTARA_PROPERTIES(PLOTARA_DECLARE_PROP)
#undef PLOTARA_DECLARE_PROP

// AxisValue1/AxisValue2 write the limit in use, make the axis fixed and update its full range; they
// read the full range. AxisScale writes the scale mode and updates the full range.
double AxisValue1(Control& c);
void AxisValue1(Control& c, const double& value);
double AxisValue2(Control& c);
void AxisValue2(Control& c, const double& value);
uint8_t AxisScale(Control& c);
void AxisScale(Control& c, const uint8_t& value);
// The axes of the selected data set, as 16-bit integers.
Variant xAxisIndex(Control& c);
Variant yAxisIndex(Control& c);

}  // namespace prop
}  // namespace plotara
