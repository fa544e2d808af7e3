// Host scripts as fuzz inputs, shared by script_fuzz and the test that replays its kept inputs. The
// input is a script, parsed and run on a fresh control.
// The picture is fixed at a small size (SizeGiven keeps Size statements from changing it) and an input
// is cut to a bounded number of lines and characters, so that one input stays fast. Statements that
// touch the file system (Save, SaveClipboard, Data) are blanked: a fuzzer must not write where it likes.
// Whatever the script does, the run must return a ScriptStatus; a crash, a sanitizer report or an
// exception escaping Run is a finding.
#pragma once

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "hosts/cli/Script.h"
#include "platform/AsciiCase.h"

namespace plotara::fuzz {

namespace script {

constexpr size_t kMaxInput = 4096;
constexpr int kMaxLines = 48;

inline bool TouchesFiles(const std::string& line) {
  size_t i = line.find_first_not_of(" \t\r");
  if (i == std::string::npos) return false;
  size_t j = i;
  while (j < line.size() && (std::isalnum(static_cast<unsigned char>(line[j])) || line[j] == '_')) ++j;
  const std::string word = line.substr(i, j - i);
  return plotara::EqualsNoCase(word, "Save") || plotara::EqualsNoCase(word, "SaveClipboard") ||
         plotara::EqualsNoCase(word, "Data");
}

}  // namespace script

// Runs one input as a script on a fresh control; false when the input is too long to take. A status
// that is not a ScriptStatus aborts.
inline bool RunFuzzScript(const uint8_t* data, size_t size) {
  using namespace script;
  if (size > kMaxInput) return false;
  std::string text(reinterpret_cast<const char*>(data), size);
  std::istringstream in(text);
  std::string line, script;
  int lines = 0;
  while (std::getline(in, line)) {
    if (++lines > kMaxLines) break;
    script += TouchesFiles(line) ? std::string() : line;
    script += '\n';
  }
  plotara::ScriptOptions options;
  options.Width = 160;
  options.Height = 120;
  options.SizeGiven = true;
  plotara::Plotara control(options.Dpi);
  plotara::SizePicture(control, options.Width, options.Height);
  std::ostringstream out, err;
  plotara::ScriptRunner runner(control, options, out, err);
  const int status = runner.Run(script, "fuzz");
  if (status != plotara::kScriptOk && status != plotara::kScriptFailed &&
      status != plotara::kScriptSyntaxError)
    std::abort();
  return true;
}

}  // namespace plotara::fuzz
