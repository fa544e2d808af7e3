// The Data statement's loader: points from a file written as people write them. '#' starts a comment,
// blank rows are skipped, one header row may name the columns, and fields are separated by commas,
// semicolons, tabs or blanks (the first row decides).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "plotara/Plotara.h"

namespace plotara {

// Adds a point to the last data set of the current graph for every row of the file at path: "-" reads
// standardInput (nullptr: the process's standard input), and a relative path is taken from baseDir when that
// is not empty. columns are the X, Y and optionally E columns as the script gave them, by number (1-based) or
// by header name; without them each row is x,y or x,y,e. Returns "" or the one-line problem, naming the file
// and the row
// ("points.csv:7: field 2 'n/a' is not a number"); the rows before it stay added.
std::string LoadData(Plotara& control, std::string path, const std::string& baseDir,
                     std::istream* standardInput, const std::vector<Variant>& columns);

}  // namespace plotara
