#include "sources/SqliteSource.h"

#include <sqlite3.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

namespace plotara {

namespace {

// A prepared statement, finalized when it goes.
struct Statement {
  sqlite3_stmt* s = nullptr;
  ~Statement() { sqlite3_finalize(s); }
};

}  // namespace

SqliteSource::SqliteSource(const std::string& path, const RowSpec& spec) : SqlSource("sqlite:" + path) {
  // Read-only and never created: a path that names no database is an error, not a new empty file.
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX, nullptr) !=
      SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    Fail(message);
  }
  sqlite3_busy_timeout(db_, 5000);
  try {
    const auto none = [](sqlite3_context* c) { sqlite3_result_null(c); };
    if (sqlite3_create_function_v2(db_, "plotara_fold", 2, SQLITE_UTF8, this, nullptr, &FoldStep, none,
                                   nullptr) != SQLITE_OK ||
        sqlite3_create_function_v2(db_, "plotara_extent", 4, SQLITE_UTF8, this, nullptr, &ExtentStep, none,
                                   nullptr) != SQLITE_OK)
      Fail(sqlite3_errmsg(db_));
    ChooseColumns(spec, Placeholders::Question);
  } catch (...) {
    sqlite3_close(db_);
    throw;
  }
}

SqliteSource::~SqliteSource() {
  sqlite3_close(db_);
}

void SqliteSource::FoldStep(sqlite3_context* context, int, sqlite3_value** values) {
  auto* self = static_cast<SqliteSource*>(sqlite3_user_data(context));
  if (self->folding_) self->folding_->Add(sqlite3_value_double(values[0]), sqlite3_value_double(values[1]));
}

// SQLite keeps any value in any column and turns text into 0 when cast: a value that is neither a number
// nor NULL in a column of numbers fails the extent, naming it. Then the row counts as the fold's do.
void SqliteSource::ExtentStep(sqlite3_context* context, int, sqlite3_value** values) {
  auto* self = static_cast<SqliteSource*>(sqlite3_user_data(context));
  if (!self->extent_) return;
  for (int i = 0; i < 2; ++i) {
    const int type = sqlite3_value_type(values[i]);
    if (type != SQLITE_TEXT && type != SQLITE_BLOB) continue;
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(values[i]));
    const std::string message = "column '" + (i == 0 ? self->XColumn() : self->YColumn()).Name + "' holds '" +
                                (text ? text : "") + "', not a number";
    sqlite3_result_error(context, message.c_str(), -1);
    return;
  }
  if (sqlite3_value_type(values[2]) == SQLITE_NULL || sqlite3_value_type(values[3]) == SQLITE_NULL) return;
  const double x = sqlite3_value_double(values[2]), y = sqlite3_value_double(values[3]);
  if (std::fabs(x) <= FLT_MAX && std::fabs(y) <= FLT_MAX) self->extent_->Add(x, y);
}

SourceExtent SqliteSource::Extent() {
  // The columns of numbers as they are, for the check; an instant's text that is no time is no row.
  const auto raw = [](const SqlColumn& c) {
    return c.Seconds.empty() ? "q." + QuoteIdentifier(c.Name) : "NULL";
  };
  const SqlRows& rows = Rows();
  RowExtent extent;
  extent_ = &extent;
  try {
    Execute({"SELECT plotara_extent(" + raw(XColumn()) + ", " + raw(YColumn()) + ", " + rows.X + ", " +
                 rows.Y + ") FROM " + rows.From,
             {}},
            [](const std::vector<double>&) {});
  } catch (...) {
    extent_ = nullptr;
    throw;
  }
  extent_ = nullptr;
  return extent.Take();
}

