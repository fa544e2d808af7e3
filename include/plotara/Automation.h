// The by-name interface: one table lists every property and method of the control with its parameters,
// and Invoke/Get/Put reach them by name, without regard to letter case, with positional and named
// arguments. Arguments are converted as an automation host converts them (a text that is not a number
// raises 13, a value out of range 6); failures reach the caller as AutomationError. The command-line
// host and many tests go through this table, so every member is in it.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "plotara/AutomationError.h"
#include "plotara/Variant.h"

namespace plotara {

class Plotara;

enum class MemberKind { Method, Property };

struct ParamInfo {
  std::string Name;
  VarType Type = VarType::Variant;
  bool Optional = false;
  Variant Default;   // taken when an optional argument is left out
  bool Out = false;  // the method writes the argument back to the caller
};

using MethodBody = std::function<Variant(Plotara&, std::vector<Variant>& args)>;
using PropertyGet = std::function<Variant(Plotara&)>;
using PropertyPut = std::function<void(Plotara&, const Variant&)>;

struct MemberInfo {
  std::string Name;
  MemberKind Kind = MemberKind::Method;
  VarType Type = VarType::Empty;  // result of a method (Empty: none), type of a property
  std::vector<ParamInfo> Params;
  MethodBody Call;
  PropertyGet Get;
  PropertyPut Put;  // empty for a read-only property
};

class MemberTable {
 public:
  void Add(MemberInfo member);
  void AddMethod(std::string name, VarType result, std::vector<ParamInfo> params, MethodBody body);
  void AddProperty(std::string name, VarType type, PropertyGet get, PropertyPut put = {});
  const MemberInfo* Find(std::string_view name) const;
  const std::vector<MemberInfo>& All() const { return members_; }

 private:
  std::vector<MemberInfo> members_;
  std::unordered_map<std::string, size_t> byUpperName_;
};

// The interface of Plotara, built once.
const MemberTable& Members();

struct NamedArg {
  std::string Name;
  Variant Value;
};

// Calls a method (or reads a property when the name is one and no arguments are given). Out arguments
// are written back into args and named. Throws AutomationError: 438 for an unknown name, 450 for too
// many arguments, 448 for an unknown argument name, 449 for a required argument left out, 13 and 6 for
// arguments that do not convert.
Variant Invoke(Plotara& control, std::string_view name, std::vector<Variant>& args,
               std::vector<NamedArg>& named);
Variant Invoke(Plotara& control, std::string_view name, std::vector<Variant> args = {});
Variant Get(Plotara& control, std::string_view name);
void Put(Plotara& control, std::string_view name, const Variant& value);

// "Sub NewGraph(GraphName As String, [x1 As Double = 0], ...)" and the like, for listings.
std::string Signature(const MemberInfo& member);

// The reference of a member, as `plotara members --long` lists it: what it means, its unit, its default
// (what a new control reads after NewGraph and NewDataSet; properties only) and its range; "" where it
// has none.
struct MemberText {
  std::string Meaning;
  std::string Unit;
  std::string Default;
  std::string Range;
};
// Null for a name that is no member, or a member without a text. Built once, at the first call; then any
// thread may read it.
const MemberText* MemberTextOf(std::string_view name);

}  // namespace plotara
