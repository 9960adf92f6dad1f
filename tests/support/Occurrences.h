// How often a text holds a part: log lines, rows of a page.
#pragma once

#include <cstddef>
#include <string>

namespace brinecast::testing {

// Overlapping ones count too.
inline size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

}  // namespace brinecast::testing
