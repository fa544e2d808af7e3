// Data file sections: rows and fields; columns; the reader; the file.
#include "hosts/cli/DataFile.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <sstream>

#include "hosts/cli/LineReader.h"
#include "hosts/cli/ReadNumber.h"
#include "platform/AsciiCase.h"
#include "platform/Conversions.h"

namespace plotara {

namespace {

// ---------------------------------------------------------------- rows and fields

// A row of a data file has at most kMaxRow bytes, so that a file without line breaks cannot take all
// memory.
constexpr size_t kMaxRow = 1 << 20;

// The separator of a file, from its first row: a tab, else a semicolon, else a comma, else blanks.
char SeparatorOf(const std::string& row) {
  for (char c : {'\t', ';', ','})
    if (row.find(c) != std::string::npos) return c;
  return ' ';
}

// Splits a row at sep (' ' for runs of blanks); fields lose surrounding blanks and double quotes.
std::vector<std::string> SplitRow(const std::string& row, char sep) {
  std::vector<std::string> fields;
  auto clean = [](std::string f) {
    const size_t b = f.find_first_not_of(" \t"), e = f.find_last_not_of(" \t");
    f = b == std::string::npos ? "" : f.substr(b, e - b + 1);
    if (f.size() >= 2 && f.front() == '"' && f.back() == '"') f = f.substr(1, f.size() - 2);
    return f;
  };
  if (sep == ' ') {
    std::istringstream in(row);
    std::string f;
    while (in >> f) fields.push_back(clean(f));
  } else {
    size_t start = 0;
    for (;;) {
      const size_t at = row.find(sep, start);
      fields.push_back(clean(row.substr(start, at == std::string::npos ? std::string::npos : at - start)));
      if (at == std::string::npos) break;
      start = at + 1;
    }
  }
  return fields;
}

// A header names the columns: none of its fields is a number, so that a first row with one bad field is
// reported rather than skipped.
bool IsHeader(const std::vector<std::string>& fields) {
  for (const std::string& f : fields) {
    double d = 0;
    if (ReadNumber(f, d) || !std::isfinite(d)) return false;
  }
  return true;
}

// The number in a cell, as a point stores it (Single): "" or why the cell holds none ("is not a
// number", "is out of range").
std::string CellToNumber(const std::string& cell, double& value) {
  if (!ReadNumber(cell, value)) return std::isfinite(value) ? "is not a number" : "is out of range";
  try {
    CSng(value);
  } catch (const RuntimeError&) {
    return "is out of range";
  }
  return "";
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

// Reads the points of in into the last data set: one point per row. Returns "" or the one-line problem,
// naming the file and row.
std::string ReadData(Plotara& control, LineReader& in, const std::string& name, Columns cols) {
  if (!cols.Named()) {
    if (std::string p = cols.Resolve({}); !p.empty()) return name + ": " + p;
  }
  std::string line;
  int lineNo = 0;
  char sep = 0;
  bool sawRow = false;
  for (;;) {
    const LineReader::Status status = in.Next(line, kMaxRow);
    ++lineNo;
    const std::string where = name + ":" + std::to_string(lineNo) + ": ";
    if (status == LineReader::Status::TooLong)
      return where + "a row longer than " + std::to_string(kMaxRow) + " characters";
    if (status == LineReader::Status::Error) return "cannot read '" + name + "': " + in.Problem();
    if (status == LineReader::Status::End) break;
    if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    if (sep == 0) sep = SeparatorOf(line);
    const std::vector<std::string> fields = SplitRow(line, sep);
    if (!sawRow) {
      sawRow = true;
      if (IsHeader(fields)) {
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
    for (size_t k = 0; k < read.size(); ++k) {
      const std::string& f = fields[static_cast<size_t>(read[k])];
      if (const std::string p = CellToNumber(f, xye[k]); !p.empty())
        return where + "field " + std::to_string(read[k] + 1) + " '" + f + "' " + p;
    }
    control.AddDataPoint(xye[0], xye[1], xye[2]);
  }
  return "";
}

}  // namespace

// ---------------------------------------------------------------- the file

std::string LoadData(Plotara& control, std::string path, const std::string& baseDir,
                     std::istream* standardInput, const std::vector<Variant>& columns) {
  Columns cols;
  cols.Given = columns;
  if (path == "-") {
    LineReader in = standardInput ? LineReader(*standardInput) : LineReader(0);
    return ReadData(control, in, "<stdin>", cols);
  }
  if (std::filesystem::path(path).is_relative() && !baseDir.empty())
    path = (std::filesystem::path(baseDir) / path).string();
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return "'" + path + "' is a folder, not a data file";
  std::string problem;
  const std::unique_ptr<LineReader> in = LineReader::Open(path, problem);
  return in ? ReadData(control, *in, path, cols) : "cannot open data file '" + path + "': " + problem;
}

}  // namespace plotara
