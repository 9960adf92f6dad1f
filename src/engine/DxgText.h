#pragma once

#include <string_view>

namespace brinecast {

// ASCII comparison without regard to case: how the archive's property, class and
// colour names are matched.
inline bool DxgSameText(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

}  // namespace brinecast
