// The headless platform's silent sound device with its record of plays and stops.
#include "platform/headless/SilentSound.h"

#include <limits>

#include "platform/headless/WaveHeader.h"

namespace brinecast {

namespace {
constexpr uint64_t kForever = std::numeric_limits<uint64_t>::max();
}  // namespace

int SilentSound::Open(const std::string& name, const uint8_t* wave, size_t size) {
  const std::optional<WaveFormat> format = ReadWaveHeader(wave, size);
  if (!format) return -1;
  sounds_.push_back({name, WaveLengthMs(*format)});
  return static_cast<int>(sounds_.size()) - 1;
}

uint64_t SilentSound::LengthMs(int sound) const {
  if (sound < 0 || static_cast<size_t>(sound) >= sounds_.size()) return 0;
  return sounds_[static_cast<size_t>(sound)].lengthMs;
}

int SilentSound::Play(int sound, bool looped, uint64_t now) {
  if (sound < 0 || static_cast<size_t>(sound) >= sounds_.size()) return -1;
  // Forget finished voices so a long run does not pile them up.
  std::erase_if(voices_, [now](const auto& entry) { return entry.second.end <= now; });
  const uint64_t length = LengthMs(sound);
  const uint64_t end = looped && length > 0 ? kForever : now + length;
  const int voice = nextVoice_;
  nextVoice_ = nextVoice_ == std::numeric_limits<int>::max() ? 0 : nextVoice_ + 1;
  voices_[voice] = {sound, end};
  records_.push_back({"play", sounds_[static_cast<size_t>(sound)].name, now});
  return voice;
}

void SilentSound::Stop(int voice, uint64_t now) {
  if (!Playing(voice, now)) return;
  const auto found = voices_.find(voice);
  records_.push_back({"stop", sounds_[static_cast<size_t>(found->second.sound)].name, now});
  voices_.erase(found);
}

bool SilentSound::Playing(int voice, uint64_t now) const {
  const auto found = voices_.find(voice);
  return found != voices_.end() && now < found->second.end;
}

}  // namespace brinecast
