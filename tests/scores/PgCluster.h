// A throw-away PostgreSQL server in a temporary folder, reached through its socket there.
// As root the server runs as the postgres user, since initdb refuses root.
#pragma once

#include <libpq-fe.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TempDir.h"

namespace brinecast::testing {

class PgCluster {
 public:
  // The folder of initdb and pg_ctl, or empty when PostgreSQL is not installed.
  static std::filesystem::path FindBinaries() {
    std::filesystem::path best;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", error)) {
      if (std::filesystem::exists(entry.path() / "bin" / "initdb") &&
          (best.empty() || entry.path().filename().string() > best.filename().string())) {
        best = entry.path();
      }
    }
    return best.empty() ? best : best / "bin";
  }

  explicit PgCluster(const std::filesystem::path& bin) : bin_(bin) {
    const std::string dir = folder_.path().string();
    // Only a socket in our own folder listens, so no port can clash with anyone.
    port_ = 5432;
    std::string as = "";
    if (geteuid() == 0) {
      if (!Run("chown postgres '" + dir + "'")) return;
      as = "runuser -u postgres -- ";
    }
    if (!Run(as + "'" + (bin / "initdb").string() + "' -N -D '" + dir +
             "/data' -A trust -U brinecast")) {
      return;
    }
    started_ = Run(as + "'" + (bin / "pg_ctl").string() + "' -D '" + dir + "/data' -o \"-p " +
                   std::to_string(port_) + " -k " + dir +
                   " -c listen_addresses='' -c fsync=off\" -l '" + dir + "/log' -w start");
    stopCommand_ = as + "'" + (bin / "pg_ctl").string() + "' -D '" + dir + "/data' -m fast -w stop";
  }
  ~PgCluster() {
    if (started_) Run(stopCommand_);
  }
  PgCluster(const PgCluster&) = delete;
  PgCluster& operator=(const PgCluster&) = delete;

  bool started() const { return started_; }

  // The server's processes: the postmaster and its children, read from /proc.
  std::vector<pid_t> Processes() const {
    std::vector<pid_t> pids;
    std::ifstream pidFile(folder_.path() / "data" / "postmaster.pid");
    pid_t postmaster = 0;
    if (!(pidFile >> postmaster) || postmaster <= 0) return pids;
    pids.push_back(postmaster);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
      std::ifstream stat(entry.path() / "stat");
      std::string line;
      if (!std::getline(stat, line)) continue;
      // "pid (name) state ppid ...": the name may hold spaces, so read after its ')'.
      const size_t close = line.rfind(')');
      if (close == std::string::npos) continue;
      std::istringstream rest(line.substr(close + 1));
      std::string state;
      pid_t parent = 0;
      if (rest >> state >> parent && parent == postmaster) {
        pids.push_back(static_cast<pid_t>(std::stol(entry.path().filename().string())));
      }
    }
    return pids;
  }
  std::string Uri(const std::string& database = "postgres") const {
    return "postgresql://brinecast@/" + database + "?host=" + folder_.path().string() +
           "&port=" + std::to_string(port_);
  }
  bool CreateDatabase(const std::string& name) const {
    PGconn* admin = PQconnectdb(Uri().c_str());
    bool created = false;
    if (PQstatus(admin) == CONNECTION_OK) {
      PGresult* result = PQexec(admin, ("CREATE DATABASE " + name).c_str());
      created = PQresultStatus(result) == PGRES_COMMAND_OK;
      PQclear(result);
    }
    PQfinish(admin);
    return created;
  }

 private:
  static bool Run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
  }
  TempDir folder_;
  std::filesystem::path bin_;
  int port_ = 0;
  bool started_ = false;
  std::string stopCommand_;
};

}  // namespace brinecast::testing
