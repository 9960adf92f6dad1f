// Resolving the game's colours to RGB, system colours against a fixed desktop scheme.
#include "engine/Color.h"

#include <array>

namespace brinecast {

namespace {

// A plain grey desktop scheme, 0x00RRGGBB, by system colour index. There is no
// desktop to ask, so the game always sees these.
constexpr std::array<uint32_t, 31> kSystemColors = {
    0xC8C8C8,  // scroll bar
    0x2F5F8F,  // background
    0x1C3C78,  // active caption
    0x7C7C7C,  // inactive caption
    0xD0D0D0,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xD0D0D0,  // active border
    0xD0D0D0,  // inactive border
    0x808080,  // application work space
    0x1C3C78,  // highlight
    0xFFFFFF,  // highlight text
    0xD0D0D0,  // button face
    0x808080,  // button shadow
    0x808080,  // grey text
    0x000000,  // button text
    0xD0D0D0,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x404040,  // 3D dark shadow
    0xE0E0E0,  // 3D light
    0x000000,  // info text
    0xFFFFE0,  // info background
    0xB0B0B0,  // (unused index)
    0x0050C0,  // hot light
    0x9CC0E8,  // gradient active caption
    0xC0C0C0,  // gradient inactive caption
    0x3068C8,  // menu highlight
    0xD0D0D0,  // menu bar
};

}  // namespace

std::optional<uint32_t> ColorToRgb(uint32_t color) {
  if (color == kColorNone) return std::nullopt;
  if ((color & kSystemColorFlag) == kSystemColorFlag) {
    uint32_t index = color & 0xFF;
    return index < kSystemColors.size() ? kSystemColors[index] : 0;
  }
  return SwapRedBlue(color & 0xFFFFFF);
}

}  // namespace brinecast
