// A throw-away PostgreSQL cluster for the tests: initdb into a scratch folder and a server listening on a
// Unix socket in that folder only, stopped and removed at the end. PostgreSQL refuses to run as root, so
// under root the cluster belongs to user nobody and its programs run as nobody.
#pragma once

#include <libpq-fe.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace plotara::test {

class PostgresServer {
 public:
  PostgresServer() {
    const std::string bin = "/usr/lib/postgresql/15/bin/";
    if (!std::filesystem::exists(bin + "pg_ctl")) {
      why_ = "postgresql-15 is not installed (" + bin + "pg_ctl)";
      return;
    }
    char folder[] = "/tmp/plotara-pg-XXXXXX";
    if (!mkdtemp(folder)) {
      why_ = "no scratch folder";
      return;
    }
    dir_ = folder;
    if (geteuid() == 0) {
      const passwd* nobody = getpwnam("nobody");
      if (!nobody || chown(dir_.c_str(), nobody->pw_uid, nobody->pw_gid) != 0) {
        why_ = "running as root, and user nobody cannot own " + dir_;
        return;
      }
      as_ = "setpriv --reuid=" + std::to_string(nobody->pw_uid) +
            " --regid=" + std::to_string(nobody->pw_gid) + " --clear-groups ";
    }
    pgCtl_ = as_ + bin + "pg_ctl -D " + dir_ + "/data ";
    if (Run(as_ + bin + "initdb -D " + dir_ + "/data -U plotara -A trust --no-sync -E UTF8 >" + dir_ +
            "/initdb.log 2>&1") != 0) {
      why_ = "initdb failed (" + dir_ + "/initdb.log)";
      return;
    }
    Start();
  }
  ~PostgresServer() {
    if (!dir_.empty()) {
      Stop();
      std::filesystem::remove_all(dir_);
    }
  }
  // Empty when the server runs; else why it does not.
  const std::string& Why() const { return why_; }
  std::string Connection() const { return "postgresql:host=" + dir_ + " dbname=postgres user=plotara"; }

  void Start() {
    if (Run(pgCtl_ + "-w -l " + dir_ + "/server.log -o \"-k " + dir_ +
            " -c listen_addresses='' -F\" start >/dev/null") != 0)
      why_ = "the server did not start (" + dir_ + "/server.log)";
  }
  void Stop() { Run(pgCtl_ + "-m immediate -w stop >/dev/null 2>&1"); }

  // Runs statements; false with the server's message in error when they fail.
  bool Exec(const std::string& sql, std::string* error = nullptr) {
    PGconn* c = PQconnectdb(Connection().substr(11).c_str());
    PGresult* r = PQexec(c, sql.c_str());
    const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK || PQresultStatus(r) == PGRES_TUPLES_OK;
    if (!ok && error) *error = PQerrorMessage(c);
    PQclear(r);
    PQfinish(c);
    return ok;
  }
  // Loads text in COPY format (tab-separated columns, a row a line) into a table.
  bool Copy(const std::string& table, const std::string& text) {
    PGconn* c = PQconnectdb(Connection().substr(11).c_str());
    PGresult* r = PQexec(c, ("COPY " + table + " FROM STDIN").c_str());
    bool ok = PQresultStatus(r) == PGRES_COPY_IN;
    PQclear(r);
    ok = ok && PQputCopyData(c, text.data(), static_cast<int>(text.size())) == 1 &&
         PQputCopyEnd(c, nullptr) == 1;
    r = PQgetResult(c);
    ok = ok && PQresultStatus(r) == PGRES_COMMAND_OK;
    PQclear(r);
    PQfinish(c);
    return ok;
  }

 private:
  static int Run(const std::string& command) { return std::system(command.c_str()); }
  std::string dir_, as_, pgCtl_, why_;
};

}  // namespace plotara::test
