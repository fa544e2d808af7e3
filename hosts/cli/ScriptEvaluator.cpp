#include "hosts/cli/ScriptEvaluator.h"

#include "platform/AsciiCase.h"

namespace plotara {

Variant Evaluator::Value(const Expr& e) {
  switch (e.kind) {
    case Expr::Literal:
      return e.literal;
    case Expr::Negate:
      return Variant(-Value(*e.operand).ToDouble());
    case Expr::Name: {
      member_ = e.name;
      Variant v;
      if (HostValue(e.name, v)) return v;
      return Get(control_, e.name);
    }
    case Expr::Call: {
      std::vector<Variant> positional;
      std::vector<NamedArg> named;
      Collect(e.args, positional, named);
      if (EqualsNoCase(e.name, "RGB") && !Members().Find(e.name)) return Rgb(positional, named);
      return Call(e.name, positional, named);
    }
  }
  return {};
}

Variant Evaluator::Call(const std::string& name, std::vector<Variant>& positional,
                        std::vector<NamedArg>& named) {
  member_ = name;
  if (StartsWithNoCase(name, "Refresh")) refreshed_ = true;
  return Invoke(control_, name, positional, named);
}

void Evaluator::Collect(const std::vector<Arg>& args, std::vector<Variant>& positional,
                        std::vector<NamedArg>& named) {
  for (const Arg& a : args) {
    if (!a.name.empty()) {
      named.push_back({a.name, Value(*a.value)});
    } else if (!named.empty()) {
      throw SyntaxError("a positional argument follows a named one");
    } else {
      positional.push_back(a.value ? Value(*a.value) : Variant::Missing());
    }
  }
}

bool Evaluator::HostValue(const std::string& name, Variant& out) const {
  if (EqualsNoCase(name, "MousePointer")) {
    out = Variant(control_.MousePointer());
    return true;
  }
  const auto dot = name.find('.');
  if (dot == std::string::npos) return false;
  const std::string element = name.substr(0, dot), field = name.substr(dot + 1);
  const ChildElement* child = nullptr;
  const ScrollBarElement* bar = nullptr;
  if (EqualsNoCase(element, "Label1")) {
    child = &control_.Label1();
    if (EqualsNoCase(field, "Caption")) return out = Variant(control_.Label1().Caption), true;
  } else if (EqualsNoCase(element, "HScroll1") || EqualsNoCase(element, "VScroll1")) {
    bar = EqualsNoCase(element, "HScroll1") ? &control_.HScroll1() : &control_.VScroll1();
    child = bar;
    if (EqualsNoCase(field, "Value")) return out = Variant(bar->Value), true;
    if (EqualsNoCase(field, "Max")) return out = Variant(bar->Max), true;
    if (EqualsNoCase(field, "LargeChange")) return out = Variant(bar->LargeChange), true;
    if (EqualsNoCase(field, "SmallChange")) return out = Variant(bar->SmallChange), true;
  } else {
    return false;
  }
  if (EqualsNoCase(field, "Visible")) return out = Variant(child->Visible), true;
  if (EqualsNoCase(field, "Left")) return out = Variant(child->Left), true;
  if (EqualsNoCase(field, "Top")) return out = Variant(child->Top), true;
  if (EqualsNoCase(field, "Width")) return out = Variant(child->Width), true;
  if (EqualsNoCase(field, "Height")) return out = Variant(child->Height), true;
  throw SyntaxError(element + " has no " + field);
}

std::vector<std::string> Evaluator::PrintFields(const Expr& e) {
  if (e.kind == Expr::Name || e.kind == Expr::Call) {
    const MemberInfo* m = Members().Find(e.name);
    if (m && m->Kind == MemberKind::Method) {
      std::vector<Variant> positional;
      std::vector<NamedArg> named;
      Collect(e.args, positional, named);
      // Room for the out-arguments the script leaves out; too many arguments stay too many.
      if (positional.size() < m->Params.size()) positional.resize(m->Params.size(), Variant::Missing());
      const Variant result = Call(e.name, positional, named);
      std::vector<std::string> fields;
      if (m->Type != VarType::Empty) fields.push_back(result.ToString());
      for (size_t i = 0; i < m->Params.size(); ++i)
        if (m->Params[i].Out && positional[i].Type() != VarType::StringArray)
          fields.push_back(positional[i].ToString());
      for (size_t i = 0; i < m->Params.size(); ++i)
        if (m->Params[i].Out && positional[i].Type() == VarType::StringArray)
          for (const std::string& s : positional[i].ToStringArray()) fields.push_back(s);
      return fields;
    }
  }
  return {Value(e).ToString()};
}

Variant Evaluator::Rgb(const std::vector<Variant>& positional, const std::vector<NamedArg>& named) {
  member_ = "RGB";
  if (positional.size() != 3 || !named.empty()) throw AutomationError(450);
  int32_t colour = 0;
  for (int i = 0; i < 3; ++i) {
    const int32_t v = positional[static_cast<size_t>(i)].ToLong();
    if (v < 0 || v > 255) throw AutomationError(5);
    colour |= v << (8 * i);
  }
  return Variant(colour);
}

}  // namespace plotara
