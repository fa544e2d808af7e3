#include "plotara/Automation.h"

#include <algorithm>

#include "platform/AsciiCase.h"
#include "platform/AutomationError.h"
#include "platform/RuntimeError.h"

namespace plotara {

namespace {

// Binds positional and named arguments to the parameter list, fills in defaults and converts.
std::vector<Variant> Bind(const MemberInfo& m, const std::vector<Variant>& args,
                          const std::vector<NamedArg>& named, std::vector<int>& namedSlots) {
  std::vector<Variant> bound(m.Params.size(), Variant::Missing());
  if (args.size() > m.Params.size()) throw AutomationError(err::WrongArgumentCount);
  std::copy(args.begin(), args.end(), bound.begin());
  namedSlots.clear();
  for (const NamedArg& n : named) {
    auto it = std::find_if(m.Params.begin(), m.Params.end(),
                           [&](const ParamInfo& p) { return EqualsNoCase(p.Name, n.Name); });
    if (it == m.Params.end()) throw AutomationError(err::NamedArgumentNotFound);
    const auto slot = static_cast<int>(it - m.Params.begin());
    bound[slot] = n.Value;
    namedSlots.push_back(slot);
  }
  for (size_t i = 0; i < bound.size(); ++i) {
    const ParamInfo& p = m.Params[i];
    if (bound[i].IsMissing()) {
      if (!p.Optional) throw AutomationError(err::ArgumentNotOptional);
      bound[i] = p.Default;
    }
    bound[i] = AsAutomation([&] { return bound[i].ConvertTo(p.Type); });
  }
  return bound;
}

const MemberInfo& Require(std::string_view name) {
  const MemberInfo* m = Members().Find(name);
  if (!m) throw AutomationError(err::NotSupported);
  return *m;
}

}  // namespace

void MemberTable::Add(MemberInfo member) {
  byUpperName_[UpperCase(member.Name)] = members_.size();
  members_.push_back(std::move(member));
}

void MemberTable::AddMethod(std::string name, VarType result, std::vector<ParamInfo> params,
                            MethodBody body) {
  MemberInfo m;
  m.Name = std::move(name);
  m.Kind = MemberKind::Method;
  m.Type = result;
  m.Params = std::move(params);
  m.Call = std::move(body);
  Add(std::move(m));
}

void MemberTable::AddProperty(std::string name, VarType type, PropertyGet get, PropertyPut put) {
  MemberInfo m;
  m.Name = std::move(name);
  m.Kind = MemberKind::Property;
  m.Type = type;
  m.Get = std::move(get);
  m.Put = std::move(put);
  Add(std::move(m));
}

const MemberInfo* MemberTable::Find(std::string_view name) const {
  auto it = byUpperName_.find(UpperCase(name));
  return it == byUpperName_.end() ? nullptr : &members_[it->second];
}

Variant Invoke(Plotara& control, std::string_view name, std::vector<Variant>& args,
               std::vector<NamedArg>& named) {
  const MemberInfo& m = Require(name);
  if (m.Kind == MemberKind::Property) {
    if (!args.empty() || !named.empty()) throw AutomationError(err::WrongArgumentCount);
    return m.Get(control);
  }
  std::vector<int> namedSlots;
  std::vector<Variant> bound = Bind(m, args, named, namedSlots);
  Variant result = AsAutomation([&] { return m.Call(control, bound); });
  for (size_t i = 0; i < args.size(); ++i) {
    if (m.Params[i].Out) args[i] = bound[i];
  }
  for (size_t k = 0; k < named.size(); ++k) {
    if (m.Params[namedSlots[k]].Out) named[k].Value = bound[namedSlots[k]];
  }
  return result;
}

Variant Invoke(Plotara& control, std::string_view name, std::vector<Variant> args) {
  std::vector<NamedArg> named;
  return Invoke(control, name, args, named);
}

Variant Get(Plotara& control, std::string_view name) {
  const MemberInfo& m = Require(name);
  if (m.Kind == MemberKind::Method) return Invoke(control, name);
  return m.Get(control);
}

void Put(Plotara& control, std::string_view name, const Variant& value) {
  const MemberInfo& m = Require(name);
  if (m.Kind != MemberKind::Property) throw AutomationError(err::NotSupported);
  if (!m.Put) throw AutomationError(err::ReadOnlyProperty);
  const Variant converted = AsAutomation([&] { return value.ConvertTo(m.Type); });
  m.Put(control, converted);
}

std::string Signature(const MemberInfo& m) {
  auto typeName = [](VarType t) { return std::string(VarTypeName(t)); };
  if (m.Kind == MemberKind::Property) {
    return "Property " + m.Name + " As " + typeName(m.Type) + (m.Put ? "" : " (read-only)");
  }
  std::string s = (m.Type == VarType::Empty ? "Sub " : "Function ") + m.Name + "(";
  for (size_t i = 0; i < m.Params.size(); ++i) {
    const ParamInfo& p = m.Params[i];
    if (i > 0) s += ", ";
    if (p.Optional) s += "[";
    if (p.Out) s += "ByRef ";
    s += p.Name + " As " + typeName(p.Type);
    if (p.Optional && !p.Default.IsEmpty()) {
      s += " = ";
      s += p.Default.Type() == VarType::String ? "\"" + p.Default.ToString() + "\"" : p.Default.ToString();
    }
    if (p.Optional) s += "]";
  }
  s += ")";
  if (m.Type != VarType::Empty) s += " As " + typeName(m.Type);
  return s;
}

}  // namespace plotara
