// Score servers sharing one throw-away PostgreSQL database, each a real brinecast-scores
// process on a port of its own, trusting loopback to name the client, for tests of what
// they do as one. Every process is ended by its pid when the cluster goes.
#pragma once

#include <signal.h>

#include <memory>
#include <string>
#include <vector>

#include "PgCluster.h"
#include "RecordingClient.h"
#include "ServerProcess.h"
#include "WaitFor.h"

namespace brinecast::testing {

class ServerCluster {
 public:
  ServerCluster() {
    const auto bin = PgCluster::FindBinaries();
    if (bin.empty()) return;
    postgres_ = std::make_unique<PgCluster>(bin);
    if (postgres_->started() && postgres_->CreateDatabase("cluster"))
      db_ = postgres_->Uri("cluster");
  }
  ~ServerCluster() {
    for (auto& process : processes_) {
      process->Signal(SIGTERM);
      if (!process->Exited(std::chrono::seconds(10))) process->Signal(SIGKILL);
    }
  }
  ServerCluster(const ServerCluster&) = delete;
  ServerCluster& operator=(const ServerCluster&) = delete;

  // Empty when PostgreSQL is not installed.
  const std::string& db() const { return db_; }

  // A server on a free port, with `extra` options; its port, or -1 when it did not start.
  int AddServer(const std::vector<std::string>& extra) {
    const int port = FreeLoopbackPort();
    std::vector<std::string> args = {"--port", std::to_string(port), "--db",
                                     db_,      "--trusted-proxy",    "127.0.0.1"};
    args.insert(args.end(), extra.begin(), extra.end());
    processes_.push_back(std::make_unique<ServerProcess>(args));
    if (!processes_.back()->WaitListening()) return -1;
    return port;
  }
  // A verifier alone; false when it did not start.
  bool AddVerifier(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args = {"verify", "--db", db_, "--game-data", BRINECAST_APPDIR};
    args.insert(args.end(), extra.begin(), extra.end());
    processes_.push_back(std::make_unique<ServerProcess>(args));
    ServerProcess& verifier = *processes_.back();
    return WaitFor([&] { return verifier.Out().find("verifying recordings") != std::string::npos; },
                   std::chrono::seconds(10));
  }
  // The processes in the order they were added, servers and verifiers alike.
  ServerProcess& Process(size_t i) { return *processes_[i]; }
  size_t Count() const { return processes_.size(); }

  // The health check's count of one kind ("Servers", "Verifiers"), -1 without an answer.
  static int Live(int port, const std::string& kind) {
    const RawReply health = Send(port, "GET", "/health");
    const std::string header = "\r\nBrinecast-" + kind + ": ";
    const size_t at = health.text.find(header);
    if (health.status != 200 || at == std::string::npos) return -1;
    return std::stoi(health.text.substr(at + header.size()));
  }
  // Whether the server at `port` counts `servers` and `verifiers` live within `wait`.
  static bool Counts(int port, int servers, int verifiers, std::chrono::milliseconds wait) {
    return WaitFor(
        [&] { return Live(port, "Servers") == servers && Live(port, "Verifiers") == verifiers; },
        wait);
  }

 private:
  std::unique_ptr<PgCluster> postgres_;
  std::string db_;
  std::vector<std::unique_ptr<ServerProcess>> processes_;
};

}  // namespace brinecast::testing
