// Data file sections: cells; columns; the reader; the file.
#include "hosts/cli/DataFile.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

#include "hosts/cli/DelimitedText.h"
#include "hosts/cli/LineReader.h"
#include "hosts/cli/ReadNumber.h"
#include "hosts/cli/TimeField.h"
#include "platform/AsciiCase.h"
#include "platform/Conversions.h"

namespace plotara {

namespace {

// ---------------------------------------------------------------- cells

// A record of a data file has at most kMaxRow bytes, so that a file without line breaks cannot take all
// memory.
constexpr size_t kMaxRow = 1 << 20;

enum class Cell { Number, Missing, NotANumber, OutOfRange, NotATime };

// The cell-to-number step: the number in a cell, as a point stores it (Single). Where the separator is
// not a comma, a comma is the decimal mark (1,5 is 1.5; a cell with both marks is no number). An empty
// cell and NaN (in any case) are missing values.
Cell CellToNumber(const std::string& cell, bool decimalComma, double& value) {
  if (cell.empty() || EqualsNoCase(cell, "NaN")) return Cell::Missing;
  std::string text = cell;
  if (decimalComma && text.find('.') == std::string::npos) std::replace(text.begin(), text.end(), ',', '.');
  if (!ReadNumber(text, value)) return std::isfinite(value) ? Cell::NotANumber : Cell::OutOfRange;
  try {
    CSng(value);
  } catch (const RuntimeError&) {
    return Cell::OutOfRange;
  }
  return Cell::Number;
}

// The cell-to-value step: a number (Unix milliseconds in the X column made seconds), or an instant as
// seconds since 1970: an ISO 8601 text in any column, a text of the script's format in the X column.
Cell CellToValue(const std::string& cell, bool decimalComma, bool xColumn, const TimeReading& time,
                 double& value) {
  if (xColumn && time.Formatted()) {
    if (cell.empty() || EqualsNoCase(cell, "NaN")) return Cell::Missing;
    return ReadTimeField(cell, time, value) ? Cell::Number : Cell::NotATime;
  }
  const Cell c = CellToNumber(cell, decimalComma, value);
  if (c == Cell::NotANumber && ReadIsoTime(cell, time.Zone, value)) return Cell::Number;
  if (c == Cell::Number && xColumn && time.Milliseconds()) value /= 1000;
  return c;
}

// Why a cell is no value: a text that looks like a date is told how dates are read.
std::string NotAValue(const std::string& cell, const TimeReading& time) {
  if (time.Formatted()) return "does not match the time format '" + time.Format + "'";
  const bool dateLike =
      !cell.empty() && cell[0] >= '0' && cell[0] <= '9' && cell.find_first_of("-:/") != std::string::npos;
  return dateLike ? "is not a number or an ISO 8601 date (YYYY-MM-DD[Thh:mm[:ss]][Z|+hh:mm]; Data ..., "
                    "Time:=\"format\" reads others)"
                  : "is not a number";
}

// A header names the columns: none of its fields is a value and not all are missing, so that a first
// row with one bad field is reported rather than skipped, and a first column without a name is a name.
bool IsHeader(const std::vector<std::string>& fields, bool decimalComma, const TimeReading& time) {
  bool named = false;
  for (const std::string& f : fields) {
    double d = 0;
    const Cell cell = CellToValue(f, decimalComma, true, time, d);
    if (cell == Cell::Number || cell == Cell::OutOfRange ||
        CellToValue(f, decimalComma, false, time, d) == Cell::Number)
      return false;
    named |= cell != Cell::Missing;
  }
  return named;
}

std::string FieldCount(size_t n) {
  return std::to_string(n) + " field" + (n == 1 ? "" : "s");
}

// ---------------------------------------------------------------- columns

// The columns Data takes (0-based); E < 0: none. Chosen: given by the script, so every row must have
// them; otherwise each row is x,y or x,y,e.
struct Columns {
  std::vector<Variant> Given;  // numbers (1-based) or header names, as the script wrote them
  int X = 0, Y = 1, E = -1;
  bool Chosen = false;

  // Given by header names, which only the header row resolves.
  bool Named() const { return !Given.empty() && Given[0].Type() == VarType::String; }

  // Resolves the script's choice against the header (names) or as 1-based numbers; "" or the problem.
  std::string Resolve(const std::vector<std::string>& header) {
    if (Given.empty()) return "";
    int* slots[] = {&X, &Y, &E};
    for (size_t i = 0; i < Given.size(); ++i) {
      const Variant& g = Given[i];
      if (g.Type() == VarType::String) {
        int found = -1;
        for (size_t k = 0; k < header.size(); ++k)
          if (EqualsNoCase(header[k], g.ToString())) found = static_cast<int>(k);
        if (found < 0) return "no column named '" + g.ToString() + "' in the header";
        *slots[i] = found;
      } else {
        const int32_t n = g.ToLong();
        if (n < 1) return "column numbers start at 1";
        *slots[i] = n - 1;
      }
    }
    Chosen = true;
    return "";
  }

