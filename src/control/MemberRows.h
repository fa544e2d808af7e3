// The functions that add each subsystem's rows to the member table.
#pragma once

#include "control/Automation.h"

namespace plotara {

void AddShellMembers(MemberTable& t);  // Version, GraphIndex, SuppressRaisingEvents, Reset

}  // namespace plotara
