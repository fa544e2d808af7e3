// The Data statement's loader: points from a file as spreadsheets, loggers and people write it. One header
// row may name the columns; each other record is a point. Cells are numbers with a decimal point, or a
// decimal comma where the separator is not a comma, or instants (hosts/cli/TimeField.h): ISO 8601 dates
// and date-times in any column, Unix milliseconds or texts of a given format in the X column.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "plotara/Plotara.h"

namespace plotara {

// What Data does with a row whose X, Y or E is missing (an empty cell or NaN).
enum class MissingValues {
  Error,  // stop at it, naming the file and row (the default: no point is guessed)
  Skip,   // leave the row out and count it
};

struct DataRequest {
  std::string Path;              // "-": standard input
  std::vector<Variant> Columns;  // X, Y[, E] by number (1-based) or header name; none: x,y[,e] rows
  MissingValues Missing = MissingValues::Error;
  std::string Time;  // "", "s", "ms" or a strftime-style format (TimeReading::Format)
  std::string Zone;  // the zone of texts without an offset; "": UTC
};

// Adds a point to the last data set of the current graph for every record of the file (DelimitedText.h
// says how records are read): "-" reads standardInput (nullptr: the process's standard input), and a
// relative path is taken from baseDir when that is not empty. Returns "" or the one-line problem, naming
// the file and the row ("points.csv:7: field 2 'n/a' is not a number"); the rows before it stay added.
// Skipped rows are counted in note ("points.csv: 2 rows with a missing value skipped ..."), else it stays
// empty.
std::string LoadData(Plotara& control, const DataRequest& request, const std::string& baseDir,
                     std::istream* standardInput, std::string& note);

}  // namespace plotara
