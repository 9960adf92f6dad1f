// What the server answers to one HTTP request, apart from how it goes on the wire.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brinecast::scores {

// Header names compare without regard to case.
bool SameHeaderName(std::string_view a, std::string_view b);

struct Reply {
  int status = 200;
  std::string body;
  std::string contentType = "text/plain; charset=utf-8";
  std::vector<std::pair<std::string, std::string>> headers{};  // more, such as Allow
  // The body instead of `body` when set: a file kept in memory, sent without a copy.
  std::shared_ptr<const std::string> file{};

  // The value of a header added above; nothing when it is not there.
  const std::string* Header(std::string_view name) const;
  const std::string& Body() const { return file ? *file : body; }
};

}  // namespace brinecast::scores
