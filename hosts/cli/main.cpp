// plotara: the command-line host. Runs host scripts, renders their pictures, evaluates formulas and
// tells the interface and the script language.
#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "hosts/cli/CommandLine.h"
#include "hosts/cli/EvalCommand.h"
#include "hosts/cli/MemberDocs.h"
#include "hosts/cli/ScriptDocs.h"
#include "hosts/cli/ScriptFile.h"
#include "platform/TextEncoding.h"
#include "plotara/Automation.h"
#include "plotara/Plotara.h"

namespace {

using plotara::Program;

const std::string kRunUsage =
    "usage: plotara run SCRIPT|- [options]\n"
    "  Runs a host script (- reads it from standard input). Options:\n" +
    plotara::OptionsHelp(Program::Run);
const std::string kRenderUsage =
    "usage: plotara render SCRIPT|- -o OUT.png|OUT.svg|OUT.pdf|- [options]\n"
    "  Runs a host script and saves its picture (refreshed first when the script never calls Refresh).\n"
    "  SVG and PDF are vector documents. A run in which a statement failed writes no picture unless\n"
    "  --keep-going says so. -o - writes the picture to standard output; what the script prints then goes\n"
    "  to standard error. Options:\n";
constexpr const char* kEvalUsage =
    "usage: plotara eval EXPR [--deg] [--var NAME=VALUE]... [--func \"F(a,b) = ...\"]... [--rpn]\n"
    "  Evaluates an expression with the control's evaluator.\n";
constexpr const char* kMembersUsage =
    "usage: plotara members [--long | --markdown]\n"
    "  Lists the automation interface; --long adds each member's meaning, unit, default and range, and the\n"
    "  events; --markdown writes the same as the page docs/members.md.\n";
constexpr const char* kHelpUsage =
    "usage: plotara help [COMMAND | script [--markdown] | MEMBER | EVENT]\n"
    "  Prints the usage of plotara or of one command, the script language (script; --markdown writes the\n"
    "  page docs/script.md), or the reference of a member or an event of the control (help NewGraph).\n";

constexpr const char* kUsage =
    "usage:\n"
    "  plotara run SCRIPT|- [options]                              run a host script\n"
    "  plotara render SCRIPT|- -o OUT.png|OUT.svg|OUT.pdf|- [options]  ... and save its picture\n"
    "  plotara eval EXPR [--deg] [--var NAME=VALUE]... [--func \"F(a,b) = ...\"]... [--rpn]\n"
    "                                                              evaluate an expression\n"
    "  plotara members [--long | --markdown]                       list the automation interface\n"
    "  plotara help [COMMAND | script | MEMBER | EVENT]            usage, the script language, a member\n"
    "  plotara --version                                           the version\n"
    "Exit status: 0 success, 1 a statement or a file failed, 2 a script line or the usage is wrong.\n";

// A command's usage; "" for no such command.
std::string UsageOf(const std::string& command) {
  if (command == "run") return kRunUsage + plotara::OptionsHelp(Program::Run);
  if (command == "render") return kRenderUsage + plotara::OptionsHelp(Program::Render);
  if (command == "eval") return kEvalUsage;
  if (command == "members") return kMembersUsage;
  if (command == "help") return kHelpUsage;
  return "";
}

bool IsHelp(const std::string& a) {
  return a == "--help" || a == "-h";
}

// Wrong usage: the problem and the usage on the error stream, status 2.
int Usage(const std::string& problem, const std::string& usage = kUsage) {
  if (!problem.empty()) std::cerr << "plotara: " << plotara::PrintableText(problem) << "\n";
  std::cerr << usage;
  return 2;
}

// help TOPIC: a command's usage, the script language, or a member's or an event's reference.
int Help(const std::vector<std::string>& topic) {
  if (topic.empty()) {
    std::cout << kUsage;
    return 0;
  }
  const std::string& what = topic[0];
  if (what == "script" && topic.size() <= 2) {
    if (topic.size() == 1) {
      std::cout << plotara::ScriptReference(plotara::ReferenceFormat::Text);
      return 0;
    }
    if (topic[1] == "--markdown") {
      std::cout << plotara::ScriptReference(plotara::ReferenceFormat::Markdown);
      return 0;
    }
  }
  if (topic.size() > 1) return Usage("help takes one topic", kHelpUsage);
  if (const std::string usage = UsageOf(what); !usage.empty()) {
    std::cout << usage;
    return 0;
  }
  if (const std::string reference = plotara::MemberHelp(what); !reference.empty()) {
    std::cout << reference;
    return 0;
  }
  return Usage("no command, member or event '" + what + "' (plotara members lists the members)", kHelpUsage);
}

int Members(const std::vector<std::string>& args) {
  if (args.empty()) {
    for (const plotara::MemberInfo& m : plotara::Members().All()) std::cout << plotara::Signature(m) << "\n";
    return 0;
  }
  if (args.size() == 1 && (args[0] == "--long" || args[0] == "--markdown")) {
    std::cout << plotara::MemberReference(args[0] == "--long" ? plotara::ReferenceFormat::Text
                                                              : plotara::ReferenceFormat::Markdown);
    return 0;
  }
  return Usage("members takes --long or --markdown", kMembersUsage);
}

int Main(int argc, char** argv) {
  if (argc < 2) return Usage("no command given");
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (IsHelp(command)) return Help({});
  if (command == "--version") {
    std::cout << "plotara " << plotara::Plotara().Version() << "\n";
    return 0;
  }
  if (command == "help") return Help(args);
  for (const std::string& a : args) {
    if (a == "--") break;  // eval: what follows is the expression
    if (IsHelp(a) && !UsageOf(command).empty()) return Help({command});
  }
  if (command == "eval") return plotara::EvalCommand(argc - 1, argv + 1, std::cout, std::cerr);
  if (command == "members") return Members(args);
  if (command != "run" && command != "render") return Usage("unknown command '" + command + "'");
  plotara::CommandLine line;
  const Program program = command == "run" ? Program::Run : Program::Render;
  if (const std::string problem = plotara::ParseCommandLine(program, args, line); !problem.empty())
    return Usage(problem, UsageOf(command));
  return plotara::RunScriptFile(line.Script, line.Options, line.Output, std::cout, std::cerr);
}

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
