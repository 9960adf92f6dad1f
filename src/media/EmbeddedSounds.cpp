#include "media/EmbeddedSounds.h"

#include <algorithm>
#include <cctype>

#include "media/EmbeddedSoundTable.h"

namespace brinecast {

namespace {
bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}
}  // namespace

std::span<const uint8_t> EmbeddedWave(std::string_view name) {
  for (size_t i = 0; i < kEmbeddedWaveCount; ++i) {
    if (SameIgnoringCase(kEmbeddedWaves[i].name, name)) {
      return {kEmbeddedWaves[i].data, kEmbeddedWaves[i].size};
    }
  }
  return {};
}

}  // namespace brinecast
