// The values of a host script's expressions: literals, the control's properties and methods by name,
// the state of its child elements, and RGB.
#pragma once

#include <string>
#include <vector>

#include "hosts/cli/ScriptParser.h"
#include "plotara/Automation.h"
#include "plotara/Plotara.h"

namespace plotara {

class Evaluator {
 public:
  // member: where the name of the member being reached is kept, for messages; refreshed: set when the
  // script draws.
  Evaluator(Plotara& control, std::string& member, bool& refreshed)
      : control_(control), member_(member), refreshed_(refreshed) {}

  Variant Value(const Expr& e);

  // Calls a method by name (or reads a property); out-arguments are written back into positional.
  Variant Call(const std::string& name, std::vector<Variant>& positional, std::vector<NamedArg>& named);

  // The values of an argument list: a left-out place becomes Missing; a positional argument after a
  // named one is a SyntaxError.
  void Collect(const std::vector<Arg>& args, std::vector<Variant>& positional, std::vector<NamedArg>& named);

  // The texts Print shows for one value: a method with out-parameters shows its result (if any), then
  // its counts, then the entries of its arrays.
  std::vector<std::string> PrintFields(const Expr& e);

 private:
  // The state of a child element or the pointer shape, which the host shows: Label1.Caption,
  // HScroll1.Value, MousePointer and the like. False for any other name.
  bool HostValue(const std::string& name, Variant& out) const;
  // RGB(red, green, blue), each 0 to 255: the control's colour value 0x00BBGGRR.
  Variant Rgb(const std::vector<Variant>& positional, const std::vector<NamedArg>& named);

  Plotara& control_;
  std::string& member_;
  bool& refreshed_;
};

}  // namespace plotara
