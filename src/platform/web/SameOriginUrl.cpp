// Cutting an address down to the path and query a same-origin request needs.
#include "platform/web/SameOriginUrl.h"

#include "platform/EqualsNoCase.h"

namespace brinecast {

std::optional<std::string> SameOriginTarget(std::string_view url) {
  std::string_view rest;
  if (url.starts_with("/") && !url.starts_with("//")) {
    rest = url;
  } else {
    const size_t colon = url.find("://");
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view scheme = url.substr(0, colon);
    if (!EqualsNoCase(scheme, "http") && !EqualsNoCase(scheme, "https")) return std::nullopt;
    const std::string_view afterScheme = url.substr(colon + 3);
    const size_t pathStart = afterScheme.find_first_of("/?#");
    rest = pathStart == std::string_view::npos ? std::string_view() : afterScheme.substr(pathStart);
  }
  // The fragment never goes to a server.
  rest = rest.substr(0, rest.find('#'));
  std::string target(rest);
  if (target.empty() || target.front() != '/') target.insert(target.begin(), '/');
  return target;
}

}  // namespace brinecast
