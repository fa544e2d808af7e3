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
  for (int i = 0; i < sqlite3_column_count(s.s); ++i) columns.push_back({sqlite3_column_name(s.s, i), ""});
  return columns;
}

// SQLite keeps any value in any column and turns text into 0 when cast: a value that is neither a number
// nor NULL makes the column no column of numbers. The first one found is named.
void SqliteSource::CheckNumbers() {
  Statement s;
  const std::string x = "q." + QuoteIdentifier(XName()), y = "q." + QuoteIdentifier(YName());
  const std::string text = "SELECT " + x + ", " + y + ", typeof(" + x +
                           ") NOT IN ('integer', 'real', 'null') FROM " + Rows().From + " WHERE typeof(" + x +
                           ") NOT IN ('integer', 'real', 'null') OR typeof(" + y +
                           ") NOT IN ('integer', 'real', 'null') LIMIT 1";
  if (sqlite3_prepare_v2(db_, text.c_str(), static_cast<int>(text.size()), &s.s, nullptr) != SQLITE_OK)
    Fail(sqlite3_errmsg(db_));
  const int rc = sqlite3_step(s.s);
  if (rc == SQLITE_DONE) return;
  if (rc != SQLITE_ROW) Fail(sqlite3_errmsg(db_));
  const int bad = sqlite3_column_int(s.s, 2) ? 0 : 1;
  const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(s.s, bad));
  Fail("column '" + (bad == 0 ? XName() : YName()) + "' holds '" + (value ? value : "") + "', not a number");
}

}  // namespace plotara
