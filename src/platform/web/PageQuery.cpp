// Splitting the page's query into its names and numbers.
#include "platform/web/PageQuery.h"

#include <charconv>

namespace brinecast {

namespace {

std::optional<uint64_t> Number(std::string_view text) {
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

PageQuery ParsePageQuery(std::string_view search) {
  PageQuery query;
  if (search.starts_with("?")) search.remove_prefix(1);
  while (!search.empty() && query.problem.empty()) {
    const size_t amp = search.find('&');
    const std::string_view pair = search.substr(0, amp);
    search = amp == std::string_view::npos ? std::string_view() : search.substr(amp + 1);
    const size_t eq = pair.find('=');
    const std::string_view name = pair.substr(0, eq);
    const std::string_view value =
        eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1);
    if (name != "seed" && name != "replay") continue;
    const std::optional<uint64_t> number = Number(value);
    if (!number || (name == "replay" && *number == 0)) {
      query.problem = "The address asks for " + std::string(name) + "=" + std::string(value) +
                      ", which is not a " +
                      (name == "seed" ? "whole number." : "recording number.");
    } else if (name == "seed") {
      query.seed = number;
    } else {
      query.replay = number;
    }
  }
  if (query.problem.empty() && query.seed && query.replay) {
    query.problem = "A replay brings its own sea: the address cannot ask for a seed as well.";
  }
  if (!query.problem.empty()) {
    query.seed.reset();
    query.replay.reset();
  }
  return query;
}

}  // namespace brinecast
