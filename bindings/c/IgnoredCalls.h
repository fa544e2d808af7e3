// Calls the control takes in silence although they do nothing a caller asked for: an index out of range
// given to SetSelectedGraph, SetSelectedAxis or SetSelectedData, points, formulas and texts with no data
// set to take them, a formula that does not compile. The control ignores them (its own hosts rely on
// that); a program in another language expects a call that does nothing to say so, so the C interface
// reports them as the control reports a failing method (ErrorMsg, or the status of the call) and does
// not make the call.
#pragma once

#include <string_view>
#include <vector>

#include "bindings/c/CallGuard.h"
#include "plotara/Automation.h"

namespace plotara::c_interface {

// True when the call was reported and must not be made.
bool ReportIgnoredCall(plotara_control* c, const MemberInfo& m, const std::vector<Variant>& positional,
                       const std::vector<NamedArg>& named);

// The same for points given in bulk: true when there is no data set to take them.
bool ReportPointsWithoutDataSet(plotara_control* c);

}  // namespace plotara::c_interface
