// plotara: the command-line host. Runs host scripts, renders their pictures and lists the interface.
#include <cstring>
#include <iostream>
#include <string>

#include "plotara/Automation.h"
#include "hosts/cli/EvalCommand.h"
#include "hosts/cli/Script.h"

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  plotara run SCRIPT [--size WxH] [--dpi N] [--events]       run a host script\n"
    "  plotara render SCRIPT -o OUT.png|OUT.svg|OUT.pdf [--size WxH] [--dpi N] [--antialias] [--events]\n"
    "  plotara eval EXPR [--deg] [--var NAME=VALUE]... [--func \"F(a,b) = ...\"]... [--rpn]\n"
    "                                                             evaluate an expression\n"
    "  plotara members                                            list the automation interface\n";

int Usage(const std::string& problem) {
  if (!problem.empty()) std::cerr << "plotara: " << problem << "\n";
  std::cerr << kUsage;
  return 2;
}

int ListMembers() {
  for (const plotara::MemberInfo& m : plotara::Members().All()) std::cout << plotara::Signature(m) << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage("");
  const std::string command = argv[1];
  if (command == "eval") return plotara::EvalCommand(argc - 1, argv + 1, std::cout, std::cerr);
  if (command == "members") return argc == 2 ? ListMembers() : Usage("members takes no arguments");
  if (command != "run" && command != "render") return Usage("unknown command '" + command + "'");

  plotara::ScriptOptions options;
  std::string script, output;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](const char* what) -> std::string {
      if (i + 1 >= argc) throw std::string(a + " needs " + what);
      return argv[++i];
    };
    try {
      if (a == "--size") {
        const std::string v = value("a size such as 800x600");
        int w = 0, h = 0;
        char x = 0, rest = 0;
        if (std::sscanf(v.c_str(), "%d%c%d%c", &w, &x, &h, &rest) != 3 || (x != 'x' && x != 'X') || w < 1 ||
            h < 1 || w > 20000 || h > 20000)
          return Usage("bad size '" + v + "' (expected WIDTHxHEIGHT in pixels)");
        options.Width = w;
        options.SizeGiven = true;
        options.Height = h;
      } else if (a == "--dpi") {
        const std::string v = value("a resolution");
        char* end = nullptr;
        const double dpi = std::strtod(v.c_str(), &end);
        if (*end != '\0' || !(dpi >= 24 && dpi <= 1200)) return Usage("bad resolution '" + v + "' (24 to 1200)");
        options.Dpi = dpi;
      } else if (a == "--antialias") {
        options.Antialias = true;
      } else if (a == "--events") {
        options.PrintEvents = true;
      } else if (a == "-o" && command == "render") {
        output = value("an output file");
      } else if (!a.empty() && a[0] == '-') {
        return Usage("unknown option '" + a + "'");
      } else if (script.empty()) {
        script = a;
      } else {
        return Usage("more than one script given");
      }
    } catch (const std::string& problem) {
      return Usage(problem);
    }
  }
  if (script.empty()) return Usage("no script given");
  if (command == "render" && output.empty()) return Usage("render needs -o OUT");
  return plotara::RunScriptFile(script, options, output, std::cout, std::cerr);
}
