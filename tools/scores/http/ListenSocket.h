// The server's listening socket, opened by hand so a taken port is an error (no port
// sharing) and its message says what to do.
#pragma once

#include <string>

namespace brinecast::scores {

// A listening TCP socket on `bind`:`port` (port 0 picks a free one), or -1 with `error`.
int OpenListener(const std::string& bind, int port, std::string& error);

// The port a socket is bound to, or -1.
int BoundPort(int socket);

// "http://127.0.0.1:8765/", with brackets around an IPv6 address.
std::string ServerUrl(const std::string& bind, int port);

}  // namespace brinecast::scores
