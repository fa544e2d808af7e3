#include "hosts/cli/ScriptFile.h"

#include <filesystem>
#include <memory>

#include "hosts/cli/LineReader.h"
#include "hosts/cli/PictureOutput.h"
#include "platform/PictureFormat.h"
#include "platform/TextEncoding.h"

namespace plotara {

std::string ReadScript(const std::string& path, std::string& text, std::istream* standardInput) {
  text.clear();
  const std::string name = path == "-" ? "the script on standard input" : "script '" + path + "'";
  std::string problem;
  std::unique_ptr<LineReader> in;
  if (path != "-")
    in = LineReader::Open(path, problem);
  else
    in = standardInput ? std::make_unique<LineReader>(*standardInput) : std::make_unique<LineReader>(0);
  if (!in) return "cannot open " + name + ": " + problem;
  std::string line;
  for (size_t lineNo = 1;; ++lineNo) {
    switch (in->Next(line, kMaxScriptLine)) {
      case LineReader::Status::End:
        return "";
      case LineReader::Status::Error:
        return "cannot read " + name + ": " + in->Problem();
      case LineReader::Status::TooLong:
        return name + ": line " + std::to_string(lineNo) + " is longer than " +
               std::to_string(kMaxScriptLine) + " bytes";
      case LineReader::Status::Line:
        if (text.size() + line.size() + 1 > kMaxScriptBytes)
          return name + " is larger than " + std::to_string(kMaxScriptBytes >> 20) + " MiB";
        text += line;
        text += '\n';
    }
  }
}

int RunScriptFile(const std::string& path, const ScriptOptions& options, const std::string& saveTo,
                  std::ostream& out, std::ostream& err) {
  std::string text;
  if (const std::string problem = ReadScript(path, text, options.Stdin); !problem.empty()) {
    err << "plotara: " << PrintableText(problem) << "\n";
    return kScriptFailed;
  }
  ScriptOptions opts = options;
  // Data files are found beside the script (a script on standard input: in the current folder).
  if (opts.BaseDir.empty() && path != "-") opts.BaseDir = std::filesystem::path(path).parent_path().string();
  const std::string name = path == "-" ? "<stdin>" : path;
  // A document gets the drawing as shapes and text; any other file gets the picture's pixels.
  const bool pictureToOut = saveTo == "-";
  const bool vector = IsDocument(PictureFormatOf(pictureToOut ? "." + opts.Format : saveTo));
  Plotara control(PlotaraOptions{.Dpi = opts.Dpi,
                                 .Antialias = opts.Antialias,
                                 .Vector = vector,
                                 .PngCompression = opts.PngCompression,
                                 .SvgText = opts.SvgText});
  if (const std::string problem = SizePicture(control, opts.Width, opts.Height); !problem.empty()) {
    err << "plotara: " << problem << "\n";
    return kScriptFailed;
  }
  // With the picture on standard output, what the script prints goes to the error stream.
  ScriptRunner runner(control, opts, pictureToOut ? err : out, err);
  const int status = runner.Run(text, name);
  // A run that failed writes no picture (unless asked to), so that nothing takes it for a result.
  if (saveTo.empty() || status == kScriptSyntaxError || (status != kScriptOk && !opts.KeepGoing))
    return status;
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
    err << "plotara: cannot write '" << PrintableText(saveTo) << "': " << e.Description() << "\n";
    return kScriptFailed;
  }
  return status;
}

}  // namespace plotara
