// The headless platform's sound device: nothing is heard, but each voice plays for
// its sound's length in virtual time and every play and stop is recorded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace brinecast {

// One thing the sound device did: "play" or "stop" of the named sound at virtual ms t.
struct SoundRecord {
  std::string action;
  std::string name;
  uint64_t t = 0;
  bool operator==(const SoundRecord&) const = default;
};

class SilentSound {
 public:
  // A handle for a playable PCM WAVE file, or -1 when the data is not one.
  int Open(const std::string& name, const uint8_t* wave, size_t size);
  // A new voice playing the sound from now, or -1 for an unknown sound.
  int Play(int sound, bool looped, uint64_t now);
  // Stops the voice if it still plays; stopping a finished voice records nothing.
  void Stop(int voice, uint64_t now);
  bool Playing(int voice, uint64_t now) const;
  // How long the sound plays, in ms; 0 for an unknown sound.
  uint64_t LengthMs(int sound) const;

  const std::vector<SoundRecord>& Records() const { return records_; }

 private:
  struct Sound {
    std::string name;
    uint64_t lengthMs = 0;
  };
  struct Voice {
    int sound = 0;
    uint64_t end = 0;  // the first ms it no longer plays
  };

  std::vector<Sound> sounds_;
  std::unordered_map<int, Voice> voices_;  // voices that may still play
  int nextVoice_ = 0;
  std::vector<SoundRecord> records_;
};

}  // namespace brinecast
