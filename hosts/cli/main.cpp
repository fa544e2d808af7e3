// plotara: the command-line host. Runs host scripts, renders their pictures and lists the interface.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "hosts/cli/EvalCommand.h"
#include "hosts/cli/MemberDocs.h"
#include "hosts/cli/PictureOutput.h"
#include "hosts/cli/ScriptFile.h"
#include "plotara/Automation.h"
#include "plotara/Plotara.h"

namespace {

constexpr const char* kRunUsage =
    "usage: plotara run SCRIPT [--size WxH] [--dpi N] [--events]\n"
    "  Runs a host script. --size gives the picture in pixels at 96 dpi (it wins over the script's Size),\n"
    "  --dpi scales it, --events prints every event as it is raised.\n";
constexpr const char* kRenderUsage =
    "usage: plotara render SCRIPT -o OUT.png|OUT.svg|OUT.pdf|- [--format png|svg|pdf] [--size WxH] [--dpi "
    "N]\n"
    "                      [--antialias] [--events]\n"
    "  Runs a host script and saves its picture (refreshed first when the script never calls Refresh).\n"
    "  SVG and PDF are vector documents; --antialias smooths lines, curves and symbols of a PNG.\n"
    "  -o - writes the picture to standard output (PNG unless --format says otherwise); what the script\n"
    "  prints then goes to standard error.\n";
constexpr const char* kEvalUsage =
    "usage: plotara eval EXPR [--deg] [--var NAME=VALUE]... [--func \"F(a,b) = ...\"]... [--rpn]\n"
    "  Evaluates an expression with the control's evaluator.\n";
constexpr const char* kMembersUsage =
    "usage: plotara members [--long | --markdown]\n"
    "  Lists the automation interface; --long adds each member's meaning, unit, default and range;\n"
    "  --markdown writes the same as the page docs/members.md.\n";
constexpr const char* kHelpUsage =
    "usage: plotara help [COMMAND]\n  Prints the usage of plotara or of one command.\n";

constexpr const char* kUsage =
    "usage:\n"
    "  plotara run SCRIPT [--size WxH] [--dpi N] [--events]       run a host script\n"
    "  plotara render SCRIPT -o OUT.png|OUT.svg|OUT.pdf|- [--format F] [--size WxH] [--dpi N] [--antialias] "
    "[--events]\n"
    "  plotara eval EXPR [--deg] [--var NAME=VALUE]... [--func \"F(a,b) = ...\"]... [--rpn]\n"
    "                                                             evaluate an expression\n"
    "  plotara members [--long]                                   list the automation interface\n"
    "  plotara help [COMMAND]                                     usage of plotara or of a command\n"
    "  plotara --version                                          the version\n"
    "Exit status: 0 success, 1 a statement or a file failed, 2 a script line or the usage is wrong.\n";

const char* UsageOf(const std::string& command) {
  if (command == "run") return kRunUsage;
  if (command == "render") return kRenderUsage;
  if (command == "eval") return kEvalUsage;
  if (command == "members") return kMembersUsage;
  if (command == "help") return kHelpUsage;
  return nullptr;
}

bool IsHelp(const std::string& a) {
  return a == "--help" || a == "-h";
}

// Wrong usage: the problem and the usage on the error stream, status 2.
int Usage(const std::string& problem, const char* usage = kUsage) {
  if (!problem.empty()) std::cerr << "plotara: " << problem << "\n";
  std::cerr << usage;
  return 2;
}

int Help(const std::string& command) {
  if (command.empty()) {
    std::cout << kUsage;
    return 0;
  }
  const char* usage = UsageOf(command);
  if (!usage) return Usage("no command '" + command + "'");
  std::cout << usage;
  return 0;
}

int ListMembers(bool longForm) {
  if (longForm) {
    std::cout << plotara::MemberReference(plotara::ReferenceFormat::Text);
    return 0;
  }
  for (const plotara::MemberInfo& m : plotara::Members().All()) std::cout << plotara::Signature(m) << "\n";
  return 0;
}

int Main(int argc, char** argv);

// What went to standard output must have arrived: a full disk or a closed pipe fails the command.
int CheckedOutput(int status) {
  errno = 0;
  if (std::cout.flush()) return status;
  const int error = errno;
  std::cerr << "plotara: cannot write to standard output"
            << (error ? std::string(": ") + std::strerror(error) : "") << "\n";
  return status == 0 ? 1 : status;
}

}  // namespace

