// The C interface's description of the members: names, kinds, parameters. They read only the member
// table, which is built once, so any thread may call them at any time.
#include <deque>
#include <string>

#include "bindings/c/CallGuard.h"
#include "bindings/c/Values.h"
#include "plotara/Automation.h"
#include "plotara/plotara_c.h"

using namespace plotara::c_interface;

namespace {

// The texts of parameter defaults, kept for as long as the library is loaded.
const char* Kept(const std::string& text) {
  static std::deque<std::string> kept = [] {
    std::deque<std::string> all;
    for (const plotara::MemberInfo& m : plotara::Members().All())
      for (const plotara::ParamInfo& p : m.Params)
        if (p.Default.Type() == plotara::VarType::String) all.push_back(p.Default.ToString());
    return all;
  }();
  for (const std::string& k : kept)
    if (k == text) return k.c_str();
  return "";
}

}  // namespace

extern "C" {

int plotara_member_count(void) {
  return static_cast<int>(plotara::Members().All().size());
}

const char* plotara_member_name(int index) {
  const auto& all = plotara::Members().All();
  if (index < 0 || static_cast<size_t>(index) >= all.size()) return nullptr;
  return all[static_cast<size_t>(index)].Name.c_str();
}

int plotara_member_info(const char* member, plotara_member* info) {
  return Guard([&] {
    if (!member || !info) return Fail(5, "Invalid procedure call or argument");
    const plotara::MemberInfo* m = plotara::Members().Find(member);
    if (!m) throw plotara::AutomationError(438);
    info->kind = m->Kind == plotara::MemberKind::Method ? 1 : 2;
    info->writable = m->Kind == plotara::MemberKind::Property && m->Put ? 1 : 0;
    info->params = static_cast<int>(m->Params.size());
    info->out_mask = 0;
    for (size_t i = 0; i < m->Params.size() && i < 32; ++i)
      if (m->Params[i].Out) info->out_mask |= 1u << i;
    info->result = TypeCode(m->Type);
    return PLOTARA_OK;
  });
}

int plotara_member_param(const char* member, int index, plotara_param* param) {
  return Guard([&] {
    if (!member || !param) return Fail(5, "Invalid procedure call or argument");
    const plotara::MemberInfo* m = plotara::Members().Find(member);
    if (!m) throw plotara::AutomationError(438);
    if (index < 0 || static_cast<size_t>(index) >= m->Params.size()) throw plotara::AutomationError(9);
    const plotara::ParamInfo& p = m->Params[static_cast<size_t>(index)];
    param->name = p.Name.c_str();
    param->type = TypeCode(p.Type);
    param->type_name = plotara::VarTypeName(p.Type).data();  // names are literals, so NUL-terminated
    param->optional = p.Optional ? 1 : 0;
    param->out = p.Out ? 1 : 0;
    param->def = plotara_value{PLOTARA_EMPTY, 0, 0.0, {nullptr}};
    if (p.Optional && !p.Default.IsEmpty()) {
      param->def.type = TypeCode(p.Default.Type());
      if (param->def.type == PLOTARA_TEXT) param->def.text = Kept(p.Default.ToString());
      if (param->def.type == PLOTARA_DOUBLE) param->def.number = p.Default.ToDouble();
      if (param->def.type == PLOTARA_LONG) param->def.integer = p.Default.ToLong();
      if (param->def.type == PLOTARA_BOOLEAN) param->def.integer = p.Default.ToBoolean() ? 1 : 0;
    }
    return PLOTARA_OK;
  });
}

int plotara_member_reference(const char* member, plotara_reference* reference) {
  return Guard([&] {
    if (!member || !reference) return Fail(5, "Invalid procedure call or argument");
    const plotara::MemberInfo* m = plotara::Members().Find(member);
    if (!m) throw plotara::AutomationError(438);
    static const std::deque<std::string> signatures = [] {
      std::deque<std::string> all;
      for (const plotara::MemberInfo& each : plotara::Members().All())
        all.push_back(plotara::Signature(each));
      return all;
    }();
    reference->signature = signatures[static_cast<size_t>(m - plotara::Members().All().data())].c_str();
    const plotara::MemberText* text = plotara::MemberTextOf(member);
    reference->meaning = text ? text->Meaning.c_str() : "";
    reference->unit = text ? text->Unit.c_str() : "";
    reference->default_value = text ? text->Default.c_str() : "";
    reference->range = text ? text->Range.c_str() : "";
    return PLOTARA_OK;
  });
}

}  // extern "C"
