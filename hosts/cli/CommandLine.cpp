#include "hosts/cli/CommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "platform/PictureFormat.h"

namespace plotara {

namespace {

constexpr unsigned kRun = 1, kRender = 2, kView = 4, kAll = kRun | kRender | kView;

unsigned Bit(Program p) {
  return p == Program::Run ? kRun : p == Program::Render ? kRender : kView;
}

// One option: its names, the value it takes (nullptr: none), the programs that have it, what it does, and
// how it sets the command line ("" or the problem with the value).
struct Option {
  const char* Name;
  const char* Short;
  const char* Value;
  unsigned Programs;
  const char* Help;
  std::function<std::string(const std::string& value, CommandLine& line)> Set;
};

std::string SetSize(const std::string& v, CommandLine& line) {
  int w = 0, h = 0;
  char x = 0, rest = 0;
  if (std::sscanf(v.c_str(), "%d%c%d%c", &w, &x, &h, &rest) != 3 || (x != 'x' && x != 'X') || w < 1 ||
      h < 1 || w > 20000 || h > 20000)
    return "bad size '" + v + "' (expected WIDTHxHEIGHT in pixels, each 1 to 20000)";
  line.Options.Width = w;
  line.Options.Height = h;
  line.Options.SizeGiven = true;
  return "";
}

std::string SetDpi(const std::string& v, CommandLine& line) {
  char* end = nullptr;
  const double dpi = std::strtod(v.c_str(), &end);
  if (v.empty() || *end != '\0' || !(dpi >= 24 && dpi <= 1200))
    return "bad resolution '" + v + "' (24 to 1200)";
  line.Options.Dpi = dpi;
  return "";
}

std::string SetPngLevel(const std::string& v, CommandLine& line) {
  if (v.size() != 1 || v[0] < '0' || v[0] > '9') return "bad PNG level '" + v + "' (0 to 9)";
  line.Options.PngCompression = v[0] - '0';
  return "";
}

std::string SetFormat(const std::string& v, CommandLine& line) {
  if (PictureFormatNamed(v) == PictureFormat::None)
    return "unsupported format '" + v + "' (supported: png, svg, pdf)";
  line.Options.Format = v;
  return "";
}

const Option kOptions[] = {
    {"--size", nullptr, "WxH", kAll, "the picture in pixels at 96 dpi (wins over the script's Size)",
     SetSize},
    {"--dpi", nullptr, "N", kRun | kRender,
     "the picture's resolution, 24 to 1200: 192 doubles the pixels, same layout", SetDpi},
    {"--antialias", nullptr, nullptr, kRun | kRender, "smooth lines, curves and symbols",
     [](const std::string&, CommandLine& l) { return l.Options.Antialias = true, std::string(); }},
    {"--svg-text", nullptr, nullptr, kRender, "an .svg holds its text as text to select and search",
     [](const std::string&, CommandLine& l) { return l.Options.SvgText = true, std::string(); }},
    {"--png-level", nullptr, "N", kRun | kRender,
     "zlib level of the PNG files written: 0 (none) to 9 (smallest); 1 is fastest to pack", SetPngLevel},
    {"--events", nullptr, nullptr, kAll, "print every event as it is raised",
     [](const std::string&, CommandLine& l) { return l.Options.PrintEvents = true, std::string(); }},
    {"--quiet", "-q", nullptr, kAll, "print nothing but failures (no Print output, events or notes)",
     [](const std::string&, CommandLine& l) { return l.Options.Quiet = true, std::string(); }},
    {"--keep-going", nullptr, nullptr, kRun | kRender,
     "write the pictures even when a statement failed (the status is still 1)",
     [](const std::string&, CommandLine& l) { return l.Options.KeepGoing = true, std::string(); }},
    {"-o", nullptr, "OUT", kRender, "the picture: OUT.png, OUT.svg, OUT.pdf, or - for standard output",
     [](const std::string& v, CommandLine& l) { return l.Output = v, std::string(); }},
    {"--format", nullptr, "F", kRender, "the format of -o -: png (the default), svg or pdf", SetFormat},
    {"--screenshot", nullptr, "OUT.png", kView, "write the window to a picture and quit",
     [](const std::string& v, CommandLine& l) { return l.Screenshot = v, std::string(); }},
};

}  // namespace

std::string UnsupportedFormat(const std::string& path) {
  if (PictureFormatOf(path) != PictureFormat::None) return "";
  const std::string ext = FileExtension(path);
  return (ext.empty() ? std::string("no format in the file name") : "unsupported format '" + ext + "'") +
         " (supported: .png, .svg, .pdf)";
}

std::string ParseCommandLine(Program program, const std::vector<std::string>& args, CommandLine& line) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const Option* option = nullptr;
    for (const Option& o : kOptions)
      if ((o.Programs & Bit(program)) && (a == o.Name || (o.Short && a == o.Short))) option = &o;
    if (option) {
      std::string value;
      if (option->Value) {
        if (i + 1 >= args.size()) return a + " needs " + option->Value;
        value = args[++i];
      }
      if (std::string problem = option->Set(value, line); !problem.empty()) return problem;
    } else if (a.size() > 1 && a[0] == '-') {
      return "unknown option '" + a + "'";
    } else if (line.Script.empty()) {
      line.Script = a;
    } else {
      return "more than one script given ('" + line.Script + "' and '" + a + "')";
    }
  }
  if (line.Script.empty()) return "no script given (- reads it from standard input)";
  line.Options.ScriptFromStdin = line.Script == "-";
  if (program != Program::Render) return "";
  if (line.Output.empty()) return "render needs -o OUT";
  if (line.Output == "-") return "";
  if (!line.Options.Format.empty()) return "--format is for -o - (a file's format follows its name)";
  if (std::string problem = UnsupportedFormat(line.Output); !problem.empty())
    return "cannot write '" + line.Output + "': " + problem;
  return "";
}

std::string OptionsHelp(Program program) {
  std::string help;
  for (const Option& o : kOptions) {
    if (!(o.Programs & Bit(program))) continue;
    std::string names = std::string("  ") + (o.Short ? std::string(o.Short) + ", " : "") + o.Name;
    if (o.Value) names += std::string(" ") + o.Value;
    names.resize(std::max<size_t>(names.size() + 2, 24), ' ');
    help += names + o.Help + "\n";
  }
  return help;
}

}  // namespace plotara
