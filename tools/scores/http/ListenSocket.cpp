// Numeric addresses only: a name would hide which address is listened on.
#include "scores/http/ListenSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace brinecast::scores {

int OpenListener(const std::string& bind, int port, std::string& error) {
  sockaddr_storage address{};
  socklen_t size = 0;
  auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
  auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
  if (inet_pton(AF_INET, bind.c_str(), &v4->sin_addr) == 1) {
    v4->sin_family = AF_INET;
    v4->sin_port = htons(static_cast<uint16_t>(port));
    size = sizeof *v4;
  } else if (inet_pton(AF_INET6, bind.c_str(), &v6->sin6_addr) == 1) {
    v6->sin6_family = AF_INET6;
    v6->sin6_port = htons(static_cast<uint16_t>(port));
    size = sizeof *v6;
  } else {
    error = "--bind needs a numeric IPv4 or IPv6 address, not '" + bind + "'";
    return -1;
  }
  const int fd = socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    error = std::string("cannot make a socket: ") + std::strerror(errno);
    return -1;
  }
  // Restarting over connections still closing is fine; sharing the port with a live server
  // (SO_REUSEPORT) is not.
  const int on = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  // A long queue of connections waiting to be taken, so a burst of them is not refused (the
  // kernel cuts it to net.core.somaxconn).
  constexpr int kWaitingConnections = 4096;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
      listen(fd, kWaitingConnections) != 0) {
    const int code = errno;
    close(fd);
    error = "cannot listen on " + ServerUrl(bind, port) + ": " + std::strerror(code);
    if (code == EADDRINUSE) error += " (is another brinecast-scores or other server running?)";
    return -1;
  }
  return fd;
}

int BoundPort(int socket) {
  sockaddr_storage address{};
  socklen_t size = sizeof address;
  if (getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size) != 0) return -1;
  if (address.ss_family == AF_INET) {
    return ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port);
  }
  return ntohs(reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
}

std::string ServerUrl(const std::string& bind, int port) {
  const bool v6 = bind.find(':') != std::string::npos;
  return "http://" + (v6 ? "[" + bind + "]" : bind) + ":" + std::to_string(port) + "/";
}

}  // namespace brinecast::scores
