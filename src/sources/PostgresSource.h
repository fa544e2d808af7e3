// A data source on a PostgreSQL server, reached by a connection string ("postgresql://user@host/db" or
// "host=... dbname=..."). A connection that breaks is made again once for the next question.
#pragma once

#include <string>

#include "sources/SqlSource.h"

struct pg_conn;
struct pg_result;

namespace plotara {

class PostgresSource : public SqlSource {
 public:
  // Connects and chooses the columns; raises DataSourceError. Messages name the server by the
  // connection string without its password.
  PostgresSource(const std::string& connection, const RowSpec& spec);
  ~PostgresSource() override;

 protected:
  void Execute(const SqlStatement& statement, const RowSink& row) override;
  std::vector<SqlColumn> Describe(const std::string& text) override;
  bool PlanUsesIndex(const SqlStatement& statement) override;

 private:
  std::string ServerMessage() const;
  // Runs a statement and returns its rows (the caller clears them); raises DataSourceError.
  pg_result* Run(const SqlStatement& statement);
  void Reconnect();
  void Settle();  // the session's settings for the fold
  pg_conn* conn_ = nullptr;
};

// The connection string with its password left out, for messages.
std::string WithoutPassword(const std::string& connection);

}  // namespace plotara
