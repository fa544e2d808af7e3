// Every member of the by-name table, called or set with each hostile value on a busy page, then a
// refresh and a few gestures: nothing may escape but the control's own failure reports, a property
// that refuses a value keeps its old one, and the page still draws afterwards.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "hosts/cli/HeadlessClipboard.h"
#include "hosts/cli/Script.h"
#include "plotara/Automation.h"
#include "plotara/AutomationError.h"
#include "plotara/Plotara.h"

namespace plotara {
namespace {

// Two graphs: logarithmic and reversed axes, a second and a far-side axis, a function curve, error
// bars, side-by-side and stacked bars, texts and legends.
constexpr const char* kBusyPage = R"(
NewGraph "log and reversed", 1, 1000, 0, 50
GraphPosition 0, 0, 50, 100
AxisScaleStyle 1, 1000, , , 3, 9
AxisStyle , , True
AxisGridStyle &HA0A0A0, &HD8D8D8
SetSelectedAxis 1
AxisStyle , , False, True
NewXAxis "second X", -5, 5
NewYAxis "far Y", 0.001, 0.05
SetSelectedAxis 3
AxisStyle &HC00000, , True, False, True
NewDataSet "curve"
AddMathFunc "SIN(x) * 20 + 25"
DataLine &HC00000, 2, 1
NewDataSet "errors"
SymbolStyle 3, 2, &H0000C0
AddDataPoint 10, 5, 1
AddDataPoint 100, 25, -0.5
AddDataPoint 500, 40, 3
AddText "a note", 10, 30, 0, "Font=Arial|9", &H000000, 0, False
NewGraph "bars", 0, 6, 0, 12
GraphPosition 50, 0, 50, 100
AxisScaleStyle 0.5, 4.5, "Mon,Tue,Wed,Thu,Fri", 2, 4
NewDataSet "north"
SymbolStyle 1, 3.5, &HD09050, &H704010, 1, False, -2, True
AddDataPoint 1, 4
AddDataPoint 2, 6.5
NewDataSet "on top"
SymbolStyle 1, 6, &H3030C0, &H101060, 1
AddDataPoint 1, 2
AddDataPoint 3, 5
LegendTableStyle , , 3, 3
AddText "turned", 2, 8, 0, "Font=Arial|12", &H0000FF, 45, False
Refresh
)";

std::vector<Variant> HostileValues() {
  const double inf = std::numeric_limits<double>::infinity();
  return {Variant(std::numeric_limits<double>::quiet_NaN()),
          Variant(inf),
          Variant(-inf),
          Variant(std::numeric_limits<double>::max()),
          Variant(std::numeric_limits<double>::lowest()),
          Variant(std::numeric_limits<double>::denorm_min()),
          Variant(std::numeric_limits<float>::max()),
          Variant(static_cast<double>(std::numeric_limits<float>::max()) * 1.01),
          Variant(0.0),
          Variant(-1.0),
          Variant(int16_t{32767}),
          Variant(int16_t{-32768}),
          Variant(int32_t{32768}),
          Variant(std::numeric_limits<int32_t>::max()),
          Variant(std::numeric_limits<int32_t>::min()),
          Variant(uint8_t{255}),
          Variant(1e7),
          Variant(std::string()),
          Variant(std::string("not a number")),
          Variant(std::string(100000, '9')),
          Variant(std::string(20000, ',')),
          Variant(true)};
}

// A harmless value for a parameter that is not the one swept.
Variant Plain(const ParamInfo& p) {
  switch (p.Type) {
    case VarType::String:
      return Variant(std::string("x"));
    case VarType::Boolean:
      return Variant(false);
    default:
      return Variant(int16_t{1});
  }
}

ScriptOptions SmallPicture() {
  ScriptOptions o;
  o.Width = 200;
  o.Height = 150;
  o.SizeGiven = true;
  return o;
}

struct Page {
  Plotara control{96};
  HeadlessClipboard clipboard;
  std::ostringstream out, err;
  ScriptRunner runner{control, SmallPicture(), out, err};  // its event handlers outlive the build-up
  int errorMsgs = 0;
  Page() {
    SizePicture(control, 200, 150);
    EXPECT_EQ(runner.Run(kBusyPage, "page"), kScriptOk) << err.str();
    EXPECT_EQ(err.str(), "");
    control.SetClipboard(&clipboard);
    control.Events().ErrorMsg = [this](std::string&, std::string&) { ++errorMsgs; };
  }
  ~Page() { control.SetClipboard(nullptr); }

