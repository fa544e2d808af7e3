// The statements the SQL sources send, in standard SQL (a WITH clause, CASE, arithmetic, joins, grouping
// and the aggregates COUNT, MIN and MAX), so that an engine folds the rows itself.
// Nothing the user wrote is pasted into them but the user's own query, as a derived table; table and
// column names go in as quoted identifiers and every value as a parameter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plotara/DataSource.h"

namespace plotara {

// Where a source's rows come from: a query, or a table by name, and which of its columns are X and Y.
struct RowSpec {
  std::string Query;             // a SELECT (or WITH, VALUES, TABLE) statement; or a table name
  std::string XColumn, YColumn;  // "" for the first and the second column
};

// True when text is a statement rather than a table name.
bool IsQuery(std::string_view text);

// An identifier in double quotes, a quote inside doubled: "samples" or "my ""odd"" name". A table name
// with dots names a schema too: each part is quoted.
std::string QuoteIdentifier(std::string_view name);
std::string QuoteTableName(std::string_view name);

// How an engine writes parameter n (1-based): "?1" or "$1".
enum class Placeholders { Question, Dollar };

// A statement and the values of its parameters, in order.
struct SqlStatement {
  std::string Text;
  std::vector<double> Parameters;
};

// The rows of a source as the statements see them: the FROM item and the X and Y expressions as doubles.
struct SqlRows {
  std::string From;  // "(query) AS q" or "\"table\" AS q"
  std::string X, Y;  // CAST(q."t" AS DOUBLE PRECISION)
  // X as the column itself (q."t") where it holds the doubles X is made of, so that a comparison with it
  // is one with X and an index on the column serves it; else "".
  std::string PlainX;
  Placeholders Style = Placeholders::Question;
};

// The statement that lists the columns of the rows: SELECT * FROM (query) AS q.
std::string ColumnsStatement(const RowSpec& spec);
// The rows of spec with the X and Y columns named.
// A column is read as a double, or through its Seconds expression (SqlColumn) when it holds instants.
struct ValueColumn {
  std::string Name, Seconds;
  bool Plain = false;  // its values are doubles as they are
};
SqlRows MakeRows(const RowSpec& spec, const ValueColumn& x, const ValueColumn& y, Placeholders style);

// The extent: COUNT, MIN and MAX of X and Y over the rows that count.
SqlStatement ExtentStatement(const SqlRows& rows);
// The rows at one X: COUNT, MIN(Y), MAX(Y); and how many of them hold Y = last and the greatest Y below.
SqlStatement EndStatement(const SqlRows& rows, double x);
SqlStatement BelowLastStatement(const SqlRows& rows, double x, double lastY);

// The last row before x, when an index on X serves it: what tells whether a view's rows can be reached
// through an index rather than a pass over every row.
SqlStatement LastBeforeStatement(const SqlRows& rows, double x);

// A statement that computes `select` (an aggregate of x and y) over the rows a view's fold takes: every
// row; or, with an index on X, those of the view (Bounds.front() <= X < Bounds.back()) and the one row
// before and the one after them.
SqlStatement ViewStatement(const SqlRows& rows, const FoldRequest& request, bool indexed,
                           std::string_view select);

// The fold of a view in one pass over those rows, grouped by interval, and a second over the rows at each
// interval's first and last X. Each row finds its interval through the arithmetic of the view's grid
// (sources/FoldGrid.h), and near a bound through a balanced tree of comparisons with the bounds. Its
// result rows: (k, rows, first X, first Y, last X, last Y, lowest Y, highest Y) for interval k; k = -1 for
// the rows before the intervals, whose last row is the one before, and -2 for those after, whose first
// row is the one after. At most one result row per interval and two more leave the engine.
SqlStatement FoldStatement(const SqlRows& rows, const FoldRequest& request, bool indexed);

// Fills an answer from the fold's result rows, given one at a time as their eight values, in order.
class FoldReader {
 public:
  explicit FoldReader(size_t intervals);
  void Row(const std::vector<double>& v);
  FoldAnswer Take() { return std::move(answer_); }

 private:
  FoldAnswer answer_;
};

}  // namespace plotara
