// What the page's address asks of the game: ?seed=N plays that sea, ?replay=ID watches a
// proven run from the score server.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brinecast {

struct PageQuery {
  std::optional<uint64_t> seed;
  std::optional<uint64_t> replay;  // the recording's number on the server
  std::string problem;             // why the address cannot be followed; empty when it can
};

// Reads location.search ("?seed=5&x=y", with or without the "?"). Other names are left alone;
// a value that is not a whole number, or both asked at once, is a problem.
PageQuery ParsePageQuery(std::string_view search);

}  // namespace brinecast
