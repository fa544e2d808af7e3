// Host scripts: the command-line host's way of driving a control, one statement per line.
//
//   Size 800, 600                     picture size in pixels at 96 dpi
//   NewGraph "Sales", 0, 10           method call, arguments by position
//   AxisStyle , , True                an empty place leaves an optional argument out
//   SymbolStyle Symbol:=5             named arguments
//   AxisColor = &H0000FF              property put (&H hexadecimal, "text" with "" inside, True/False)
//   Print AxisValue1, GraphIndex      prints values, tab-separated
//   Data "points.csv"                 AddDataPoint for every row x,y[,e] (path relative to the script;
//   Data "t.csv", "time", "temp"      "-" reads standard input); columns by header name or number
//   AxisColor = RGB(255, 0, 0)        RGB(r, g, b): the control's colour value 0x00BBGGRR
//   Save "sales.png"                  writes the picture of Picture1
//   Mouse Down, 1, 0, 4500, 3000      Picture1_MouseDown(Button, Shift, X, Y), X and Y in twips (also
//                                     Move and Up)
//   Scroll H, 250                     HScroll1.Value = 250, then HScroll1_Change ("Scroll V, 250, Drag":
//                                     the thumb is dragged, VScroll1_Scroll)
//   Wheel 3000, 2000, 120[, 1]        a wheel notch over X, Y (twips): zooms in about it (Shift: X only)
//   Print Label1.Caption, MousePointer   the child elements' state and the pointer shape
//   SaveClipboard "copy.png"          writes what CopyToClipboard last put on this host's clipboard
//   Pick Okay, &HFF, &HFF00, 0, 45, 1  what the next picker dialog returns (or Pick Cancel)
//   DataQuery "sqlite:data.db", "SELECT t, v FROM samples"   the last data set drawn from a database (an
//                                     SQLite path relative to the script; or "postgresql://...")
//   ' or # starts a comment
//
// Every failure (an automation error, an ErrorMsg event, a host statement that fails) is written to the
// error stream as "FILE:LINE: MEMBER: message" and makes the run's status kScriptFailed; a line that
// cannot be parsed stops the script with kScriptSyntaxError.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "hosts/cli/HeadlessClipboard.h"
#include "hosts/cli/HeadlessPicker.h"
#include "hosts/cli/ScriptEvaluator.h"
#include "hosts/cli/ScriptOptions.h"
#include "plotara/Plotara.h"

namespace plotara {

enum ScriptStatus { kScriptOk = 0, kScriptFailed = 1, kScriptSyntaxError = 2 };

// Sizes the control so that its picture is width x height pixels at 96 dpi, scaled by the control's
// resolution: 400 x 300 is an 800 x 600 picture at 192 dpi, with the same layout. Returns "" or, when the
// control cannot make a picture that large (it then keeps its size), the problem.
std::string SizePicture(Plotara& control, int width, int height);

class ScriptRunner {
 public:
  ScriptRunner(Plotara& control, const ScriptOptions& options, std::ostream& out, std::ostream& err);
  ~ScriptRunner();
  ScriptRunner(const ScriptRunner&) = delete;
  ScriptRunner& operator=(const ScriptRunner&) = delete;

  // Runs the script text; name is used in messages. Returns a ScriptStatus. The pictures the script saves
  // (Save, SaveClipboard) wait beside their files until the end: they take their places when every
  // statement succeeded (or options.KeepGoing), else they are dropped, so that a failed run leaves no
  // output.
  int Run(const std::string& text, const std::string& name);

  // True once the script has called Refresh, RefreshCurrentGraph or RefreshGraphs.
  bool Refreshed() const { return refreshed_; }

 private:
  // One function per statement. Each returns false when its failure stops the script (the failure is
  // reported); an automation error it throws is reported by Run, and the script goes on.
  bool RunStatement(const Statement& st);
  bool RunPrint(const Statement& st);
  bool RunSize(const Statement& st);
  bool RunSave(const Statement& st);
  bool RunData(const Statement& st);
  bool RunDataQuery(const Statement& st);
  bool RunPick(const Statement& st);
  bool RunMouse(const Statement& st);
  bool RunScroll(const Statement& st);
  bool RunWheel(const Statement& st);
  bool RunSaveClipboard(const Statement& st);
  bool RunPut(const Statement& st);
  bool RunCall(const Statement& st);

  // A scratch name beside path that a picture is written to first; FinishOutputs puts it in place.
  std::string HoldOutput(const std::string& path);
  void FinishOutputs(bool write);
  void Fail(const std::string& message);  // reports a failure of the current statement
  void Note(const std::string& message);  // tells what a statement did beside its work (not when Quiet)

  Plotara& control_;
  ScriptOptions options_;
  std::ostream& out_;
  std::ostream& err_;
  std::string name_;  // the script, its line and the member being reached, for messages
  int lineNo_ = 0;
  std::string member_;
  bool failed_ = false;
  bool refreshed_ = false;
  bool sizing_ = false;  // Size reports a picture it cannot make in its own words
  Evaluator eval_{control_, member_, refreshed_};
  struct HeldOutput {
    std::string Temp, Path;
  };
  std::vector<HeldOutput> held_;
  HeadlessPicker picker_;  // the control's picker dialog while this runner lives
  HeadlessClipboard clipboard_;
};

}  // namespace plotara
