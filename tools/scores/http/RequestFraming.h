// Where a request's body ends, judged from its headers before a byte of it is read. A request
// whose end two readers could place differently is refused, so no second request can hide in
// its body for whoever reads it the other way.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "scores/http/HttpReply.h"

namespace brinecast::scores {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

// The refusal a request's framing earns (400, or 501 for a transfer coding the server does not
// know), or nothing when its length is plain. `version` is the request line's, "HTTP/1.1".
std::optional<Reply> FramingFault(const HeaderList& headers, std::string_view version);

}  // namespace brinecast::scores
