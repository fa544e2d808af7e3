// What the SQL sources share: the columns chosen, the extent and the fold asked in SQL
// (sources/SqlText.h). Each engine runs the statements its own way.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "plotara/DataSource.h"
#include "sources/SqlText.h"

namespace plotara {

// A column of the rows, as the engine describes it.
struct SqlColumn {
  std::string Name;
  std::string NotNumeric;  // the column's type where the engine knows it is not a number, else ""
  // An instant (a timestamp or a date): its value is read as seconds since 1970-01-01 UTC, through
  // the engine's own expression for that, with {} standing for the column.
  std::string Seconds;
  bool Plain = false;  // a column of doubles (no conversion), which an index on it can order
};

class SqlSource : public DataSource {
 public:
  std::string Name() const override { return name_; }
  SourceExtent Extent() override;
  FoldAnswer Fold(const FoldRequest& request) override;

 protected:
  explicit SqlSource(std::string name) : name_(std::move(name)) {}
  // Chooses the X and Y columns of spec from what the engine says of them; raises DataSourceError for a
  // column that is missing or not a number. Engines call it once they are connected.
  void ChooseColumns(const RowSpec& spec, Placeholders style);
  const SqlRows& Rows() const { return rows_; }
  const SqlColumn& XColumn() const { return xColumn_; }
  const SqlColumn& YColumn() const { return yColumn_; }
  // Whether an index on X serves the view's rows, so that a view reads only its own.
  bool Indexed() const { return indexed_; }

  // The result rows of a statement, each as doubles (NULL as NaN); raises DataSourceError.
  using RowSink = std::function<void(const std::vector<double>& values)>;
  virtual void Execute(const SqlStatement& statement, const RowSink& row) = 0;
  // The columns a statement's result has, without running it.
  virtual std::vector<SqlColumn> Describe(const std::string& text) = 0;
  // Whether the engine's plan for a statement reads through an index.
  virtual bool PlanUsesIndex(const SqlStatement& statement) = 0;
  // Counts what crossed from the engine, for the answer under way.
  void Moved(int64_t rows, int64_t bytes) { rows_moved_ += rows, bytes_moved_ += bytes; }
  [[noreturn]] void Fail(const std::string& message) const;

 private:
  std::vector<double> One(const SqlStatement& statement);

  std::string name_;
  SqlRows rows_;
  SqlColumn xColumn_, yColumn_;
  bool indexed_ = false;
  int64_t rows_moved_ = 0, bytes_moved_ = 0;
};

}  // namespace plotara
