// The browser's sound mixer: the game's effects as voices, resampled to the output's rate, laid
// over the music's frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/web/WaveDecoder.h"

namespace brinecast {

class VoiceMixer {
 public:
  // Fills frames of 16-bit stereo music at the mixer's rate.
  using MusicFill = std::function<void(int16_t* out, size_t frames)>;

  explicit VoiceMixer(uint32_t rate) : rate_(rate) {}

  uint32_t Rate() const { return rate_; }
  // The sound's handle.
  int AddSound(DecodedWave wave);
  // A new voice from the sound's start, or -1 for an unknown sound. Voice handles are never
  // reused, so a finished voice's handle never names another.
  int Play(int sound, bool looped);
  void Stop(int voice);
  bool Playing(int voice) const;

  // Writes frames of interleaved stereo: the music (when given) with every voice added, held
  // within -1..1. Voices that reach their end are gone afterwards.
  void Mix(float* out, size_t frames, const MusicFill& music);
  // Moves every voice on by frames as if they had been heard: without a running output the
  // effects still end when they would have.
  void Skip(size_t frames);

 private:
  struct Voice {
    int id = 0;
    int sound = 0;
    double position = 0;  // in the sound's own frames
    bool looped = false;
  };
  // Adds the voice to out (or only moves it when out is null); false once it has ended.
  bool Run(Voice& voice, float* out, size_t frames) const;

  uint32_t rate_;
  std::vector<DecodedWave> sounds_;
  std::vector<Voice> voices_;
  std::vector<int16_t> music_;
  int nextVoice_ = 0;
};

}  // namespace brinecast