FoldAnswer SqliteSource::Fold(const FoldRequest& request) {
  if (request.Bounds.size() < 2) Fail("a view needs two bounds");
  RowFold fold(request);
  folding_ = &fold;
  try {
    Execute(ViewStatement(Rows(), request, Indexed(), "plotara_fold(x, y)"),
            [](const std::vector<double>&) {});
  } catch (...) {
    folding_ = nullptr;
    throw;
  }
  folding_ = nullptr;
  FoldAnswer answer = fold.Take();
  // What leaves the engine is what the answer holds: a row of eight numbers per interval with rows.
  for (const FoldedInterval& in : answer.Intervals) answer.RowsMoved += in.Rows > 0;
  answer.RowsMoved += answer.Before.Exists + answer.After.Exists;
  answer.BytesMoved = 64 * answer.RowsMoved;
  return answer;
}

bool SqliteSource::PlanUsesIndex(const SqlStatement& statement) {
  Statement s;
  const std::string text = "EXPLAIN QUERY PLAN " + statement.Text;
  if (sqlite3_prepare_v2(db_, text.c_str(), static_cast<int>(text.size()), &s.s, nullptr) != SQLITE_OK)
    Fail(sqlite3_errmsg(db_));
  for (size_t i = 0; i < statement.Parameters.size(); ++i)
    sqlite3_bind_double(s.s, static_cast<int>(i + 1), statement.Parameters[i]);
  while (sqlite3_step(s.s) == SQLITE_ROW) {
    const auto* detail =
        reinterpret_cast<const char*>(sqlite3_column_text(s.s, sqlite3_column_count(s.s) - 1));
    if (detail && std::strstr(detail, " INDEX ")) return true;
  }
  return false;
}

void SqliteSource::Execute(const SqlStatement& st, const RowSink& row) {
  Statement s;
  if (sqlite3_prepare_v2(db_, st.Text.c_str(), static_cast<int>(st.Text.size()), &s.s, nullptr) != SQLITE_OK)
    Fail(sqlite3_errmsg(db_));
  for (size_t i = 0; i < st.Parameters.size(); ++i)
    sqlite3_bind_double(s.s, static_cast<int>(i + 1), st.Parameters[i]);
  std::vector<double> values;
  for (;;) {
    const int rc = sqlite3_step(s.s);
    if (rc == SQLITE_DONE) return;
    if (rc != SQLITE_ROW) Fail(sqlite3_errmsg(db_));
    const int n = sqlite3_column_count(s.s);
    values.resize(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
      values[static_cast<size_t>(i)] = sqlite3_column_type(s.s, i) == SQLITE_NULL
                                           ? std::numeric_limits<double>::quiet_NaN()
                                           : sqlite3_column_double(s.s, i);
    Moved(1, 8 * n);  // in the same process: the values alone
    row(values);
  }
}

std::vector<SqlColumn> SqliteSource::Describe(const std::string& text) {
  Statement s;
  if (sqlite3_prepare_v2(db_, text.c_str(), static_cast<int>(text.size()), &s.s, nullptr) != SQLITE_OK)
    Fail(sqlite3_errmsg(db_));
  std::vector<SqlColumn> columns;
  for (int i = 0; i < sqlite3_column_count(s.s); ++i) {
    // A column declared as a date or a time holds instants: ISO 8601 texts (to the millisecond) or
    // numbers, taken as Unix seconds.
    const char* declared = sqlite3_column_decltype(s.s, i);
    std::string type = declared ? declared : "";
    for (char& c : type) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool instant = type.find("DATE") != std::string::npos || type.find("TIME") != std::string::npos;
    // A column of REAL affinity holds its numbers as doubles.
    auto has = [&](const char* part) { return type.find(part) != std::string::npos; };
    const bool real = !has("INT") && !has("CHAR") && !has("CLOB") && !has("TEXT") &&
                      (has("REAL") || has("FLOA") || has("DOUB"));
    columns.push_back({sqlite3_column_name(s.s, i), "",
                       instant ? "CASE WHEN typeof({}) IN ('integer', 'real') THEN {} ELSE "
                                 "CAST(strftime('%s', {}) AS REAL) + CAST(strftime('%f', {}) AS REAL) - "
                                 "CAST(strftime('%S', {}) AS REAL) END"
                               : "",
                       real && !instant});
  }
  return columns;
}

}  // namespace plotara
