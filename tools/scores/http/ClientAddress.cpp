// Address text and keys through inet_pton/inet_ntop, so every spelling of one address agrees.
#include "scores/http/ClientAddress.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>

#include "scores/http/HeaderText.h"

namespace brinecast::scores {

namespace {

std::string Ipv4Text(const void* bytes) {
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, bytes, text, sizeof text);
  return text;
}

std::string Ipv6Text(const in6_addr& address) {
  if (IN6_IS_ADDR_V4MAPPED(&address)) return Ipv4Text(address.s6_addr + 12);
  char text[INET6_ADDRSTRLEN] = {};
  inet_ntop(AF_INET6, &address, text, sizeof text);
  return text;
}

}  // namespace

std::string AddressText(const sockaddr* address) {
  if (!address) return "-";
  if (address->sa_family == AF_INET) {
    return Ipv4Text(&reinterpret_cast<const sockaddr_in*>(address)->sin_addr);
  }
  if (address->sa_family == AF_INET6) {
    return Ipv6Text(reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr);
  }
  return "-";
}

std::string LimitKey(const std::string& address) {
  in_addr v4{};
  if (inet_pton(AF_INET, address.c_str(), &v4) == 1) return Ipv4Text(&v4);
  in6_addr v6{};
  if (inet_pton(AF_INET6, address.c_str(), &v6) != 1) return address;
  if (IN6_IS_ADDR_V4MAPPED(&v6)) return Ipv4Text(v6.s6_addr + 12);
  std::memset(v6.s6_addr + 8, 0, 8);
  return Ipv6Text(v6) + "/64";
}

std::optional<std::string> ForwardedClient(std::string_view header) {
  const size_t comma = header.rfind(',');
  const std::string last(
      TrimSpaces(comma == std::string_view::npos ? header : header.substr(comma + 1)));
  in_addr v4{};
  in6_addr v6{};
  if (inet_pton(AF_INET, last.c_str(), &v4) == 1) return Ipv4Text(&v4);
  if (inet_pton(AF_INET6, last.c_str(), &v6) == 1) return Ipv6Text(v6);
  return std::nullopt;
}

}  // namespace brinecast::scores
