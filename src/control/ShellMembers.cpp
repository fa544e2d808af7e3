// Members of the control shell.
#include "control/MemberRows.h"
#include "plotara/Plotara.h"

namespace plotara {

void AddShellMembers(MemberTable& t) {
  t.AddProperty("Version", VarType::String, [](Plotara& p) { return Variant(p.Version()); });
  t.AddProperty("GraphIndex", VarType::Integer, [](Plotara& p) { return Variant(p.GraphIndex()); });
  t.AddProperty(
      "SuppressRaisingEvents", VarType::Boolean,
      [](Plotara& p) { return Variant(p.SuppressRaisingEvents()); },
      [](Plotara& p, const Variant& v) { p.SuppressRaisingEvents(v.ToBoolean()); });
  t.AddMethod("Reset", VarType::Empty, {}, [](Plotara& p, std::vector<Variant>&) {
    p.Reset();
    return Variant();
  });
}

}  // namespace plotara