int main(int argc, char** argv) {
  return CheckedOutput(Main(argc, argv));
}

namespace {

int Main(int argc, char** argv) {
  if (argc < 2) return Usage("no command given");
  const std::string command = argv[1];
  if (IsHelp(command)) return Help("");
  if (command == "--version") {
    std::cout << "plotara " << plotara::Plotara().Version() << "\n";
    return 0;
  }
  if (command == "help") {
    if (argc > 3) return Usage("help takes one command", kHelpUsage);
    return Help(argc == 3 ? argv[2] : "");
  }
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) break;  // eval: what follows is the expression
    if (IsHelp(argv[i]) && UsageOf(command)) return Help(command);
  }
  if (command == "eval") return plotara::EvalCommand(argc - 1, argv + 1, std::cout, std::cerr);
  if (command == "members") {
    if (argc == 2) return ListMembers(false);
    if (argc == 3 && std::strcmp(argv[2], "--long") == 0) return ListMembers(true);
    if (argc == 3 && std::strcmp(argv[2], "--markdown") == 0) {
      std::cout << plotara::MemberReference(plotara::ReferenceFormat::Markdown);
      return 0;
    }
    return Usage("members takes --long or --markdown", kMembersUsage);
  }
  if (command != "run" && command != "render") return Usage("unknown command '" + command + "'");
  const char* usage = UsageOf(command);

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
          return Usage("bad size '" + v + "' (expected WIDTHxHEIGHT in pixels)", usage);
        options.Width = w;
        options.SizeGiven = true;
        options.Height = h;
      } else if (a == "--dpi") {
        const std::string v = value("a resolution");
        char* end = nullptr;
        const double dpi = std::strtod(v.c_str(), &end);
        if (*end != '\0' || !(dpi >= 24 && dpi <= 1200))
          return Usage("bad resolution '" + v + "' (24 to 1200)", usage);
        options.Dpi = dpi;
      } else if (a == "--antialias") {
        options.Antialias = true;
      } else if (a == "--events") {
        options.PrintEvents = true;
      } else if (a == "-o" && command == "render") {
        output = value("an output file");
      } else if (a == "--format" && command == "render") {
        options.Format = value("a format: png, svg or pdf");
        if (!plotara::UnsupportedFormat("." + options.Format).empty()) {
          std::cerr << "plotara: unsupported format '" << options.Format << "' (supported: png, svg, pdf)\n";
          return 2;
        }
      } else if (a.size() > 1 && a[0] == '-') {
        return Usage("unknown option '" + a + "'", usage);
      } else if (script.empty()) {
        script = a;
      } else {
        return Usage("more than one script given", usage);
      }
    } catch (const std::string& problem) {
      return Usage(problem, usage);
    }
  }
  if (script.empty()) return Usage("no script given", usage);
  if (command == "render") {
    if (output.empty()) return Usage("render needs -o OUT", usage);
    if (output != "-") {
      if (const std::string problem = plotara::UnsupportedFormat(output); !problem.empty()) {
        std::cerr << "plotara: cannot write '" << output << "': " << problem << "\n";
        return 2;
      }
      if (!options.Format.empty())
        return Usage("--format is for -o - (a file's format follows its name)", usage);
    }
  }
  return plotara::RunScriptFile(script, options, output, std::cout, std::cerr);
}

}  // namespace
