// A tiny HTTP server on 127.0.0.1 for tests, running on its own thread for its lifetime.
#pragma once

#include <httplib.h>

#include <chrono>
#include <string>
#include <thread>

namespace brinecast::testing {

class LoopbackServer {
 public:
  // Routes are set on server() before Start().
  httplib::Server& server() { return server_; }

  // Binds a free port (already accepting into the backlog) and serves on a thread.
  int Start() {
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) return port_;
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // stop() before the loop runs would be lost and the join below would never end.
    for (int waited = 0; !server_.is_running() && waited < 5000; ++waited) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return port_;
  }
  ~LoopbackServer() {
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }

  int port() const { return port_; }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

 private:
  httplib::Server server_;
  std::thread thread_;
  int port_ = -1;
};

}  // namespace brinecast::testing