  // A refresh and a few gestures: a drag on the plot, a click with Ctrl, a scroll and a copy.
  void Exercise() {
    control.Refresh();
    control.Picture1_MouseDown(1, 0, 600, 600);
    control.Picture1_MouseMove(1, 0, 1500, 1200);
    control.Picture1_MouseUp(1, 0, 1500, 1200);
    control.Picture1_MouseDown(1, 2, 2400, 900);
    control.Picture1_MouseUp(1, 2, 2400, 900);
    control.HScroll1_Change(100);
    control.VScroll1_Scroll(-100);
    control.CopyToClipboard();
  }
};

// What Get gives, as text; a property that cannot be read now gives its error.
std::string Read(Plotara& control, const MemberInfo& m) {
  try {
    const Variant v = Get(control, m.Name);
    return v.Type() == VarType::StringArray ? std::string("(array)") : v.ToString();
  } catch (const AutomationError& e) {
    return "error " + std::to_string(e.Number());
  }
}

std::string FirstDifference(const std::string& a, const std::string& b) {
  std::istringstream x(a), y(b);
  std::string l, r;
  while (std::getline(x, l) && std::getline(y, r))
    if (l != r) return l + "  ->  " + r;
  return "(lengths differ)";
}

bool AppliesRowsInOrder(const std::string& method) {
  static const std::set<std::string> styleMethods{
      "AxisStyle",     "AxisScaleStyle",  "AxisTitleStyle",   "AxisLabelStyle", "AxisGridStyle",
      "AxisTickStyle", "GraphPosition",   "BorderWidths",     "PageColors",     "PlotAreaColors",
      "BorderStyle",   "GraphTitleStyle", "LegendTableStyle", "SymbolStyle",    "DataLine"};
  return styleMethods.count(method) > 0;
}

// Every readable property as text: what the host can see of the model.
std::string Readings(Plotara& control) {
  std::string all;
  for (const MemberInfo& m : Members().All())
    if (m.Kind == MemberKind::Property && m.Get) all += m.Name + "=" + Read(control, m) + "\n";
  return all;
}

// Members whose whole purpose is to change the page out from under the sweep are swept like the rest;
// only the property check needs a readable property.
TEST(HostileSweep, EveryMemberTakesEveryHostileValue) {
  const std::vector<Variant> values = HostileValues();
  int calls = 0, refused = 0, unchangedChecks = 0;
  for (const MemberInfo& m : Members().All()) {
    SCOPED_TRACE(m.Name);
    Page page;
    for (const Variant& value : values) {
      SCOPED_TRACE(value.Type() == VarType::String ? "text of " + std::to_string(value.ToString().size())
                                                   : value.ToString());
      if (m.Kind == MemberKind::Property) {
        if (!m.Put) continue;
        const std::string before = Read(page.control, m);
        try {
          Put(page.control, m.Name, value);
        } catch (const AutomationError& e) {
          ++refused;
          EXPECT_GT(e.Number(), 0);
          // A refused value leaves the property as it was.
          EXPECT_EQ(Read(page.control, m), before);
        } catch (...) {
          ADD_FAILURE() << "Put threw something other than an automation error";
        }
        ++calls;
      } else {
        for (size_t i = 0; i < m.Params.size(); ++i) {
          std::vector<Variant> args;
          for (size_t k = 0; k < m.Params.size(); ++k)
            args.push_back(k == i ? value : m.Params[k].Optional ? Variant::Missing() : Plain(m.Params[k]));
          std::vector<NamedArg> named;
          const std::string before = Readings(page.control);
          const int reported = page.errorMsgs;
          try {
            Invoke(page.control, m.Name, args, named);
            // A method that fails leaves what the host can see as it was, except a style method: it
            // applies its rows in order, and those applied before the failing one stay applied.
            if (page.errorMsgs > reported && !AppliesRowsInOrder(m.Name)) {
              ++unchangedChecks;
              const std::string after = Readings(page.control);
              if (after != before)
                ADD_FAILURE() << "changed by a failing call:\n" << FirstDifference(before, after);
            }
          } catch (const AutomationError& e) {
            ++refused;  // an argument that does not convert to the parameter's type
            EXPECT_TRUE(e.Number() == 13 || e.Number() == 6 || e.Number() == 5) << e.Number();
          } catch (...) {
            ADD_FAILURE() << "Invoke threw something other than an automation error";
          }
          ++calls;
        }
      }
      try {
        page.Exercise();
      } catch (...) {
        ADD_FAILURE() << "a refresh or a gesture threw";
      }
    }
    // Whatever the values did, a new graph on the same control still draws without a failure.
    page.control.Reset();
    page.errorMsgs = 0;
    page.control.NewGraph("after", 0, 10, 0, 10);
    page.control.NewDataSet("d");
    page.control.AddDataPoint(5, 5);
    page.control.Refresh();
    EXPECT_EQ(page.errorMsgs, 0);
  }
  EXPECT_GT(calls, 1000);
  EXPECT_GT(refused, 0);
  EXPECT_GT(unchangedChecks, 5) << "failing methods whose readings were compared";
}

}  // namespace
}  // namespace plotara
