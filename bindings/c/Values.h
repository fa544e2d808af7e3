// Values across the C interface: plotara_value to Variant and back, checked as a C caller may pass them.
#pragma once

#include "plotara/Variant.h"
#include "plotara/plotara_c.h"

namespace plotara::c_interface {

// Throws AutomationError: 13 for a type code outside plotara_type, 5 for a list whose count does not
// match its texts.
Variant ToVariant(const plotara_value& v);
// Texts and lists are handed out through the control (valid until the end of its next call).
plotara_value FromVariant(plotara_control* c, const Variant& v);
// The plotara_type a member's value of type t arrives as.
plotara_type TypeCode(VarType t);

}  // namespace plotara::c_interface
