// The statements the SQL sources send, in standard SQL (a WITH clause, CASE, a join, grouping and the
// aggregates COUNT, MIN and MAX), so that any engine that speaks it folds the rows itself.
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
  Placeholders Style = Placeholders::Question;
};

// The statement that lists the columns of the rows: SELECT * FROM (query) AS q.
std::string ColumnsStatement(const RowSpec& spec);
// The rows of spec with the X and Y columns named.
// A column is read as a double, or through its Seconds expression (SqlColumn) when it holds instants.
struct ValueColumn {
  std::string Name, Seconds;
};
SqlRows MakeRows(const RowSpec& spec, const ValueColumn& x, const ValueColumn& y, Placeholders style);

// The extent: COUNT, MIN and MAX of X and Y over the rows that count.
SqlStatement ExtentStatement(const SqlRows& rows);
// The rows at one X: COUNT, MIN(Y), MAX(Y); and how many of them hold Y = last and the greatest Y below.
SqlStatement EndStatement(const SqlRows& rows, double x);
SqlStatement BelowLastStatement(const SqlRows& rows, double x, double lastY);

// The fold of a view, in two passes over the rows: each row's interval found by comparisons with the
// bounds and the intervals grouped; then the rows at each interval's first and last X. Its result rows:
// (0, k, rows, first X, last X, lowest Y, highest Y) for interval k; (1, k, rows, X, X, lowest Y,
// highest Y) for the rows at interval k's first or last X; k = -1 for the last X before the intervals and
// -2 for the first X after them. At most three rows per interval and two more leave the engine.
SqlStatement FoldStatement(const SqlRows& rows, const FoldRequest& request);

// Fills an answer from the fold's result rows, given one at a time as their seven values, in order.
class FoldReader {
 public:
  explicit FoldReader(size_t intervals);
  void Row(const std::vector<double>& v);
  FoldAnswer Take() { return std::move(answer_); }

 private:
  FoldAnswer answer_;
};

}  // namespace plotara
