// The score server on a free loopback port with a SQLite file of its own, for tests.
#pragma once

#include <chrono>
#include <string>

#include "scores/http/HttpServer.h"
#include "scores/http/ListenSocket.h"
#include "scores/service/ScoreHttp.h"
#include "scores/store/SqliteStore.h"
#include "support/ScratchFolder.h"

namespace brinecast::testing {

// Tests read their own output; the request log would drown it.
inline scores::HttpOptions QuietHttp() {
  scores::HttpOptions options;
  options.logRequests = false;
  return options;
}

class RunningServer {
 public:
  explicit RunningServer(scores::ServiceLimits limits = {}, scores::HttpOptions http = QuietHttp())
      : store_((folder_.Path() / "scores.db").string()),
        service_(store_, limits,
                 [] {
                   return std::chrono::duration_cast<std::chrono::seconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                       .count();
                 }),
        router_(service_),
        server_(router_, http) {
    std::string error;
    const int listener = scores::OpenListener("127.0.0.1", 0, error);
    if (listener >= 0 && server_.Start(listener, error)) port_ = scores::BoundPort(listener);
  }

  int port() const { return port_; }
  std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }
  scores::ScoreStore& store() { return store_; }
  scores::ScoreService& service() { return service_; }

 private:
  ScratchFolder folder_;
  scores::SqliteStore store_;
  scores::ScoreService service_;
  scores::ScoreRouter router_;
  scores::HttpServer server_;  // last: stops before the service it calls goes
  int port_ = -1;
};

}  // namespace brinecast::testing
