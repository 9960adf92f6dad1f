// The score server on a free loopback port with a SQLite file of its own, for tests.
#pragma once

#include <chrono>
#include <string>

#include "TempDir.h"
#include "net/LoopbackServer.h"
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
    scores::ConfigureServer(loop_.server());
    scores::InstallRoutes(loop_.server(), service_);
    loop_.Start();
  }

  int port() const { return loop_.port(); }
  std::string Host() const { return "127.0.0.1:" + std::to_string(loop_.port()); }
  scores::ScoreStore& store() { return store_; }

 private:
  TempDir folder_;
  scores::SqliteStore store_;
  scores::ScoreService service_;
  LoopbackServer loop_;  // last: stops before the service it calls goes
};

}  // namespace brinecast::testing
