#include "bindings/c/Values.h"

#include <string>
#include <vector>

#include "bindings/c/CallGuard.h"

namespace plotara::c_interface {

namespace {

// A list as the caller passed it: the count must match the texts up to the NULL after them.
Variant ListOf(const plotara_value& v) {
  const int32_t count = v.integer;
  const std::string problem =
      "Invalid procedure call or argument (a list given a count of " + std::to_string(count);
  if (count < 0 || (count > 0 && !v.texts)) throw AutomationError(5, problem + ")");
  std::vector<std::string> list;
  for (int32_t i = 0; i < count; ++i) {
    if (!v.texts[i]) throw AutomationError(5, problem + " holds " + std::to_string(i) + " texts)");
    list.emplace_back(v.texts[i]);
  }
  if (count > 0 && v.texts[count])
    throw AutomationError(5, problem + " holds more texts, or no NULL after them)");
  return Variant(std::move(list));
}

}  // namespace

Variant ToVariant(const plotara_value& v) {
  switch (v.type) {
    case PLOTARA_EMPTY:
      return {};
    case PLOTARA_MISSING:
      return Variant::Missing();
    case PLOTARA_BOOLEAN:
      return Variant(v.integer != 0);
    case PLOTARA_LONG:
      return Variant(v.integer);
    case PLOTARA_DOUBLE:
      return Variant(v.number);
    case PLOTARA_TEXT:
      return Variant(std::string(v.text ? v.text : ""));
    case PLOTARA_TEXTS:
      return ListOf(v);
    default:
      throw AutomationError(13, "Type mismatch (type code " + std::to_string(v.type) + ")");
  }
}

plotara_value FromVariant(plotara_control* c, const Variant& v) {
  plotara_value out{PLOTARA_EMPTY, 0, 0.0, {nullptr}};
  out.type = TypeCode(v.Type());
  switch (out.type) {
    case PLOTARA_BOOLEAN:
      out.integer = v.ToBoolean() ? 1 : 0;
      break;
    case PLOTARA_LONG:
      out.integer = v.ToLong();
      break;
    case PLOTARA_DOUBLE:
      out.number = v.ToDouble();
      break;
    case PLOTARA_TEXT:
      out.text = HandOut(c, v.ToString());
      break;
    case PLOTARA_TEXTS: {
      std::vector<const char*>& list = c->current.lists.emplace_back();
      for (const std::string& s : v.ToStringArray()) list.push_back(HandOut(c, s));
      list.push_back(nullptr);
      out.integer = static_cast<int32_t>(list.size() - 1);
      out.texts = list.data();
      break;
    }
    default:
      out.type = PLOTARA_EMPTY;
      break;
  }
  return out;
}

plotara_type TypeCode(VarType t) {
  switch (t) {
    case VarType::Boolean:
      return PLOTARA_BOOLEAN;
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      return PLOTARA_LONG;
    case VarType::Single:
    case VarType::Double:
      return PLOTARA_DOUBLE;
    case VarType::String:
    case VarType::Variant:
      return PLOTARA_TEXT;
    case VarType::StringArray:
      return PLOTARA_TEXTS;
    default:
      return PLOTARA_EMPTY;
  }
}

}  // namespace plotara::c_interface
