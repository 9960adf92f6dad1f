// Finding a built-in sound effect's WAV file by its name.
#include "media/EmbeddedSounds.h"

#include "media/EmbeddedSoundTable.h"
#include "platform/EqualsNoCase.h"

namespace brinecast {

std::span<const uint8_t> EmbeddedWave(std::string_view name) {
  for (size_t i = 0; i < kEmbeddedWaveCount; ++i) {
    if (EqualsNoCase(kEmbeddedWaves[i].name, name)) {
      return {kEmbeddedWaves[i].data, kEmbeddedWaves[i].size};
    }
  }
  return {};
}

}  // namespace brinecast
