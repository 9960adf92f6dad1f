// Header names compare without regard to case, as HTTP has them.
#include "scores/http/HttpReply.h"

#include <strings.h>

#include "scores/http/HeaderText.h"

namespace brinecast::scores {

bool SameHeaderName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

const std::string* Reply::Header(std::string_view name) const {
  for (const auto& [key, value] : headers) {
    if (SameHeaderName(key, name)) return &value;
  }
  return nullptr;
}

}  // namespace brinecast::scores
