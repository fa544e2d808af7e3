// A data source in an SQLite database file, opened read-only.
#pragma once

#include <memory>
#include <string>

#include "sources/SqlSource.h"

struct sqlite3;

namespace plotara {

class SqliteSource : public SqlSource {
 public:
  // Opens the file (which must exist) and chooses the columns; raises DataSourceError.
  SqliteSource(const std::string& path, const RowSpec& spec);
  ~SqliteSource() override;

 protected:
  void Execute(const SqlStatement& statement, const RowSink& row) override;
  std::vector<SqlColumn> Describe(const std::string& text) override;

 private:
  void CheckNumbers();
  sqlite3* db_ = nullptr;
};

}  // namespace plotara
