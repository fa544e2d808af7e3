#include "sources/OpenSource.h"

#include "platform/AsciiCase.h"
#include "sources/PostgresSource.h"
#include "sources/SqliteSource.h"

namespace plotara {

std::shared_ptr<DataSource> OpenDataSource(const std::string& connection, const RowSpec& rows) {
  if (rows.Query.find_first_not_of(" \t\r\n") == std::string::npos)
    throw DataSourceError(WithoutPassword(connection) + ": no query or table given");
  if (StartsWithNoCase(connection, "sqlite:"))
    return std::make_shared<SqliteSource>(connection.substr(7), rows);
  if (StartsWithNoCase(connection, "postgresql://") || StartsWithNoCase(connection, "postgres://"))
    return std::make_shared<PostgresSource>(connection, rows);
  if (StartsWithNoCase(connection, "postgresql:"))
    return std::make_shared<PostgresSource>(connection.substr(11), rows);
  throw DataSourceError("'" + WithoutPassword(connection) +
                        "' names no data source: give sqlite:PATH or postgresql://USER@HOST/DATABASE");
}

}  // namespace plotara
