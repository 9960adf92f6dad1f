// Requests with chosen headers on a plain connection, and the headers of what comes back,
// for tests of what the server sends browsers.
#pragma once

#include <strings.h>

#include <optional>
#include <string>
#include <string_view>

#include "RecordingClient.h"

namespace brinecast::testing {

// One GET or HEAD on its own connection; `headers` are whole lines, each ending in \r\n.
inline RawReply Fetch(int port, const std::string& target, const std::string& headers = "",
                      const std::string& method = "GET") {
  RawConnection c(port);
  c.Send(method + " " + target + " HTTP/1.1\r\nHost: t\r\nConnection: close\r\n" + headers +
         "\r\n");
  return ReadReply(c);
}

// The value of a reply header, its name matched without regard to case; nothing when absent.
inline std::optional<std::string> HeaderOf(const RawReply& reply, std::string_view name) {
  const size_t end = reply.text.find("\r\n\r\n");
  size_t at = reply.text.find("\r\n");
  while (at != std::string::npos && at < end) {
    const size_t next = reply.text.find("\r\n", at + 2);
    const std::string line = reply.text.substr(at + 2, next - at - 2);
    const size_t colon = line.find(':');
    if (colon == name.size() && strncasecmp(line.data(), name.data(), name.size()) == 0) {
      const size_t value = line.find_first_not_of(' ', colon + 1);
      return value == std::string::npos ? std::string() : line.substr(value);
    }
    at = next;
  }
  return std::nullopt;
}

}  // namespace brinecast::testing
