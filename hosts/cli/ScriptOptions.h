// How a host script runs: the picture it draws on, what it prints, where it reads from.
#pragma once

#include <iosfwd>
#include <string>

namespace plotara {

struct ScriptOptions {
  int Width = 800;  // picture size in pixels at 96 dpi
  int Height = 600;
  bool SizeGiven = false;  // the size came from the command line: Size statements keep it
  double Dpi = 96;
  bool Antialias = false;         // smooth lines, curves, circles and symbols
  bool SvgText = false;           // an .svg holds its text as <text> elements, not glyph outlines
  int PngCompression = -1;        // zlib level of the PNG files written, 0 to 9; -1 zlib's default
  bool PrintEvents = false;       // print every event to the output as it is raised
  bool Quiet = false;             // print nothing but failures: no Print output, events or notes
  bool KeepGoing = false;         // write the pictures of a run in which a statement failed
  bool ScriptFromStdin = false;   // the script came from standard input, which Data "-" cannot read then
  std::string BaseDir;            // where Data finds its files
  std::istream* Stdin = nullptr;  // what Data "-" and the script "-" read; nullptr: standard input
  std::string Format;             // format of a picture written to standard output: png (default), svg, pdf
};

}  // namespace plotara
