// The desktop's sound effects: each sound a mixer chunk made from its WAV bytes, each
// voice a mixer channel, with handles that never outlive their play.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Mix_Chunk;

namespace brinecast {

class SdlSound {
 public:
  // deviceOpen: whether the mixer's device is open; without it nothing plays.
  explicit SdlSound(bool deviceOpen) : deviceOpen_(deviceOpen) {}
  ~SdlSound();
  SdlSound(const SdlSound&) = delete;
  SdlSound& operator=(const SdlSound&) = delete;

  // A handle, or -1 without a device or for data that is not a WAV file.
  int Open(const uint8_t* wave, size_t size);
  // A new voice on a free channel (more channels are made when all are busy, up
  // to a limit), or -1.
  int Play(int sound, bool looped);
  void Stop(int voice);
  bool Playing(int voice) const;

 private:
  int ChannelOf(int voice) const;
  int FreeChannel();

  bool deviceOpen_;
  std::vector<Mix_Chunk*> chunks_;
  std::vector<int> channelVoice_;  // the voice each channel plays last, -1 none
  int nextVoice_ = 0;
};

}  // namespace brinecast
