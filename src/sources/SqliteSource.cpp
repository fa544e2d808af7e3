#include "sources/SqliteSource.h"

#include <sqlite3.h>

#include <cmath>
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
    ChooseColumns(spec, Placeholders::Question);
    CheckNumbers();
  } catch (...) {
    sqlite3_close(db_);
    throw;
  }
}

SqliteSource::~SqliteSource() {
  sqlite3_close(db_);
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
    columns.push_back({sqlite3_column_name(s.s, i), "",
                       instant ? "CASE WHEN typeof({}) IN ('integer', 'real') THEN {} ELSE "
                                 "CAST(strftime('%s', {}) AS REAL) + CAST(strftime('%f', {}) AS REAL) - "
                                 "CAST(strftime('%S', {}) AS REAL) END"
                               : ""});
  }
  return columns;
}

// SQLite keeps any value in any column and turns text into 0 when cast: a value that is neither a number
// nor NULL makes the column no column of numbers. The first one found is named.
void SqliteSource::CheckNumbers() {
  // An instant's text that is no time is no row (NULL): only the columns of numbers are checked.
  std::vector<const SqlColumn*> numbers;
  for (const SqlColumn* c : {&XColumn(), &YColumn()})
    if (c->Seconds.empty()) numbers.push_back(c);
  if (numbers.empty()) return;
  std::string values, bad;
  for (const SqlColumn* c : numbers) {
    const std::string v = "q." + QuoteIdentifier(c->Name);
    values += (values.empty() ? "" : ", ") + v;
    bad += (bad.empty() ? "" : " OR ") + ("typeof(" + v + ") NOT IN ('integer', 'real', 'null')");
  }
  const std::string text = "SELECT " + values + " FROM " + Rows().From + " WHERE " + bad + " LIMIT 1";
  Statement s;
  if (sqlite3_prepare_v2(db_, text.c_str(), static_cast<int>(text.size()), &s.s, nullptr) != SQLITE_OK)
    Fail(sqlite3_errmsg(db_));
  const int rc = sqlite3_step(s.s);
  if (rc == SQLITE_DONE) return;
  if (rc != SQLITE_ROW) Fail(sqlite3_errmsg(db_));
  for (int i = 0; i < static_cast<int>(numbers.size()); ++i) {
    const int type = sqlite3_column_type(s.s, i);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT || type == SQLITE_NULL) continue;
    const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(s.s, i));
    Fail("column '" + numbers[static_cast<size_t>(i)]->Name + "' holds '" + (value ? value : "") +
         "', not a number");
  }
}

}  // namespace plotara
