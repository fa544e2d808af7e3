#include "bindings/c/IgnoredCalls.h"

#include <optional>
#include <string>

#include "expr/CExpression.h"
#include "platform/AsciiCase.h"

namespace plotara::c_interface {

namespace {

constexpr int kSubscript = 9, kInvalidArgument = 5;

struct Counts {
  int16_t graphs = 0, axes = 0, dataSets = 0;
};

Counts CountsOf(Plotara& p) {
  Counts n;
  std::vector<std::string> names;
  p.GetGraphNames(names, n.graphs);
  if (n.graphs > 0) {
    p.GetAxisNames(names, n.axes);
    p.GetDataSetNames(names, n.dataSets);
  }
  return n;
}

// The argument given for parameter i, by position or by name; none when it was left out.
const Variant* ArgumentOf(const MemberInfo& m, size_t i, const std::vector<Variant>& positional,
                          const std::vector<NamedArg>& named) {
  if (i < positional.size()) return positional[i].IsMissing() ? nullptr : &positional[i];
  for (const NamedArg& a : named)
    if (EqualsNoCase(a.Name, m.Params[i].Name)) return a.Value.IsMissing() ? nullptr : &a.Value;
  return nullptr;
}

// The index argument as the method will take it; none when it does not convert (the call then fails by
// itself).
std::optional<int> IndexOf(const Variant* v) {
  if (!v) return std::nullopt;
  try {
    return v->ToInteger();
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

bool Report(plotara_control* c, const MemberInfo& m, int number, const std::string& description) {
  ReportMethodError(c, m.Name, number, description);
  return true;
}

bool OutOfRange(plotara_control* c, const MemberInfo& m, std::optional<int> index, int count,
                const char* what) {
  if (!index || (*index >= 0 && *index < count)) return false;
  return Report(c, m, kSubscript,
                "Subscript out of range (" + std::to_string(*index) + " is not a " + what +
                    " index: there are " + std::to_string(count) + ")");
}

}  // namespace

bool ReportIgnoredCall(plotara_control* c, const MemberInfo& m, const std::vector<Variant>& positional,
                       const std::vector<NamedArg>& named) {
  const std::string& name = m.Name;
  const bool addsToDataSet = name == "AddDataPoint" || name == "AddMathFunc" || name == "AddText";
  const bool selects = name == "SetSelectedGraph" || name == "SetSelectedAxis" || name == "SetSelectedData";
  if (!addsToDataSet && !selects && name != "NewDataSet") return false;
  const Counts n = CountsOf(c->control);
  // Without a graph, SetSelectedAxis and SetSelectedData fail by themselves.
  if (n.graphs == 0 && (addsToDataSet || name == "NewDataSet"))
    return Report(c, m, kSubscript, "Subscript out of range (there is no graph: NewGraph first)");
  if (addsToDataSet && n.dataSets == 0)
    return Report(c, m, kSubscript, "Subscript out of range (the graph has no data set: NewDataSet first)");
  const std::optional<int> index = selects ? IndexOf(ArgumentOf(m, 0, positional, named)) : std::nullopt;
  if (name == "SetSelectedGraph") return OutOfRange(c, m, index, n.graphs, "graph");
  if (name == "SetSelectedAxis" && n.graphs > 0) return OutOfRange(c, m, index, n.axes, "axis");
  if (name == "SetSelectedData" && n.graphs > 0) return OutOfRange(c, m, index, n.dataSets, "data set");
  if (name == "AddMathFunc") {
    const Variant* formula = ArgumentOf(m, 0, positional, named);
    if (!formula || formula->Type() != VarType::String) return false;
    CExpression e;  // compiled as a curve compiles it: variables are made as they appear
    e.Expression(formula->ToString());
    if (e.ErrorCode() != 0)
      return Report(c, m, kInvalidArgument,
                    "Invalid procedure call or argument (the formula does not compile: " +
                        e.ErrorDescription() + " at " + std::to_string(e.ErrorPos()) + ")");
  }
  return false;
}

bool ReportPointsWithoutDataSet(plotara_control* c) {
  const Counts n = CountsOf(c->control);
  if (n.graphs > 0 && n.dataSets > 0) return false;
  ReportMethodError(c, "AddDataPoint", kSubscript,
                    n.graphs == 0 ? "Subscript out of range (there is no graph: NewGraph first)"
                                  : "Subscript out of range (the graph has no data set: NewDataSet first)");
  return true;
}

}  // namespace plotara::c_interface
