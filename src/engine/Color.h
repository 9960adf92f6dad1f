// The game's colour values: the "no colour" and system-colour marks, the swap between its
// 0x00BBGGRR layout and the surfaces' 0x00RRGGBB, and resolving a colour to RGB.
#pragma once

#include <cstdint>
#include <optional>

namespace brinecast {

// The game's colours are 0x00BBGGRR; system colours are 0xFF000000 + index.
inline constexpr uint32_t kColorNone = 0x1FFFFFFF;
inline constexpr uint32_t kSystemColorFlag = 0xFF000000;

// 0x00BBGGRR and 0x00RRGGBB into each other; what lies above the low 24 bits is dropped.
constexpr uint32_t SwapRedBlue(uint32_t c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// 0x00BBGGRR (or a system colour, resolved against a fixed desktop scheme) to the
// 0x00RRGGBB layout of an ARGB8888 surface. "No colour" has no RGB value.
std::optional<uint32_t> ColorToRgb(uint32_t color);

}  // namespace brinecast
