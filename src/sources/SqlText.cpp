// SqlText sections: names and statements; the extent; the fold; reading the fold.
#include "sources/SqlText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <string>

#include "platform/AsciiCase.h"
#include "sources/FoldGrid.h"

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

// The rows that count: X and Y within single precision (which leaves out NULL, NaN and infinities).
void RowsThatCount(Writer& w, const SqlRows& rows) {
  w << rows.X << " BETWEEN ";
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
  const bool plain = x.Plain && x.Seconds.empty();
  return {FromItem(spec), value(x), value(y), plain ? "q." + QuoteIdentifier(x.Name) : "", style};
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
// each row finds its pixel column exactly in about log2(columns) comparisons.
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

// The rows that count, as x and y, and those of them that `where` keeps besides.
void CountedRows(Writer& w, const SqlRows& rows, const std::function<void()>& where = {}) {
  w << "SELECT " << rows.X << " AS x, " << rows.Y << " AS y FROM " << rows.From << " WHERE ";
  RowsThatCount(w, rows);
  if (where) {
    w << " AND ";
    where();
  }
}

// The X of the last row before parameter `at` (or of the first row at or after it): a statement an
// index on X answers by reading one entry.
void NearestX(Writer& w, const SqlRows& rows, bool before, const std::function<void()>& at) {
  w << "SELECT " << rows.PlainX << " FROM " << rows.From << " WHERE ";
  RowsThatCount(w, rows);
  w << " AND " << rows.PlainX << (before ? " < " : " >= ");
  at();
  w << " ORDER BY " << rows.PlainX << (before ? " DESC" : "")
    << (rows.Style == Placeholders::Dollar ? " FETCH FIRST 1 ROW ONLY" : " LIMIT 1");
}

// The rows a view's fold takes, as a derived table of x and y (see ViewStatement). With an index the
// comparisons are on the column itself, which the index serves, and the rows just outside the view are
// those at the X next to it, found in the index.
void ViewRows(Writer& w, const SqlRows& rows, const FoldRequest& request, bool indexed) {
  w << "(";
  if (!indexed || rows.PlainX.empty()) {
    CountedRows(w, rows);
    w << ") AS v";
    return;
  }
  size_t low = 0, high = 0;
  CountedRows(w, rows, [&] {
    w << rows.PlainX << " >= ";
    low = w.Parameter(request.Bounds.front());
    w << " AND " << rows.PlainX << " < ";
    high = w.Parameter(request.Bounds.back());
  });
  for (const bool before : {true, false}) {
    w << " UNION ALL ";
    CountedRows(w, rows, [&] {
      w << rows.PlainX << " = (";
      NearestX(w, rows, before, [&] { w.Use(before ? low : high); });
      w << ")";
    });
  }
  w << ") AS v";
}

}  // namespace

SqlStatement LastBeforeStatement(const SqlRows& rows, double x) {
  Writer w(rows.Style);
  NearestX(w, rows, true, [&] { w.Parameter(x); });
  return w.Take();
}

SqlStatement ViewStatement(const SqlRows& rows, const FoldRequest& request, bool indexed,
                           std::string_view select) {
  Writer w(rows.Style);
  w << "SELECT " << select << " FROM ";
  ViewRows(w, rows, request, indexed);
  return w.Take();
}

SqlStatement FoldStatement(const SqlRows& rows, const FoldRequest& request, bool indexed) {
  const std::vector<double>& bounds = request.Bounds;
  const size_t intervals = bounds.size() - 1;
  const FoldGrid grid = MakeGrid(bounds);
  Writer w(rows.Style);
  std::vector<size_t> parameterOf(bounds.size(), 0);
  const std::function<void(size_t)> bound = [&](size_t i) {
    if (parameterOf[i] == 0) {
      parameterOf[i] = w.Parameter(bounds[i]);
    } else {
      w.Use(parameterOf[i]);
    }
  };
  // g: each interval's rows, counted, with their ranges of X and Y.
  w << "WITH g (c, n, x0, x1, ylo, yhi) AS (SELECT c, COUNT(*), MIN(x), MAX(x), MIN(y), MAX(y) FROM (SELECT "
       "x, y, CASE ";
  if (grid.Covers()) {
    // Far enough from a whole number, and within the bounds the grid covers, u names the interval.
    w << "WHEN ABS(u - FLOOR(u) - 0.5) < ";
    w.Parameter(0.5 - grid.Margin);
    w << " AND u >= 0 AND u < " << std::to_string(grid.Last - grid.First) << " THEN FLOOR(u) + "
      << std::to_string(grid.First) << " ";
  }
  w << "WHEN x < ";
  bound(0);
  w << " THEN -1 WHEN x >= ";
  bound(intervals);
  w << " THEN -2 ELSE ";
  IntervalOf(w, bound, 0, intervals);
  w << " END AS c FROM (SELECT x, y";
  if (grid.Covers()) {
    // u once a row (OFFSET 0 keeps the engine from writing it out into each use). A logarithm is taken
    // only where the grid begins, on positive X; elsewhere u is NULL and no comparison with it holds.
    w << ", ";
    if (grid.Log) {
      w << "CASE WHEN x >= ";
      bound(grid.First);
      w << " THEN (LN(x) - ";
    } else {
      w << "(x - ";
    }
    w.Parameter(grid.A);
    w << ") * ";
    w.Parameter(grid.K);
    w << (grid.Log ? " END" : "") << " AS u";
  }
  w << " FROM ";
  ViewRows(w, rows, request, indexed);
  // The intervals as a column of a derived table the engine keeps whole (OFFSET 0): a planner that knows
  // nothing of a computed column counts on few groups, and groups them in a hash table rather than
  // sorting every row.
  w << " OFFSET 0) AS r OFFSET 0) AS p GROUP BY c),\n";
  // a: the Y range of the rows at each interval's first and last X, in a second pass that an index on X
  // answers entry by entry (and that is a hash probe a row without one). The first row of an interval is
  // the lowest at its first X, the last the highest at its last X.
  w << "e (x) AS (SELECT x0 FROM g UNION SELECT x1 FROM g),\n"
       "a (x, ylo, yhi) AS (SELECT x, MIN(y), MAX(y) FROM (";
  CountedRows(w, rows);
  w << ") AS r WHERE x IN (SELECT x FROM e) GROUP BY x)\n"
       "SELECT g.c, g.n, g.x0, f.ylo, g.x1, l.yhi, g.ylo, g.yhi FROM g JOIN a AS f ON f.x = g.x0 "
       "JOIN a AS l ON l.x = g.x1";
  return w.Take();
}

// ---------------------------------------------------------------- reading the fold

FoldReader::FoldReader(size_t intervals) {
  answer_.Intervals.resize(intervals);
}

void FoldReader::Row(const std::vector<double>& v) {
  const auto k = static_cast<long long>(v[0]);
  if (k == -1) {
    answer_.Before = {true, v[4], v[5]};
  } else if (k == -2) {
    answer_.After = {true, v[2], v[3]};
  } else if (k >= 0 && static_cast<size_t>(k) < answer_.Intervals.size()) {
    answer_.Intervals[static_cast<size_t>(k)] = {
        static_cast<int64_t>(v[1]), v[2], v[3], v[4], v[5], v[6], v[7]};
  }
}

}  // namespace plotara
