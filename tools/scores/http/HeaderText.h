// Reading header values: spaces around a value, and comma-separated lists of items.
#pragma once

#include <string_view>

namespace brinecast::scores {

// `text` without the spaces and tabs around it.
std::string_view TrimSpaces(std::string_view text);

// Calls `each` with every item of a comma-separated list, trimmed, empty ones left out.
template <typename Each>
void ForEachItem(std::string_view list, Each each) {
  while (!list.empty()) {
    const size_t comma = list.find(',');
    const std::string_view item = TrimSpaces(list.substr(0, comma));
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    if (!item.empty()) each(item);
  }
}

}  // namespace brinecast::scores
