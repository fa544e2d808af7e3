// The member table of Plotara: each subsystem adds the members it builds.
#include "control/MemberRows.h"
#include "plotara/Automation.h"

namespace plotara {

const MemberTable& Members() {
  static const MemberTable table = [] {
    MemberTable t;
    AddShellMembers(t);
    AddGraphMembers(t);
    AddDataMembers(t);
    AddStyleMembers(t);
    AddPickerMembers(t);
    AddPropertyMembers(t);
    return t;
  }();
  return table;
}

}  // namespace plotara
