#include "hosts/cli/ScriptFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "hosts/cli/PictureOutput.h"
#include "platform/PictureFormat.h"

namespace plotara {

int RunScriptFile(const std::string& path, const ScriptOptions& options, const std::string& saveTo,
                  std::ostream& out, std::ostream& err) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    err << "plotara: cannot open script '" << path << "'\n";
    return kScriptFailed;
  }
  std::stringstream text;
  text << in.rdbuf();
  ScriptOptions opts = options;
  if (opts.BaseDir.empty()) opts.BaseDir = std::filesystem::path(path).parent_path().string();
  // A document gets the drawing as shapes and text; any other file gets the picture's pixels.
  const bool pictureToOut = saveTo == "-";
  const bool vector = IsDocument(PictureFormatOf(pictureToOut ? "." + opts.Format : saveTo));
  Plotara control(PlotaraOptions{opts.Dpi, opts.Antialias, vector});
  SizePicture(control, opts.Width, opts.Height);
  // With the picture on standard output, what the script prints goes to the error stream.
  ScriptRunner runner(control, opts, pictureToOut ? err : out, err);
  const int status = runner.Run(text.str(), path);
  if (status == kScriptSyntaxError || saveTo.empty()) return status;
  // A script that never draws is drawn before its picture is saved.
  if (!runner.Refreshed()) control.Refresh();
  if (pictureToOut) {
    std::string problem;
    if (!SaveToStream(control, opts.Format.empty() ? "png" : opts.Format, out, problem)) {
      err << "plotara: cannot write the picture to standard output: " << problem << "\n";
      return kScriptFailed;
    }
    return status;
  }
  try {
    control.SavePicture(saveTo);
  } catch (const AutomationError& e) {
    err << "plotara: cannot write '" << saveTo << "': " << e.Description() << "\n";
    return kScriptFailed;
  }
  return status;  // the picture is written even when a statement failed; the status says so
}

}  // namespace plotara
