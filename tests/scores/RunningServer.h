// The score server on a free loopback port with a SQLite file of its own, for tests.
#pragma once

#include <httplib.h>

#include <chrono>
#include <string>
#include <thread>

#include "TempDir.h"
#include "scores/ScoreHttp.h"
#include "scores/SqliteStore.h"

namespace brinecast::testing {

class RunningServer {
 public:
  explicit RunningServer(scores::ServiceLimits limits = {})
      : store_((folder_.path() / "scores.db").string()), service_(store_, limits, [] {
          return std::chrono::duration_cast<std::chrono::seconds>(
                     std::chrono::system_clock::now().time_since_epoch())
              .count();
        }) {
    scores::ConfigureServer(server_);
    scores::InstallRoutes(server_, service_);
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ > 0) thread_ = std::thread([this] { server_.listen_after_bind(); });
  }
  ~RunningServer() {
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }

  int port() const { return port_; }
  std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }
  scores::ScoreStore& store() { return store_; }

 private:
  TempDir folder_;
  scores::SqliteStore store_;
  scores::ScoreService service_;
  httplib::Server server_;
  std::thread thread_;
  int port_ = -1;
};

}  // namespace brinecast::testing