  // The fields a row of fieldCount fields is read from: X, Y and perhaps E; "" or the problem.
  std::string Read(size_t fieldCount, std::vector<int>& read) const {
    if (Chosen) {
      read = {X, Y};
      if (E >= 0) read.push_back(E);
      const int need = *std::max_element(read.begin(), read.end()) + 1;
      if (static_cast<int>(fieldCount) < need)
        return FieldCount(fieldCount) + ", but column " + std::to_string(need) + " is read";
      return "";
    }
    if (fieldCount < 2 || fieldCount > 3)
      return FieldCount(fieldCount) +
             "; expected x,y or x,y,e (or choose the columns: Data \"file\", X, Y[, E])";
    read = {0, 1};
    if (fieldCount == 3) read.push_back(2);
    return "";
  }
};

// ---------------------------------------------------------------- the reader

// Reads the points of in into the last data set: one point per record. Returns "" or the one-line problem,
// naming the file and row; skipped rows are counted in note.
std::string ReadData(Plotara& control, LineReader& lines, const std::string& name, Columns cols,
                     MissingValues missing, const TimeReading& time, std::string& note) {
  if (!cols.Named()) {
    if (std::string p = cols.Resolve({}); !p.empty()) return name + ": " + p;
  }
  RecordReader in(lines, kMaxRow);
  std::vector<std::string> fields;
  std::string problem;
  bool sawRow = false;
  int skipped = 0, firstSkipped = 0;
  for (;;) {
    const RecordReader::Status status = in.Next(fields, problem);
    const std::string where = name + ":" + std::to_string(in.Line()) + ": ";
    if (status == RecordReader::Status::End) break;
    if (status == RecordReader::Status::ReadError) return "cannot read '" + name + "': " + problem;
    if (status == RecordReader::Status::Malformed) return where + problem;
    const bool decimalComma = in.Separator() != ',';
    if (!sawRow) {
      sawRow = true;
      if (IsHeader(fields, decimalComma, time)) {
        if (cols.Named()) {
          if (std::string p = cols.Resolve(fields); !p.empty()) return where + p;
        }
        continue;
      }
      if (cols.Named())
        return where + "no header row to find the columns '" + cols.Given[0].ToString() + "' in";
    }
    std::vector<int> read;
    if (std::string p = cols.Read(fields.size(), read); !p.empty()) return where + p;
    double xye[3] = {0, 0, 0};
    bool skip = false;
    for (size_t k = 0; k < read.size() && !skip; ++k) {
      const std::string& f = fields[static_cast<size_t>(read[k])];
      const std::string field = "field " + std::to_string(read[k] + 1);
      switch (CellToValue(f, decimalComma, k == 0, time, xye[k])) {
        case Cell::Number:
          break;
        case Cell::NotANumber:
        case Cell::NotATime:
          return where + field + " '" + f + "' " + NotAValue(f, k == 0 ? time : TimeReading{});
        case Cell::OutOfRange:
          return where + field + " '" + f + "' is out of range";
        case Cell::Missing:
          if (missing == MissingValues::Error)
            return where + field +
                   (f.empty() ? " is empty (a missing value" : " '" + f + "' is a missing value (") +
                   (f.empty() ? "; " : "") + "Data ..., Missing:=Skip skips such rows)";
          skip = true;
      }
    }
    if (skip) {
      if (skipped++ == 0) firstSkipped = in.Line();
      continue;
    }
    control.AddDataPoint(xye[0], xye[1], xye[2]);
  }
  if (skipped > 0)
    note = name + ": " + std::to_string(skipped) + (skipped == 1 ? " row" : " rows") +
           " with a missing value skipped (the first: row " + std::to_string(firstSkipped) + ")";
  return "";
}

}  // namespace

// ---------------------------------------------------------------- the file

std::string LoadData(Plotara& control, const DataRequest& request, const std::string& baseDir,
                     std::istream* standardInput, std::string& note) {
  Columns cols;
  cols.Given = request.Columns;
  TimeReading time;
  time.Format = request.Time;
  if (std::string p = TimeFormatProblem(request.Time); !p.empty()) return p;
  if (!IsKnownTimeZone(request.Zone)) return "no time zone '" + request.Zone + "' in the zone database";
  time.Zone = TimeZone(request.Zone);
  std::string path = request.Path;
  if (path == "-") {
    LineReader in = standardInput ? LineReader(*standardInput) : LineReader(0);
    return ReadData(control, in, "<stdin>", cols, request.Missing, time, note);
  }
  if (std::filesystem::path(path).is_relative() && !baseDir.empty())
    path = (std::filesystem::path(baseDir) / path).string();
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return "'" + path + "' is a folder, not a data file";
  std::string problem;
  const std::unique_ptr<LineReader> in = LineReader::Open(path, problem);
  if (!in) return "cannot open data file '" + path + "': " + problem;
  return ReadData(control, *in, path, cols, request.Missing, time, note);
}

}  // namespace plotara
