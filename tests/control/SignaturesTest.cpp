// The by-name table and the C++ declarations of the facade describe the same interface: every method
// and property of the table is declared in plotara/Plotara.h with the same parameter names, types,
// out-parameters and defaults, and the header declares nothing else but the few host-only members.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "plotara/Automation.h"

namespace plotara {
namespace {

struct CppParam {
  std::string type, name, defaultText;
};

struct CppMember {
  std::string result, name;
  std::vector<CppParam> params;
  bool isConst = false;
};

std::string Trim(std::string s) {
  const auto b = s.find_first_not_of(" \t\n");
  const auto e = s.find_last_not_of(" \t\n");
  return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

// The member functions declared in the class body of the facade, without the macro-made accessors.
std::vector<CppMember> DeclaredMembers() {
  std::ifstream in(PLOTARA_SOURCE_DIR "/include/plotara/Plotara.h");
  std::stringstream all;
  all << in.rdbuf();
  std::string text;
  bool continued = false;
  for (std::string line; std::getline(all, line);) {
    const std::string t = Trim(line);
    const bool directive = continued || (!t.empty() && t[0] == '#');
    continued = directive && !t.empty() && t.back() == '\\';
    if (directive) continue;
    if (const auto c = line.find("//"); c != std::string::npos) line.resize(c);
    text += line + "\n";
  }
  text = text.substr(text.find("class Plotara {"));
  text = text.substr(0, text.find(" private:"));
  std::vector<CppMember> members;
  static const std::regex decl(R"(([\w:<>]+[&]?)\s+(\w+)\(([^)]*)\)\s*(const)?\s*;)");
  for (std::sregex_iterator it(text.begin(), text.end(), decl), end; it != end; ++it) {
    CppMember m{(*it)[1], (*it)[2], {}, (*it)[4].matched};
    std::stringstream params((*it)[3].str());
    for (std::string p; std::getline(params, p, ',');) {
      p = Trim(p);
      if (p.empty()) continue;
      CppParam q;
      if (const auto eq = p.find('='); eq != std::string::npos) {
        q.defaultText = Trim(p.substr(eq + 1));
        p = Trim(p.substr(0, eq));
      }
      const auto space = p.find_last_of(" &");
      q.type = Trim(p.substr(0, space + 1));
      q.name = p.substr(space + 1);
      m.params.push_back(q);
    }
    members.push_back(m);
  }
  return members;
}

// The automation type a C++ parameter type travels in; out-parameters are references to non-const.
VarType TypeOf(std::string t, bool& out) {
  out = t.back() == '&' && t.rfind("const ", 0) != 0;
  if (t.rfind("const ", 0) == 0) t = t.substr(6);
  if (t.back() == '&') t.pop_back();
  t = Trim(t);
  static const std::map<std::string, VarType> types = {
      {"bool", VarType::Boolean},       {"uint8_t", VarType::Byte},
      {"int16_t", VarType::Integer},    {"int32_t", VarType::Long},
      {"float", VarType::Single},       {"double", VarType::Double},
      {"std::string", VarType::String}, {"std::vector<std::string>", VarType::StringArray},
      {"Variant", VarType::Variant},    {"void", VarType::Empty}};
  const auto it = types.find(t);
  return it == types.end() ? VarType::Missing : it->second;
}

// The default written in C++ as the value the table holds.
Variant DefaultOf(const std::string& text, VarType type) {
  if (text == "true" || text == "false") return Variant(text == "true");
  if (text.size() >= 2 && text.front() == '"') return Variant(text.substr(1, text.size() - 2));
  return Variant(std::stod(text)).ConvertTo(type);
}

TEST(Signatures, TheTableAndTheHeaderDescribeTheSameMethods) {
  std::map<std::string, CppMember> methods;
  std::set<std::string> accessors;
  for (const CppMember& m : DeclaredMembers()) {
    if (m.isConst) accessors.insert(m.name);  // a property getter (or a host-only query)
    if (!m.isConst && !(m.result == "void" && m.params.size() == 1 && accessors.count(m.name)))
      methods[m.name] = m;
  }
  std::set<std::string> seen;
  for (const MemberInfo& m : Members().All()) {
    SCOPED_TRACE(m.Name);
    if (m.Kind == MemberKind::Property) continue;
    ASSERT_TRUE(methods.count(m.Name)) << "declared in the header";
    seen.insert(m.Name);
    const CppMember& cpp = methods[m.Name];
    bool resultOut = false;
    EXPECT_EQ(TypeOf(cpp.result, resultOut), m.Type) << "result type";
    ASSERT_EQ(cpp.params.size(), m.Params.size()) << "parameter count";
    for (size_t i = 0; i < m.Params.size(); ++i) {
      const ParamInfo& p = m.Params[i];
      const CppParam& q = cpp.params[i];
      SCOPED_TRACE(p.Name);
      bool out = false;
      EXPECT_EQ(q.name, p.Name);
      EXPECT_EQ(TypeOf(q.type, out), p.Type);
      EXPECT_EQ(out, p.Out);
      if (p.Out) continue;
      EXPECT_EQ(p.Optional, !q.defaultText.empty());
      if (p.Optional && !q.defaultText.empty()) {
        const Variant written = DefaultOf(q.defaultText, p.Type);
        EXPECT_EQ(written.ToString(), p.Default.ToString()) << "default";
        EXPECT_EQ(written.Type(), p.Default.Type()) << "type of the default";
      }
    }
  }
  // Methods only a host program has, beside the automation interface.
  const std::set<std::string> hostOnly = {"Plotara",
                                          "AddDataPoints",
                                          "Resize",
                                          "ResizePicture",
                                          "Events",
                                          "SavePicture",
                                          "Picture1_MouseDown",
                                          "Picture1_MouseMove",
                                          "Picture1_MouseUp",
                                          "HScroll1_Scroll",
                                          "HScroll1_Change",
                                          "VScroll1_Scroll",
                                          "VScroll1_Change",
                                          "OnPictureChanged",
                                          "SetClipboard",
                                          "SetPicker",
                                          "Wheel",
                                          "Pinch",
                                          "Pan",
                                          "KeyDown",
                                          "SavePage",
                                          "PaintPage",
                                          "UseDataSource",
                                          "DeferDataQueries",
                                          "TakeDataQueries"};
  for (const auto& [name, m] : methods) {
    EXPECT_TRUE(seen.count(name) || hostOnly.count(name)) << name << " is missing from the by-name table";
  }
}

// The properties of plotara/Properties.h are declared by its macro from the same rows as the table; the
// ones written out by hand must agree with it in type and in being writable.
TEST(Signatures, HandWrittenPropertiesAgreeWithTheTable) {
  const std::vector<CppMember> declared = DeclaredMembers();
  const std::set<std::string> hostOnly = {"Picture1", "TwipsPerPixel", "Label1",
                                          "HScroll1", "VScroll1",      "MousePointer"};
  int checked = 0;
  for (const CppMember& g : declared) {
    if (!g.isConst || !g.params.empty() || hostOnly.count(g.name)) continue;
    SCOPED_TRACE(g.name);
    const MemberInfo* m = Members().Find(g.name);
    ASSERT_TRUE(m != nullptr && m->Kind == MemberKind::Property);
    bool out = false;
    EXPECT_EQ(TypeOf(g.result, out), m->Type);
    bool hasSetter = false;
    for (const CppMember& s : declared) hasSetter |= s.name == g.name && !s.isConst && s.params.size() == 1;
    EXPECT_EQ(hasSetter, static_cast<bool>(m->Put));
    ++checked;
  }
  EXPECT_EQ(checked, 15) << "Version, GraphIndex, SuppressRaisingEvents, ReadableLabels, AxisValue1/2, "
                            "AxisViewValue1/2, AxisScale, x/yAxisIndex, WheelZoom, PinchZoom, TouchPan, "
                            "KeyNavigation";
}

}  // namespace
}  // namespace plotara
