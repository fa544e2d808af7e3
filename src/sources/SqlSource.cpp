#include "sources/SqlSource.h"

#include <cmath>

#include "platform/AsciiCase.h"

namespace plotara {

namespace {

// The column named `wanted` (exactly, else without regard to letter case when that names one), or the
// column at `position` when none is wanted; -1 when there is none such.
int FindColumn(const std::vector<SqlColumn>& columns, const std::string& wanted, int position) {
  if (wanted.empty()) return position < static_cast<int>(columns.size()) ? position : -1;
  for (size_t i = 0; i < columns.size(); ++i)
    if (columns[i].Name == wanted) return static_cast<int>(i);
  int found = -1;
  for (size_t i = 0; i < columns.size(); ++i) {
    if (!EqualsNoCase(columns[i].Name, wanted)) continue;
    if (found >= 0) return -1;
    found = static_cast<int>(i);
  }
  return found;
}

std::string List(const std::vector<SqlColumn>& columns) {
  std::string out;
  for (const SqlColumn& c : columns) out += (out.empty() ? "" : ", ") + c.Name;
  return out;
}

}  // namespace

void SqlSource::Fail(const std::string& message) const {
  throw DataSourceError(name_ + ": " + message);
}

void SqlSource::ChooseColumns(const RowSpec& spec, Placeholders style) {
  const std::vector<SqlColumn> columns = Describe(ColumnsStatement(spec));
  const std::string what = IsQuery(spec.Query) ? "the query" : "table " + spec.Query;
  if (spec.XColumn.empty() && columns.size() < 2)
    Fail(what + " has " + std::to_string(columns.size()) + " column(s); X and Y take two");
  const int x = FindColumn(columns, spec.XColumn, 0), y = FindColumn(columns, spec.YColumn, 1);
  for (const auto& [index, wanted] : {std::pair{x, spec.XColumn}, std::pair{y, spec.YColumn}})
    if (index < 0) Fail(what + " has no column '" + wanted + "' (it has " + List(columns) + ")");
  for (const int index : {x, y}) {
    const SqlColumn& c = columns[static_cast<size_t>(index)];
    if (!c.NotNumeric.empty()) Fail("column '" + c.Name + "' is " + c.NotNumeric + ", not a number");
  }
  xColumn_ = columns[static_cast<size_t>(x)];
  yColumn_ = columns[static_cast<size_t>(y)];
  rows_ = MakeRows(spec, {xColumn_.Name, xColumn_.Seconds, xColumn_.Plain},
                   {yColumn_.Name, yColumn_.Seconds, yColumn_.Plain}, style);
  indexed_ = !rows_.PlainX.empty() && PlanUsesIndex(LastBeforeStatement(rows_, 0));
}

std::vector<double> SqlSource::One(const SqlStatement& statement) {
  std::vector<double> first;
  Execute(statement, [&](const std::vector<double>& values) {
    if (first.empty()) first = values;
  });
  if (first.empty()) Fail("an aggregate gave no row");
  return first;
}

SourceExtent SqlSource::Extent() {
  SourceExtent e;
  const std::vector<double> all = One(ExtentStatement(rows_));
  e.Rows = static_cast<int64_t>(all.at(0));
  if (e.Rows == 0) return e;
  e.XMin = all.at(1), e.XMax = all.at(2), e.YMin = all.at(3), e.YMax = all.at(4);
  const std::vector<double> end = One(EndStatement(rows_, e.XMax));
  e.RowsAtEnd = static_cast<int64_t>(end.at(0));
  e.LowestAtEnd = end.at(1);
  e.LastY = end.at(2);
  if (e.RowsAtEnd >= 2) {
    const std::vector<double> below = One(BelowLastStatement(rows_, e.XMax, e.LastY));
    e.BelowLastAtEnd = below.at(0) >= 2 ? e.LastY : below.at(1);
  }
  return e;
}

FoldAnswer SqlSource::Fold(const FoldRequest& request) {
  if (request.Bounds.size() < 2) Fail("a view needs two bounds");
  rows_moved_ = bytes_moved_ = 0;
  FoldReader reader(request.Bounds.size() - 1);
  Execute(FoldStatement(rows_, request, indexed_), [&](const std::vector<double>& v) {
    if (v.size() != 8) Fail("the fold gave " + std::to_string(v.size()) + " columns");
    reader.Row(v);
  });
  FoldAnswer answer = reader.Take();
  answer.RowsMoved = rows_moved_;
  answer.BytesMoved = bytes_moved_;
  return answer;
}

}  // namespace plotara
