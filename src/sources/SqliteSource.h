// A data source in an SQLite database file, opened read-only. SQLite groups rows by sorting them all, so
// a view folds through an aggregate function of its own registered on the connection (plotara_fold),
// which takes the rows as the engine's scan reads them: one pass and no sort. The extent, and the check
// that the columns hold numbers, take one more such pass (plotara_extent).
#pragma once

#include <memory>
#include <string>

#include "sources/RowFold.h"
#include "sources/SqlSource.h"

struct sqlite3;
struct sqlite3_context;
struct sqlite3_value;

namespace plotara {

class SqliteSource : public SqlSource {
 public:
  // Opens the file (which must exist) and chooses the columns; raises DataSourceError.
  SqliteSource(const std::string& path, const RowSpec& spec);
  ~SqliteSource() override;
  SourceExtent Extent() override;
  FoldAnswer Fold(const FoldRequest& request) override;

 protected:
  void Execute(const SqlStatement& statement, const RowSink& row) override;
  std::vector<SqlColumn> Describe(const std::string& text) override;
  bool PlanUsesIndex(const SqlStatement& statement) override;

 private:
  static void FoldStep(sqlite3_context* context, int count, sqlite3_value** values);
  static void ExtentStep(sqlite3_context* context, int count, sqlite3_value** values);
  sqlite3* db_ = nullptr;
  RowFold* folding_ = nullptr;   // the fold under way
  RowExtent* extent_ = nullptr;  // the extent under way
};

}  // namespace plotara
