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
  t.AddProperty(
      "ReadableLabels", VarType::Boolean, [](Plotara& p) { return Variant(p.ReadableLabels()); },
      [](Plotara& p, const Variant& v) { p.ReadableLabels(v.ToBoolean()); });
  // The navigation gestures beyond the mouse, each on by default.
  auto navigation = [&t](const char* name, bool (Plotara::*get)() const, void (Plotara::*put)(bool)) {
    t.AddProperty(
        name, VarType::Boolean, [get](Plotara& p) { return Variant((p.*get)()); },
        [put](Plotara& p, const Variant& v) { (p.*put)(v.ToBoolean()); });
  };
  navigation("WheelZoom", &Plotara::WheelZoom, &Plotara::WheelZoom);
  navigation("PinchZoom", &Plotara::PinchZoom, &Plotara::PinchZoom);
  navigation("TouchPan", &Plotara::TouchPan, &Plotara::TouchPan);
  navigation("KeyNavigation", &Plotara::KeyNavigation, &Plotara::KeyNavigation);
  t.AddMethod("Reset", VarType::Empty, {}, [](Plotara& p, std::vector<Variant>&) {
    p.Reset();
    return Variant();
  });
}

}  // namespace plotara
