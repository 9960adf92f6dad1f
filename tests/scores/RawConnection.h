// A plain TCP connection to a test server, from a chosen loopback address, for requests no
// HTTP client would send: trickled, oversized, pipelined.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace brinecast::testing {

class RawConnection {
 public:
  // `from` is any 127.x.y.z address; all of 127/8 reaches loopback.
  RawConnection(int port, const std::string& from = "127.0.0.1") {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    inet_pton(AF_INET, from.c_str(), &local.sin_addr);
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, "127.0.0.1", &remote.sin_addr);
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        connect(fd_, reinterpret_cast<sockaddr*>(&remote), sizeof remote) != 0) {
      Close();
    }
  }
  ~RawConnection() { Close(); }
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;

  bool connected() const { return fd_ >= 0; }

  // False once the server has closed its side or reset the connection.
  bool Send(const std::string& bytes) {
    size_t sent = 0;
    while (fd_ >= 0 && sent < bytes.size()) {
      const ssize_t n = send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return false;
      sent += static_cast<size_t>(n);
    }
    return fd_ >= 0;
  }

  // What arrives until the server closes, `count` replies have begun, or `wait` passes.
  std::string Receive(std::chrono::milliseconds wait, int count = 1 << 30) {
    std::string got;
    const auto end = std::chrono::steady_clock::now() + wait;
    while (fd_ >= 0 && Replies(got) < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          end - std::chrono::steady_clock::now());
      pollfd watch{fd_, POLLIN, 0};
      if (left.count() <= 0 || poll(&watch, 1, static_cast<int>(left.count())) <= 0) break;
      char buffer[65536];
      const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
      if (n <= 0) {
        closedByServer_ = true;
        break;
      }
      got.append(buffer, static_cast<size_t>(n));
    }
    return got;
  }

  // True when the server has closed: nothing more to read and the end seen.
  bool ClosedByServer() {
    if (closedByServer_) return true;
    char byte;
    const ssize_t n = recv(fd_, &byte, 1, MSG_DONTWAIT | MSG_PEEK);
    closedByServer_ = n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
    return closedByServer_;
  }

  // How many status lines `text` holds.
  static int Replies(const std::string& text) {
    int count = 0;
    for (size_t at = text.find("HTTP/1.1 "); at != std::string::npos;
         at = text.find("HTTP/1.1 ", at + 1)) {
      ++count;
    }
    return count;
  }

  // The status of each reply `text` holds, in order.
  static std::vector<int> Statuses(const std::string& text) {
    std::vector<int> statuses;
    for (size_t at = text.find("HTTP/1.1 "); at != std::string::npos;
         at = text.find("HTTP/1.1 ", at + 1)) {
      statuses.push_back(at + 12 <= text.size() ? std::atoi(text.substr(at + 9, 3).c_str()) : 0);
    }
    return statuses;
  }

 private:
  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }
  int fd_ = -1;
  bool closedByServer_ = false;
};

}  // namespace brinecast::testing
