// Sound effects on the mixer's channels.
#include "platform/sdl/SdlSound.h"

#include <SDL_mixer.h>

#include <limits>

namespace brinecast {

namespace {
constexpr int kChannelsAtATime = 8;  // channels are added in steps of this many
// Far more than the game ever overlaps; beyond it a play is lost rather than the
// mixer growing without end.
constexpr int kMaxChannels = 256;
}  // namespace

SdlSound::~SdlSound() {
  if (!deviceOpen_) return;
  // Chunks must not be freed under a playing channel.
  Mix_HaltChannel(-1);
  for (Mix_Chunk* chunk : chunks_) Mix_FreeChunk(chunk);
}

int SdlSound::Open(const uint8_t* wave, size_t size) {
  if (!deviceOpen_ || wave == nullptr || size == 0 ||
      size > static_cast<size_t>(std::numeric_limits<int>::max())) {
    return -1;
  }
  Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wave, static_cast<int>(size)), 1);
  if (chunk == nullptr) return -1;
  chunks_.push_back(chunk);
  return static_cast<int>(chunks_.size()) - 1;
}

int SdlSound::FreeChannel() {
  const int count = static_cast<int>(channelVoice_.size());
  for (int channel = 0; channel < count; ++channel) {
    if (Mix_Playing(channel) == 0) return channel;
  }
  if (count >= kMaxChannels) return -1;
  const int grown = Mix_AllocateChannels(count + kChannelsAtATime);
  if (grown <= count) return -1;
  channelVoice_.resize(static_cast<size_t>(grown), -1);
  return count;
}

int SdlSound::Play(int sound, bool looped) {
  if (!deviceOpen_ || sound < 0 || static_cast<size_t>(sound) >= chunks_.size()) return -1;
  const int channel = FreeChannel();
  if (channel < 0) return -1;
  if (Mix_PlayChannel(channel, chunks_[static_cast<size_t>(sound)], looped ? -1 : 0) < 0) {
    return -1;
  }
  // A fresh number per play: the handle of a finished voice never reaches the
  // next sound on its channel.
  const int voice = nextVoice_;
  nextVoice_ = nextVoice_ == std::numeric_limits<int>::max() ? 0 : nextVoice_ + 1;
  channelVoice_[static_cast<size_t>(channel)] = voice;
  return voice;
}

int SdlSound::ChannelOf(int voice) const {
  if (voice < 0) return -1;
  for (size_t channel = 0; channel < channelVoice_.size(); ++channel) {
    if (channelVoice_[channel] == voice) return static_cast<int>(channel);
  }
  return -1;
}

void SdlSound::Stop(int voice) {
  const int channel = ChannelOf(voice);
  if (channel >= 0) Mix_HaltChannel(channel);
}

bool SdlSound::Playing(int voice) const {
  const int channel = ChannelOf(voice);
  return channel >= 0 && Mix_Playing(channel) != 0;
}

}  // namespace brinecast
