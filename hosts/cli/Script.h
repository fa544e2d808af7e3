// Host scripts: the command-line host's way of driving a control, one statement per line.
//
//   Size 800, 600                     picture size in pixels at 96 dpi
//   NewGraph "Sales", 0, 10           method call, arguments by position
//   AxisStyle , , True                an empty place leaves an optional argument out
//   SymbolStyle Symbol:=5             named arguments
//   AxisColor = &H0000FF              property put (&H hexadecimal, "text" with "" inside, True/False)
//   Print AxisValue1, GraphIndex      prints values, tab-separated
//   Data "points.csv"                 AddDataPoint for every row x,y[,e] (path relative to the script)
//   Save "sales.png"                  writes the picture of Picture1
//   Mouse Down, 1, 0, 4500, 3000      Picture1_MouseDown(Button, Shift, X, Y), X and Y in twips (also Move, Up)
//   Scroll H, 250                     HScroll1.Value = 250, then HScroll1_Change ("Scroll V, 250, Drag": the
//                                     thumb is dragged, VScroll1_Scroll)
//   Print Label1.Caption, MousePointer   the child elements' state and the pointer shape
//   SaveClipboard "copy.png"          writes what CopyToClipboard last put on this host's clipboard
//   ' or # starts a comment
#pragma once

#include <iosfwd>
#include <string>

#include "hosts/cli/HeadlessClipboard.h"
#include "plotara/Plotara.h"

namespace plotara {

struct ScriptOptions {
  int Width = 800;   // picture size in pixels at 96 dpi
  int Height = 600;
  bool SizeGiven = false;  // the size came from the command line: Size statements keep it
  double Dpi = 96;
  bool Antialias = false;  // smooth lines, curves, circles and symbols
  bool PrintEvents = false;  // print every event to the output as it is raised
  std::string BaseDir;       // where Data finds its files
};

enum ScriptStatus { kScriptOk = 0, kScriptFailed = 1, kScriptSyntaxError = 2 };

class ScriptRunner {
 public:
  ScriptRunner(Plotara& control, const ScriptOptions& options, std::ostream& out, std::ostream& err);
  ~ScriptRunner();
  ScriptRunner(const ScriptRunner&) = delete;
  ScriptRunner& operator=(const ScriptRunner&) = delete;

  // Runs the script text; name is used in messages. Returns a ScriptStatus.
  int Run(const std::string& text, const std::string& name);

  // Gives the control the client area for a picture of width x height pixels at 96 dpi.
  static void SizeControl(Plotara& control, int width, int height);

 private:
  Plotara& control_;
  ScriptOptions options_;
  std::ostream& out_;
  std::ostream& err_;
  HeadlessClipboard clipboard_;
};

// Runs a script file on a new control; for `plotara run` and `plotara render` (saved to saveTo when
// not empty). Messages go to out and err; returns the exit status.
int RunScriptFile(const std::string& path, const ScriptOptions& options, const std::string& saveTo,
                  std::ostream& out, std::ostream& err);

}  // namespace plotara
