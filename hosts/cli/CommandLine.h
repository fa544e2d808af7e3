// The options of the programs that run a host script, read one way for all of them: `plotara run`,
// `plotara render` and `plotara-view` (which links this without the rest of the command).
#pragma once

#include <string>
#include <vector>

#include "hosts/cli/ScriptOptions.h"

namespace plotara {

enum class Program { Run, Render, View };

struct CommandLine {
  std::string Script;      // "-": standard input
  std::string Output;      // render: -o FILE, or "-" for standard output
  std::string Screenshot;  // plotara-view: --screenshot FILE
  ScriptOptions Options;
};

// Reads the arguments that follow `plotara run`, `plotara render` or `plotara-view`. Returns "" or the
// one-line usage problem ("bad size '12' (expected WIDTHxHEIGHT in pixels)").
std::string ParseCommandLine(Program program, const std::vector<std::string>& args, CommandLine& line);

// The options part of each program's usage, one option a line.
std::string OptionsHelp(Program program);

// "" when the file name's extension is a picture format the control writes; else the problem, naming
// the formats that are ("unsupported format '.bmp' (supported: .png, .svg, .pdf)").
std::string UnsupportedFormat(const std::string& path);

}  // namespace plotara
