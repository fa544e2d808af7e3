// `plotara run` and `plotara render`: a script file run on a new control, and its picture saved.
#pragma once

#include <iosfwd>
#include <string>

#include "hosts/cli/Script.h"

namespace plotara {

// Runs a script file on a new control sized by options, then saves its picture to saveTo when that is
// not empty ("-": to out, in options.Format; a script that never refreshed is refreshed first). What the
// script prints goes to out (to err when the picture does), failures to err. Returns the exit status.
int RunScriptFile(const std::string& path, const ScriptOptions& options, const std::string& saveTo,
                  std::ostream& out, std::ostream& err);

}  // namespace plotara
