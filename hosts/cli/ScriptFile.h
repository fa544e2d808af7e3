// `plotara run` and `plotara render`: a script file run on a new control, and its picture saved.
#pragma once

#include <iosfwd>
#include <string>

#include "hosts/cli/Script.h"

namespace plotara {

// A script is read whole before it runs, within these bounds, so that a file without line breaks or an
// endless stream ends in a clear error rather than in all the memory there is.
inline constexpr size_t kMaxScriptLine = size_t{1} << 20;    // bytes
inline constexpr size_t kMaxScriptBytes = size_t{16} << 20;  // 16 MiB

// The text of the script at path ("-": standardInput, or the process's standard input when that is
// nullptr). Returns "" or the one-line problem ("cannot read script 'x': Is a directory"; "script 'x' is
// larger than 16 MiB").
std::string ReadScript(const std::string& path, std::string& text, std::istream* standardInput = nullptr);

// Runs a script file ("-": standard input) on a new control sized by options, then saves its picture to
// saveTo when that is not empty ("-": to out, in options.Format; a script that never refreshed is
// refreshed first) and the run succeeded or options.KeepGoing. What the script prints goes to out (to err
// when the picture does), failures to err. Returns the exit status.
int RunScriptFile(const std::string& path, const ScriptOptions& options, const std::string& saveTo,
                  std::ostream& out, std::ostream& err);

}  // namespace plotara
