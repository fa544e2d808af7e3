// SqlText sections: names and statements; the extent; the fold; reading the fold.
#include "sources/SqlText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <string>

#include "platform/AsciiCase.h"

namespace plotara {

// ---------------------------------------------------------------- names and statements

bool IsQuery(std::string_view text) {
  const size_t start = text.find_first_not_of(" \t\r\n(");
  if (start == std::string_view::npos) return false;
  const std::string_view rest = text.substr(start);
  for (const std::string_view word : {"SELECT", "WITH", "VALUES", "TABLE"}) {
    if (rest.size() > word.size() && EqualsNoCase(rest.substr(0, word.size()), word) &&
        !std::isalnum(static_cast<unsigned char>(rest[word.size()])) && rest[word.size()] != '_')
      return true;
  }
  return false;
}

std::string QuoteIdentifier(std::string_view name) {
  std::string out = "\"";
  for (const char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string QuoteTableName(std::string_view name) {
  std::string out;
  for (size_t start = 0;;) {
    const size_t dot = name.find('.', start);
    out += QuoteIdentifier(name.substr(start, dot - start));
    if (dot == std::string_view::npos) return out;
    out += '.';
    start = dot + 1;
  }
}

namespace {

// The user's query as a derived table. Line breaks keep a comment at its end from swallowing the
// parenthesis.
std::string FromItem(const RowSpec& spec) {
  if (IsQuery(spec.Query)) return "(\n" + spec.Query + "\n) AS q";
  return QuoteTableName(spec.Query) + " AS q";
}

// Builds a statement: literal text, and parameters written as the engine wants them.
class Writer {
 public:
  explicit Writer(Placeholders style) : style_(style) {}
  Writer& operator<<(std::string_view text) {
    out_.Text += text;
    return *this;
  }
  // A new parameter with the value v; returns its number for later use.
  size_t Parameter(double v) {
    out_.Parameters.push_back(v);
    Use(out_.Parameters.size());
    return out_.Parameters.size();
  }
  // Parameter n again.
  void Use(size_t n) { out_.Text += (style_ == Placeholders::Dollar ? "$" : "?") + std::to_string(n); }
  SqlStatement Take() { return std::move(out_); }

 private:
  Placeholders style_;
  SqlStatement out_;
};

// The rows that count: X and Y present and within single precision (which excludes NaN and infinities).
void RowsThatCount(Writer& w, const SqlRows& rows) {
  w << rows.X << " IS NOT NULL AND " << rows.Y << " IS NOT NULL AND " << rows.X << " BETWEEN ";
  const size_t low = w.Parameter(-FLT_MAX);
  w << " AND ";
  const size_t high = w.Parameter(FLT_MAX);
  w << " AND " << rows.Y << " BETWEEN ";
  w.Use(low);
  w << " AND ";
  w.Use(high);
}

}  // namespace

std::string ColumnsStatement(const RowSpec& spec) {
  return "SELECT * FROM " + FromItem(spec);
}

SqlRows MakeRows(const RowSpec& spec, const ValueColumn& x, const ValueColumn& y, Placeholders style) {
  auto value = [](const ValueColumn& c) {
    std::string column = "q." + QuoteIdentifier(c.Name);
    if (!c.Seconds.empty()) {
      std::string e = c.Seconds;
      for (size_t at; (at = e.find("{}")) != std::string::npos;) e.replace(at, 2, column);
      column = e;
    }
    return "CAST(" + column + " AS DOUBLE PRECISION)";
  };
  return {FromItem(spec), value(x), value(y), style};
}

// ---------------------------------------------------------------- the extent

SqlStatement ExtentStatement(const SqlRows& rows) {
  Writer w(rows.Style);
  w << "SELECT COUNT(*), MIN(" << rows.X << "), MAX(" << rows.X << "), MIN(" << rows.Y << "), MAX(" << rows.Y
    << ") FROM " << rows.From << " WHERE ";
  RowsThatCount(w, rows);
  return w.Take();
}

SqlStatement EndStatement(const SqlRows& rows, double x) {
  Writer w(rows.Style);
  w << "SELECT COUNT(*), MIN(" << rows.Y << "), MAX(" << rows.Y << ") FROM " << rows.From << " WHERE ";
  RowsThatCount(w, rows);
  w << " AND " << rows.X << " = ";
  w.Parameter(x);
  return w.Take();
}

SqlStatement BelowLastStatement(const SqlRows& rows, double x, double lastY) {
  Writer w(rows.Style);
  w << "SELECT COUNT(CASE WHEN " << rows.Y << " = ";
  const size_t last = w.Parameter(lastY);
  w << " THEN 1 END), MAX(CASE WHEN " << rows.Y << " < ";
  w.Use(last);
  w << " THEN " << rows.Y << " END) FROM " << rows.From << " WHERE ";
  RowsThatCount(w, rows);
  w << " AND " << rows.X << " = ";
  w.Parameter(x);
  return w.Take();
}

// ---------------------------------------------------------------- the fold

namespace {

// The interval of x among intervals [lo, hi): a balanced tree of comparisons with the bounds, so that
// each row finds its pixel column exactly in about log2(columns) comparisons, with no join and no
// arithmetic of the engine's own that could round otherwise than the control does.
void IntervalOf(Writer& w, const std::function<void(size_t)>& bound, size_t lo, size_t hi) {
  if (hi - lo == 1) {
    w << std::to_string(lo);
    return;
  }
  const size_t mid = lo + (hi - lo) / 2;
  w << "CASE WHEN x < ";
  bound(mid);
  w << " THEN ";
  IntervalOf(w, bound, lo, mid);
  w << " ELSE ";
  IntervalOf(w, bound, mid, hi);
  w << " END";
}

// The rows that count, as x and y.
void CountedRows(Writer& w, const SqlRows& rows) {
  w << "(SELECT " << rows.X << " AS x, " << rows.Y << " AS y FROM " << rows.From << " WHERE ";
  RowsThatCount(w, rows);
  w << ")";
}

}  // namespace

SqlStatement FoldStatement(const SqlRows& rows, const FoldRequest& request) {
  const std::vector<double>& bounds = request.Bounds;
  const size_t intervals = bounds.size() - 1;
  Writer w(rows.Style);
  std::vector<size_t> parameterOf(bounds.size(), 0);
  const std::function<void(size_t)> bound = [&](size_t i) {
    if (parameterOf[i] == 0) {
      parameterOf[i] = w.Parameter(bounds[i]);
    } else {
      w.Use(parameterOf[i]);
    }
  };
  // g: per interval, its rows counted with their X and Y ranges; -1 the rows before the intervals and
  // -2 those after them. One pass over the rows, grouped.
  w << "WITH g (c, n, x0, x1, ylo, yhi) AS (SELECT c, COUNT(*), MIN(x), MAX(x), MIN(y), MAX(y) FROM (SELECT "
       "x, y, "
       "CASE WHEN x < ";
  bound(0);
  w << " THEN -1 WHEN x >= ";
  bound(intervals);
  w << " THEN -2 ELSE ";
  IntervalOf(w, bound, 0, intervals);
  w << " END AS c FROM ";
  CountedRows(w, rows);
  w << " AS r) AS p GROUP BY c),\n";
  // e: the X of each interval's first and last row, of the last row before and of the first after.
  w << "e (c, x) AS (SELECT c, x0 FROM g WHERE c <> -1 UNION SELECT c, x1 FROM g WHERE c <> -2)\n";
  // The intervals, then the Y range of the rows at each of those X: a second pass over the rows, which
  // keeps those whose X is listed (a semi-join the engines run through a hash or an index) and groups
  // them by X.
  w << "SELECT 0, c, n, x0, x1, ylo, yhi FROM g WHERE c >= 0 UNION ALL SELECT 1, e.c, a.n, e.x, e.x, a.ylo, "
       "a.yhi "
       "FROM e JOIN (SELECT x, COUNT(*) AS n, MIN(y) AS ylo, MAX(y) AS yhi FROM ";
  CountedRows(w, rows);
  w << " AS r WHERE x IN (SELECT x FROM e) GROUP BY x) AS a ON a.x = e.x ORDER BY 1, 2";
  return w.Take();
}

// ---------------------------------------------------------------- reading the fold

FoldReader::FoldReader(size_t intervals) {
  answer_.Intervals.resize(intervals);
}

void FoldReader::Row(const std::vector<double>& v) {
  const bool atX = v[0] != 0;
  const auto k = static_cast<long long>(v[1]);
  if (k == -1 || k == -2) {
    // The last row before the intervals, and the first after them, in the order of X, then Y.
    SourceRow& row = k == -1 ? answer_.Before : answer_.After;
    row = {true, v[3], k == -1 ? v[6] : v[5]};
    return;
  }
  if (k < 0 || static_cast<size_t>(k) >= answer_.Intervals.size()) return;
  FoldedInterval& in = answer_.Intervals[static_cast<size_t>(k)];
  if (!atX) {
    in.Rows = static_cast<int64_t>(v[2]);
    in.FirstX = v[3];
    in.LastX = v[4];
    in.LowY = v[5];
    in.HighY = v[6];
    in.FirstY = v[5];
    in.LastY = v[6];
    return;
  }
  // The rows at the first X begin with the lowest Y; those at the last X end with the highest.
  if (v[3] == in.FirstX) in.FirstY = v[5];
  if (v[3] == in.LastX) in.LastY = v[6];
}

}  // namespace plotara
