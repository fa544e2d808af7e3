#include "hosts/cli/PictureOutput.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/PictureFormat.h"

namespace plotara {

bool SaveToStream(const Plotara& control, const std::string& format, std::ostream& out,
                  std::string& problem) {
  // The scratch folder goes where the user keeps temporary files (TMPDIR, else /tmp).
  std::error_code ec;
  const std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
  std::string dir = (tmp / "plotara-XXXXXX").string();
  if (ec || !mkdtemp(dir.data())) {
    const char* named = std::getenv("TMPDIR");
    problem = std::string("cannot make a scratch folder in ") +
              (named && *named ? "TMPDIR '" + std::string(named) + "'" : "'" + tmp.string() + "'") + ": " +
              (ec ? ec.message() : std::strerror(errno));
    return false;
  }
  const std::string path = dir + "/picture." + format;
  bool ok = true;
  try {
    control.SavePicture(path);
    std::ifstream in(path, std::ios::binary);
    out << in.rdbuf();
    out.flush();
    if (!out) {
      problem = "cannot write to standard output";
      ok = false;
    }
  } catch (const AutomationError& e) {
    problem = e.Description();
    ok = false;
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  return ok;
}

}  // namespace plotara
