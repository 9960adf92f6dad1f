// Client addresses as the limits see them: text for logs and the table, one key per IPv4
// address or IPv6 /64, and the address a trusted proxy forwards.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct sockaddr;

namespace brinecast::scores {

// Numeric text of an IPv4 or IPv6 socket address; IPv4 mapped into IPv6 comes out as IPv4.
std::string AddressText(const sockaddr* address);

// What a limit counts against: the IPv4 address itself, or the /64 an IPv6 address lies in
// (one host is usually given a whole /64). Text that is no address is its own key.
std::string LimitKey(const std::string& address);

// The client a proxy names last in X-Forwarded-For, when that is a plain address.
std::optional<std::string> ForwardedClient(std::string_view header);

}  // namespace brinecast::scores
