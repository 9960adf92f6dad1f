// Many clients holding slow connections to a test server: each connection trickles its
// request's headers a byte at a time and is opened again as soon as the server cuts it.
// Runs on a thread of its own until destroyed.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace brinecast::testing {

class SlowCrowd {
 public:
  // `addresses` clients, 127.20.x.y, each with `each` connections to `port`.
  SlowCrowd(int port, int addresses, int each) : port_(port) {
    for (int a = 0; a < addresses; ++a) {
      const std::string from =
          "127.20." + std::to_string(a / 200) + "." + std::to_string(a % 200 + 1);
      for (int i = 0; i < each; ++i) slots_.push_back({from});
    }
    thread_ = std::thread([this] { Run(); });
  }
  ~SlowCrowd() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
    for (Slot& slot : slots_) Close(slot);
  }
  SlowCrowd(const SlowCrowd&) = delete;
  SlowCrowd& operator=(const SlowCrowd&) = delete;

  // Connections that have sent their first bytes and are not cut yet.
  int Holding() const { return holding_.load(); }
  // Connections the server has cut so far.
  int Cut() const { return cut_.load(); }
  int Rounds() const { return rounds_.load(); }

 private:
  struct Slot {
    std::string from;
    int fd = -1;
    size_t sent = 0;
  };
  static constexpr const char* kHead =
      "GET /cgi/version.pl?version&prg=Brinecast HTTP/1.1\r\nHost: t\r\nX-Slow: ";

  void Open(Slot& slot) {
    slot.fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    slot.sent = 0;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, slot.from.c_str(), &local.sin_addr);
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(static_cast<uint16_t>(port_));
    inet_pton(AF_INET, "127.0.0.1", &remote.sin_addr);
    if (slot.fd < 0 || bind(slot.fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        (connect(slot.fd, reinterpret_cast<sockaddr*>(&remote), sizeof remote) != 0 &&
         errno != EINPROGRESS)) {
      Close(slot);
    }
  }
  void Close(Slot& slot) {
    if (slot.fd >= 0) close(slot.fd);
    slot.fd = -1;
  }
  // One byte more (the whole head first); false once the server has cut the connection.
  bool Trickle(Slot& slot) {
    char sink[4096];
    const ssize_t got = recv(slot.fd, sink, sizeof sink, MSG_DONTWAIT);
    if (got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != ENOTCONN)) {
      return false;
    }
    const std::string bytes = slot.sent == 0 ? std::string(kHead) : std::string("a");
    const ssize_t n = send(slot.fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) slot.sent += static_cast<size_t>(n);
    return n > 0 || errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOTCONN;
  }
  void Run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
      int holding = 0;
      for (Slot& slot : slots_) {
        if (slot.fd >= 0 && !Trickle(slot)) {
          Close(slot);
          ++cut_;
        }
        if (slot.fd < 0) Open(slot);
        if (slot.fd >= 0 && slot.sent > 0) ++holding;
      }
      holding_ = holding;
      ++rounds_;
      wake_.wait_for(lock, std::chrono::milliseconds(500), [this] { return stopping_; });
    }
  }

  const int port_;
  std::vector<Slot> slots_;
  std::atomic<int> holding_{0};
  std::atomic<int> cut_{0};
  std::atomic<int> rounds_{0};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace brinecast::testing
