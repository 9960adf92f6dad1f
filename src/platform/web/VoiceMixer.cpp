// Mixing the effects' voices over the music, each voice stepped through its sound at the ratio
// of the two rates and read between samples by straight-line interpolation.
#include "platform/web/VoiceMixer.h"

#include <algorithm>
#include <cmath>

namespace brinecast {

int VoiceMixer::AddSound(DecodedWave wave) {
  sounds_.push_back(std::move(wave));
  return static_cast<int>(sounds_.size()) - 1;
}

int VoiceMixer::Play(int sound, bool looped) {
  if (sound < 0 || sound >= static_cast<int>(sounds_.size())) return -1;
  const int id = nextVoice_++;
  voices_.push_back(Voice{id, sound, 0.0, looped});
  // An empty sound has ended before it began.
  if (sounds_[static_cast<size_t>(sound)].FrameCount() == 0) voices_.pop_back();
  return id;
}

void VoiceMixer::Stop(int voice) {
  std::erase_if(voices_, [voice](const Voice& v) { return v.id == voice; });
}

bool VoiceMixer::Playing(int voice) const {
  return std::any_of(voices_.begin(), voices_.end(),
                     [voice](const Voice& v) { return v.id == voice; });
}

bool VoiceMixer::Run(Voice& voice, float* out, size_t frames) const {
  const DecodedWave& sound = sounds_[static_cast<size_t>(voice.sound)];
  const size_t count = sound.FrameCount();
  const double step = static_cast<double>(sound.rate) / rate_;
  for (size_t i = 0; i < frames; ++i) {
    if (voice.position >= static_cast<double>(count)) {
      if (!voice.looped) return false;
      voice.position = std::fmod(voice.position, static_cast<double>(count));
    }
    if (out != nullptr) {
      const size_t at = static_cast<size_t>(voice.position);
      // The last frame leads into the first of a loop, or holds at the end.
      const size_t next = at + 1 < count ? at + 1 : (voice.looped ? 0 : at);
      const float t = static_cast<float>(voice.position - static_cast<double>(at));
      for (size_t side = 0; side < 2; ++side) {
        const float a = sound.frames[at * 2 + side];
        const float b = sound.frames[next * 2 + side];
        out[i * 2 + side] += a + (b - a) * t;
      }
    }
    voice.position += step;
  }
  return voice.looped || voice.position < static_cast<double>(count);
}

void VoiceMixer::Mix(float* out, size_t frames, const MusicFill& music) {
  std::fill(out, out + frames * 2, 0.0F);
  if (music) {
    music_.assign(frames * 2, 0);
    music(music_.data(), frames);
    for (size_t i = 0; i < frames * 2; ++i) out[i] = music_[i] / 32768.0F;
  }
  std::erase_if(voices_, [&](Voice& voice) { return !Run(voice, out, frames); });
  for (size_t i = 0; i < frames * 2; ++i) out[i] = std::clamp(out[i], -1.0F, 1.0F);
}

void VoiceMixer::Skip(size_t frames) {
  std::erase_if(voices_, [&](Voice& voice) { return !Run(voice, nullptr, frames); });
}

}  // namespace brinecast
