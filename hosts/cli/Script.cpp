// Script sections: the runner; the statements.
#include "hosts/cli/Script.h"

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string_view>

#include "hosts/cli/CommandLine.h"
#include "hosts/cli/DataFile.h"
#include "platform/AsciiCase.h"
#include "platform/FileReplace.h"
#include "platform/PictureFormat.h"
#include "platform/RuntimeError.h"
#include "platform/ScopedFlag.h"
#include "platform/TextEncoding.h"

namespace plotara {

namespace {

std::string Quote(const std::string& s) {
  std::string q = "\"";
  for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

}  // namespace

std::string SizePicture(Plotara& control, int width, int height) {
  const double pixels = kTwipsPerLogicalPixel / control.TwipsPerPixel();  // of the picture, in one at 96 dpi
  const double w = width * pixels, h = height * pixels;
  control.ResizePicture(w, h);
  // The picture takes whole pixels; one that is not near the size asked for is the old one, kept.
  const PictureView picture = control.Picture1();
  if (std::abs(picture.Width - w) < 1 && std::abs(picture.Height - h) < 1) return "";
  return "a picture of " + std::to_string(std::lround(w)) + " x " + std::to_string(std::lround(h)) +
         " pixels is too large";
}

// ---------------------------------------------------------------- the runner

ScriptRunner::ScriptRunner(Plotara& control, const ScriptOptions& options, std::ostream& out,
                           std::ostream& err)
    : control_(control), options_(options), out_(out), err_(err) {
  EventHandlers& ev = control_.Events();
  auto simple = [this](const char* name) {
    return [this, name] {
      if (options_.PrintEvents && !options_.Quiet) out_ << "Event " << name << "\n";
    };
  };
  ev.NewGraphInFront = simple("NewGraphInFront");
  ev.GraphScaleChanged = simple("GraphScaleChanged");
  ev.GraphPositionChanged = simple("GraphPositionChanged");
  ev.LegendPositionChanged = simple("LegendPositionChanged");
  ev.ViewChanged = [this](int16_t graph) {
    if (options_.PrintEvents && !options_.Quiet) out_ << "Event ViewChanged " << graph << "\n";
  };
  ev.ErrorMsg = [this](std::string& source, std::string& description) {
    if (sizing_) return;
    if (options_.PrintEvents && !options_.Quiet)
      out_ << "Event ErrorMsg " << Quote(source) << " " << Quote(description) << "\n";
    // A failure always shows, on the error stream, with where the script was.
    Fail(source + ": " + description);
  };
  control_.SetClipboard(&clipboard_);
  control_.SetPicker(&picker_);
}

ScriptRunner::~ScriptRunner() {
  FinishOutputs(false);
  // The control may outlive the runner (a window keeps it): leave nothing of the runner behind.
  control_.Events() = {};
  control_.SetClipboard(nullptr);
  control_.SetPicker(nullptr);
}

std::string ScriptRunner::HoldOutput(const std::string& path) {
  held_.push_back({SiblingTempPath(path) + FileExtension(path), path});
  return held_.back().Temp;
}

void ScriptRunner::FinishOutputs(bool write) {
  for (const HeldOutput& h : held_) {
    if (!write) {
      DiscardTemp(h.Temp);
    } else if (!ReplaceWithTemp(h.Temp, h.Path)) {
      failed_ = true;
      err_ << PrintableText(name_) << ": cannot write '" << PrintableText(h.Path) << "'\n";
    }
  }
  held_.clear();
}

void ScriptRunner::Fail(const std::string& message) {
  failed_ = true;
  err_ << PrintableText(name_) << ":" << lineNo_ << ": " << (member_.empty() ? "" : member_ + ": ")
       << PrintableText(message) << "\n";
}

void ScriptRunner::Note(const std::string& message) {
  if (options_.Quiet) return;
  err_ << PrintableText(name_) << ":" << lineNo_ << ": " << (member_.empty() ? "" : member_ + ": ")
       << "note: " << PrintableText(message) << "\n";
}

int ScriptRunner::Run(const std::string& text, const std::string& name) {
  // Editors on some systems start a UTF-8 file with a byte-order mark: it is no part of the first line.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::istringstream lines(text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text);
  std::string line;
  name_ = name;
  lineNo_ = 0;
  failed_ = false;
  while (std::getline(lines, line)) {
    ++lineNo_;
    member_.clear();
    try {
      const Statement st = ParseLine(line);
      if (st.kind == Statement::Put || st.kind == Statement::Call) member_ = st.name;
      if (!RunStatement(st)) {
        FinishOutputs(options_.KeepGoing);
        return kScriptFailed;
      }
    } catch (const AutomationError& e) {
      Fail("Automation error " + std::to_string(e.Number()) + ": " + e.Description());
    } catch (const RuntimeError& e) {
      Fail("Automation error " + std::to_string(e.Number()) + ": " + e.what());
    } catch (const SyntaxError& e) {
      err_ << PrintableText(name) << ":" << lineNo_ << ": syntax error: " << PrintableText(e.what()) << "\n";
      FinishOutputs(false);
      return kScriptSyntaxError;
    }
  }
  member_.clear();
  FinishOutputs(!failed_ || options_.KeepGoing);
  return failed_ ? kScriptFailed : kScriptOk;
}

bool ScriptRunner::RunStatement(const Statement& st) {
  switch (st.kind) {
    case Statement::Empty:
      return true;
    case Statement::Print:
      return RunPrint(st);
    case Statement::Size:
      return RunSize(st);
    case Statement::Save:
      return RunSave(st);
    case Statement::Data:
      return RunData(st);
    case Statement::DataQuery:
      return RunDataQuery(st);
    case Statement::Pick:
      return RunPick(st);
    case Statement::Mouse:
      return RunMouse(st);
    case Statement::Scroll:
      return RunScroll(st);
    case Statement::Wheel:
      return RunWheel(st);
    case Statement::SaveClipboard:
      return RunSaveClipboard(st);
    case Statement::Put:
      return RunPut(st);
    case Statement::Call:
      return RunCall(st);
  }
  return true;
}

// ---------------------------------------------------------------- the statements

bool ScriptRunner::RunPrint(const Statement& st) {
  // The values are reached even when Quiet: a method's failure shows all the same.
  std::string line, sep;
  for (const Arg& a : st.args) {
    for (const std::string& f : eval_.PrintFields(*a.value)) {
      line += sep + f;
      sep = "\t";
    }
  }
  if (!options_.Quiet) out_ << line << "\n";
  return true;
}

bool ScriptRunner::RunSize(const Statement& st) {
  const int32_t w = eval_.Value(*st.args[0].value).ToLong();
  const int32_t h = eval_.Value(*st.args[1].value).ToLong();
  member_ = "Size";
  if (w < 1 || h < 1 || w > 20000 || h > 20000) {
    Fail("needs a width and height between 1 and 20000 pixels");
    return false;
  }
  if (options_.SizeGiven) return true;
  std::string problem;
  {
    const ScopedFlag quiet(sizing_);
    problem = SizePicture(control_, w, h);
  }
  if (!problem.empty()) {
    Fail(problem);
    return false;
  }
  return true;
}

bool ScriptRunner::RunSave(const Statement& st) {
  const std::string path = eval_.Value(*st.args[0].value).ToString();
  member_ = "Save";
  if (const std::string problem = UnsupportedFormat(path); !problem.empty()) {
    Fail("cannot write '" + path + "': " + problem);
    return false;
  }
  const std::string temp = HoldOutput(path);
  try {
    control_.SavePicture(temp);
  } catch (const AutomationError& e) {
    DiscardTemp(temp);
    held_.pop_back();
    Fail("cannot write '" + path + "': " + e.Description());
    return false;
  }
  return true;
}

bool ScriptRunner::RunData(const Statement& st) {
  DataRequest request;
  request.Path = eval_.Value(*st.args[0].value).ToString();
  for (size_t i = 1; i < st.args.size(); ++i) {
    const Variant v = eval_.Value(*st.args[i].value);
    if (st.args[i].name == "Time") {
      request.Time = v.ToString();
    } else if (st.args[i].name == "Zone") {
      request.Zone = v.ToString();
    } else {
      request.Columns.push_back(v);
    }
  }
  if (st.word == "Skip") request.Missing = MissingValues::Skip;
  member_ = "Data";
  if (request.Path == "-" && options_.ScriptFromStdin) {
    Fail("standard input holds the script: give the data a file of its own");
    return false;
  }
  std::string note;
  const std::string problem = LoadData(control_, request, options_.BaseDir, options_.Stdin, note);
  if (!problem.empty()) {
    Fail(problem);
    return false;
  }
  if (!note.empty()) Note(note);
  return true;
}

bool ScriptRunner::RunDataQuery(const Statement& st) {
  std::vector<Variant> positional;
  std::vector<NamedArg> named;
  eval_.Collect(st.args, positional, named);
  member_ = "DataQuery";
  // A database file, like a data file, is found beside the script.
  if (!positional.empty() && !positional[0].IsMissing()) {
    const std::string connection = positional[0].ToString();
    if (StartsWithNoCase(connection, "sqlite:")) {
      const std::filesystem::path file = connection.substr(7);
      if (file.is_relative() && !options_.BaseDir.empty())
        positional[0] = Variant("sqlite:" + (std::filesystem::path(options_.BaseDir) / file).string());
    }
  }
  eval_.Call("DataQuery", positional, named);
  return true;
}

bool ScriptRunner::RunPick(const Statement& st) {
  HeadlessPicker::Choice choice;
  choice.Button = st.word == "Okay" ? PickerButton::Okay : PickerButton::Cancel;
  if (st.args.size() == 5) {
    choice.Color1 = eval_.Value(*st.args[0].value).ToLong();
    choice.Color2 = eval_.Value(*st.args[1].value).ToLong();
    choice.Shift = eval_.Value(*st.args[2].value).ToSingle();
    choice.Angle = eval_.Value(*st.args[3].value).ToSingle();
    choice.Style = eval_.Value(*st.args[4].value).ToInteger();
  }
  picker_.Queue(choice);
  return true;
}

bool ScriptRunner::RunMouse(const Statement& st) {
  member_ = "Picture1_Mouse" + st.word;
  const int16_t button = eval_.Value(*st.args[0].value).ToInteger();
  const int16_t shift = eval_.Value(*st.args[1].value).ToInteger();
  const float x = eval_.Value(*st.args[2].value).ToSingle(), y = eval_.Value(*st.args[3].value).ToSingle();
  if (st.word == "Down") control_.Picture1_MouseDown(button, shift, x, y);
  if (st.word == "Move") control_.Picture1_MouseMove(button, shift, x, y);
  if (st.word == "Up") control_.Picture1_MouseUp(button, shift, x, y);
  return true;
}

bool ScriptRunner::RunScroll(const Statement& st) {
  member_ = st.word + "Scroll1_" + (st.drag ? "Scroll" : "Change");
  const int32_t value = eval_.Value(*st.args[0].value).ToLong();
  if (st.word == "H") {
    st.drag ? control_.HScroll1_Scroll(value) : control_.HScroll1_Change(value);
  } else {
    st.drag ? control_.VScroll1_Scroll(value) : control_.VScroll1_Change(value);
  }
  return true;
}

bool ScriptRunner::RunWheel(const Statement& st) {
  member_ = "Wheel";
  const float x = eval_.Value(*st.args[0].value).ToSingle(), y = eval_.Value(*st.args[1].value).ToSingle();
  const int32_t delta = eval_.Value(*st.args[2].value).ToLong();
  const int16_t modifier = st.args.size() > 3 ? eval_.Value(*st.args[3].value).ToInteger() : int16_t{0};
  control_.Wheel(x, y, delta, modifier);
  return true;
}

bool ScriptRunner::RunSaveClipboard(const Statement& st) {
  const std::string path = eval_.Value(*st.args[0].value).ToString();
  member_ = "SaveClipboard";
  if (clipboard_.Empty()) {
    Fail("the clipboard holds no picture (CopyToClipboard puts one there)");
    return false;
  }
  if (const std::string problem = UnsupportedFormat(path); !problem.empty()) {
    Fail("cannot write '" + path + "': " + problem);
    return false;
  }
  if (!clipboard_.Save(HoldOutput(path), control_.TwipsPerPixel())) {
    DiscardTemp(held_.back().Temp);
    held_.pop_back();
    Fail("cannot write '" + path + "'");
    return false;
  }
  return true;
}

bool ScriptRunner::RunPut(const Statement& st) {
  Put(control_, st.name, eval_.Value(*st.args[0].value));
  member_ = st.name;
  return true;
}

bool ScriptRunner::RunCall(const Statement& st) {
  std::vector<Variant> positional;
  std::vector<NamedArg> named;
  eval_.Collect(st.args, positional, named);
  eval_.Call(st.name, positional, named);
  return true;
}

}  // namespace plotara
