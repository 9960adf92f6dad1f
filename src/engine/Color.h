#pragma once

#include <cstdint>
#include <optional>

namespace brinecast {

// The game's colours are 0x00BBGGRR; system colours are 0xFF000000 + index.
inline constexpr uint32_t kColorNone = 0x1FFFFFFF;
inline constexpr uint32_t kSystemColorFlag = 0xFF000000;

// 0x00BBGGRR (or a system colour, resolved against a fixed desktop scheme) to the
// 0x00RRGGBB layout of an ARGB8888 surface. "No colour" has no RGB value.
std::optional<uint32_t> ColorToRgb(uint32_t color);

}  // namespace brinecast
