// Turning the game's web addresses into requests to the server that served the page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brinecast {

// The path and query of an http or https address ("http://host:8765/a?b#c" gives "/a?b"), so
// the browser asks the page's own server whatever host the game put in the address. A path
// that is already absolute ("/a") stays; any other scheme, or none, gives nullopt.
std::optional<std::string> SameOriginTarget(std::string_view url);

}  // namespace brinecast
