// The data source a connection text names: "sqlite:PATH" for an SQLite file, "postgresql://..." (or
// "postgres://...", or "postgresql:" and keyword=value pairs) for a PostgreSQL server.
#pragma once

#include <memory>
#include <string>

#include "plotara/DataSource.h"
#include "sources/SqlText.h"

namespace plotara {

// Connects and checks the rows' columns; raises DataSourceError (naming the source) for anything that
// fails, and for a connection text of no known kind.
std::shared_ptr<DataSource> OpenDataSource(const std::string& connection, const RowSpec& rows);

}  // namespace plotara
