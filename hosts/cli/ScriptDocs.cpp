#include "hosts/cli/ScriptDocs.h"

#include <sstream>

namespace plotara {

namespace {

struct StatementDoc {
  const char* Name;
  const char* Form;
  const char* Meaning;
  const char* Example;  // a whole script, which runs beside docs/data
};

// clang-format off
const StatementDoc kStatements[] = {
  {"Comments", "' text    # text",
   "A ' or a # starts a comment that runs to the end of the line (outside a \"text\"). Blank lines are "
   "allowed anywhere. A UTF-8 byte-order mark before the first line is passed over.",
   "' A chart of one graph\n"
   "NewGraph \"Sales\"   # the axes scale to the data\n"},
  {"Method calls", "Name arg, arg, ...    Name(arg, ...)    Name , , arg    Name Arg:=value",
   "Calls a method of the control (plotara members lists them; plotara help NAME tells one). Arguments go "
   "by position; an empty place leaves an optional argument out; Name:=value gives one by its name, after "
   "the positional ones. Names are read in any letter case. A failure is reported with the line and the "
   "script goes on; the run then ends with status 1.",
   "NewGraph \"Sales\", 0, 10, 0, 100\n"
   "AxisStyle , , True\n"
   "NewDataSet \"2026\"\n"
   "SymbolStyle Symbol:=5, Color1:=&HFF\n"
   "AddDataPoint(3, 40)\n"},
  {"Property puts", "Name = value",
   "Sets a property of the control. The Axis properties address the selected axis of the current graph, "
   "the Data properties the selected data set (see docs/members.md).",
   "NewGraph \"Sales\"\n"
   "AxisColor = RGB(200, 0, 0)\n"
   "LegendShow = False\n"
   "SuppressRaisingEvents = True\n"},
  {"Values", "42  -1.5  2.5e3  &HFF0000  \"text with \"\"quotes\"\"\"  True  False  RGB(r, g, b)  Name  Name(args)",
   "Numbers are decimal (a whole number that fits is a Long) or &H hexadecimal; texts are in double quotes "
   "with \"\" for a quote; RGB(r, g, b) makes the control's colour value 0x00BBGGRR; a property's name reads "
   "it and a method's name with arguments calls it. A number out of range (1e999) is a syntax error.",
   "NewGraph \"G\"\n"
   "AxisColor = &H0000C0\n"
   "Print AxisColor, RGB(0, 0, 192), -2.5, \"say \"\"hi\"\"\", True\n"},
  {"Print", "Print value, value, ...",
   "Prints the values on one line, separated by a tab: numbers in the shortest text that reads back the "
   "same, Booleans as True and False. A method with out-parameters prints its result, its counts, then "
   "its list entries (Print GetGraphNames: the count, then the names). With --quiet nothing is printed.",
   "NewGraph \"A\"\n"
   "NewGraph \"B\"\n"
   "Print GraphIndex, Version\n"
   "Print GetGraphNames\n"},
  {"Size", "Size width, height",
   "Sizes the picture to width x height pixels at 96 dpi (--dpi scales the pixels, not the layout); the "
   "control's client area is larger by its scroll bars and read-out. --size on the command line wins. A "
   "picture larger than the control makes stops the script.",
   "Size 400, 300\n"
   "NewGraph \"Small\"\n"
   "Refresh\n"},
  {"Data", "Data \"file\"[, X, Y[, E]][, Missing:=Skip|Error][, Time:=\"ms\"|\"format\"][, Zone:=\"zone\"]",
   "Adds a point to the last data set for every row of a file (relative to the script; \"-\" reads standard "
   "input): fields separated by commas, semicolons, tabs or blanks; quoted fields (RFC 4180); one header "
   "row; # comments; decimal commas where the separator is not a comma. X, Y and E choose columns by "
   "number (1 is the first) or by header name; without them each row is x,y or x,y,e. A missing value "
   "(an empty cell, NaN) stops the script at its row unless Missing:=Skip leaves such rows out and counts "
   "them in a note. Times become seconds since 1970 UTC, the values of a time axis (AxisTime): ISO 8601 "
   "dates and date-times in any column (2026-03-29, 2026-03-29T06:00, 2026-03-29 06:00:15.250Z, "
   "20260329T0600Z, with an offset +02:00); without an offset they are local times of Zone:= (UTC unless "
   "given). Numbers are Unix seconds as they are; Time:=\"ms\" reads the X column as Unix milliseconds, "
   "and Time:=\"%d.%m.%Y %H:%M\" (strftime-style) reads its texts in that format.",
   "NewGraph \"Temperatures\"\n"
   "NewDataSet \"hall\"\n"
   "Data \"data/temperatures.csv\", \"time\", \"temp, C\"\n"
   "NewDataSet \"humidity\"\n"
   "Data \"data/temperatures.csv\", 1, 3, Missing:=Skip\n"
   "NewDataSet \"points\"\n"
   "Data \"data/points.txt\"\n"
   "NewGraph \"A night in Berlin\"\n"
   "AxisTime = True\n"
   "AxisTimeZone = \"Europe/Berlin\"\n"
   "NewDataSet \"temperature\"\n"
   "Data \"data/readings.csv\", \"time\", \"temp\", Zone:=\"Europe/Berlin\"\n"},
  {"DataQuery", "DataQuery \"sqlite:file.db\"|\"postgresql://user@host/db\", \"SELECT x, y FROM t\"|\"table\"[, X, Y]",
   "Feeds the last data set from a database: an SQLite file (relative to the script) or a PostgreSQL "
   "server (a libpq connection string). The query's first two columns (or the columns named X and Y) are "
   "X and Y; a table's name stands for all its rows. Each view asks the database for its rows folded to "
   "the picture's pixel columns, so that a few numbers per column leave it, and draws the pixels of the "
   "line through every row. A failure is error 3146, naming the source.",
   "NewGraph \"Readings\"\n"
   "NewDataSet \"all stations\"\n"
   "DataQuery \"sqlite:data/stations.db\", \"readings\", \"t\", \"v\"\n"
   "NewDataSet \"the hall\"\n"
   "DataQuery \"sqlite:data/stations.db\", \"SELECT t, v + 10 FROM readings WHERE station = 'hall'\"\n"
   "Refresh\n"},
  {"Save", "Save \"file.png\"    Save \"file.svg\"    Save \"file.pdf\"",
   "Writes the picture as it is now to a file whose name says the format. The file takes its place when "
   "the run ends without a failure (or with --keep-going); it keeps the mode and owner of the file it "
   "replaces, and a symbolic link stays a link.",
   "NewGraph \"Saved\"\n"
   "Refresh\n"
   "Save \"saved.png\"\n"},
  {"Mouse", "Mouse Down|Move|Up, Button, Shift, X, Y",
   "Plays the mouse on the picture as a window would report it: Button 1 left, 2 right; Shift 1 Shift, "
   "2 Ctrl; X and Y in twips of the picture (15 to a pixel at 96 dpi). A press and release over the plot "
   "area with a move between draws a rubber band and zooms.",
   "Size 400, 300\n"
   "NewGraph \"Zoom\", 0, 100, 0, 100\n"
   "Refresh\n"
   "Mouse Down, 1, 0, 1500, 1200\n"
   "Mouse Move, 1, 0, 3000, 2400\n"
   "Mouse Up, 1, 0, 3000, 2400\n"
   "Print HScroll1.Visible\n"},
  {"Scroll", "Scroll H|V, value[, Drag]",
   "Moves a scroll bar of a zoomed graph as the user would: the value changes and the view pans "
   "(HScroll1_Change); with Drag, the thumb is dragged (HScroll1_Scroll).",
   "Size 400, 300\n"
   "NewGraph \"Pan\", 0, 100, 0, 100\n"
   "Refresh\n"
   "Mouse Down, 1, 1, 3000, 2000\n"
   "Scroll H, 0\n"
   "Scroll V, 1000, Drag\n"
   "Print HScroll1.Value, VScroll1.Value\n"},
  {"Wheel", "Wheel X, Y, Delta[, Modifier]",
   "Turns the mouse wheel over the picture at X, Y (twips): Delta in eighths of a degree as toolkits "
   "report it, 120 a notch; a positive Delta (turned away from the user) zooms in about the pointer, four "
   "notches by 2. Modifier 1 (Shift) zooms only the X axes, 2 (Ctrl) only the Y axes. Over no plot area, "
   "or with WheelZoom False, it does nothing.",
   "Size 400, 300\n"
   "NewGraph \"Wheel\", 0, 100, 0, 100\n"
   "Refresh\n"
   "Wheel 3000, 2000, 480\n"
   "SelectXaxis\n"
   "Print AxisViewValue1, AxisViewValue2\n"
   "Wheel 3000, 2000, -120, 2\n"},
  {"Child elements", "Label1.Caption  HScroll1.Value  VScroll1.Max  ...  MousePointer",
   "Values the host shows beside the picture: the read-out label (Caption, Visible, Left, Top, Width, "
   "Height), the scroll bars (Value, Max, LargeChange, SmallChange, Visible, Left, Top, Width, Height) and "
   "the pointer shape the control asks for. They can be printed and used as values.",
   "Size 400, 300\n"
   "NewGraph \"Read-out\", 0, 10, 0, 10\n"
   "Refresh\n"
   "Mouse Move, 0, 0, 3000, 2000\n"
   "Print MousePointer, Label1.Visible, Label1.Caption\n"},
  {"SaveClipboard", "SaveClipboard \"file.png\"",
   "Writes what CopyToClipboard last put on the command's clipboard, in the format the name says (.png, "
   "or .svg and .pdf holding the picture), under the same rule as Save.",
   "NewGraph \"Copied\"\n"
   "Refresh\n"
   "CopyToClipboard\n"
   "SaveClipboard \"copied.png\"\n"},
  {"Pick", "Pick Okay[, Color1, Color2, Shift, Angle, Style]    Pick Cancel",
   "Says what the next gradient picker dialog returns (GetGradient, GetColor): Okay with the given values, "
   "Okay alone with the picker's own, or Cancel (colours -1).",
   "Pick Okay, &HFF, &HFF00, 0.5, 45, 1\n"
   "Print GetGradient\n"
   "Pick Cancel\n"
   "Print GetColor\n"},
};
// clang-format on

// The lines of text, each indented by prefix.
std::string Indented(const std::string& text, const std::string& prefix) {
  std::istringstream in(text);
  std::string out, line;
  while (std::getline(in, line)) out += prefix + line + "\n";
  return out;
}

// The words of text in lines of at most width characters, each indented by prefix.
std::string Wrapped(const std::string& text, const std::string& prefix, size_t width = 100) {
  std::istringstream in(text);
  std::string out, line, word;
  while (in >> word) {
    if (!line.empty() && prefix.size() + line.size() + 1 + word.size() > width) {
      out += prefix + line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  return out + (line.empty() ? "" : prefix + line + "\n");
}

}  // namespace

std::string ScriptReference(ReferenceFormat format) {
  std::ostringstream out;
  if (format == ReferenceFormat::Markdown)
    out << "# The host-script language\n\n"
           "Generated by `plotara help script --markdown`; a test checks that this page is current and runs\n"
           "every example as it is written (beside the files of `docs/data/`).\n\n"
           "A host script drives one control, one statement a line, from top to bottom: `plotara run` runs\n"
           "it, `plotara render` saves its picture, `plotara-view` shows it in a window. A statement is a\n"
           "method call, a property put, or one of the host's own statements below. A failure is reported "
           "on\n"
           "standard error as `FILE:LINE: MEMBER: message` and the script goes on (the run ends with status\n"
           "1); a line that cannot be read stops the script with status 2.\n";
  else
    out << "The host-script language: one statement a line; a failure is reported as FILE:LINE: MEMBER:\n"
           "message and the script goes on (status 1); a line that cannot be read stops it (status 2).\n";
  for (const StatementDoc& s : kStatements) {
    if (format == ReferenceFormat::Markdown) {
      out << "\n## " << s.Name << "\n\n`" << s.Form << "`\n\n"
          << s.Meaning << "\n\n```plotara\n"
          << s.Example << "```\n";
    } else {
      out << "\n"
          << s.Name << ": " << s.Form << "\n"
          << Wrapped(s.Meaning, "  ") << "  Example:\n"
          << Indented(s.Example, "    ");
    }
  }
  return out.str();
}

}  // namespace plotara
