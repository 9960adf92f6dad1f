// The game's one comparison of names without regard to case (ASCII letters only, as image,
// sound and property names are matched), kept in the lowest layer so every layer shares it.
#pragma once

#include <string_view>

namespace brinecast {

constexpr char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

}  // namespace brinecast
