// The sound collection: named WAV sounds with their playing settings, played on the
// platform's voices, and the wave list component that holds them.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace brinecast {

class Platform;

class EWaveCollectionError : public std::runtime_error {
 public:
  explicit EWaveCollectionError(const std::string& message) : std::runtime_error(message) {}
};

// One named sound: a complete RIFF WAVE file with its playing settings. Once opened
// on a sound device, its extra buffers are platform voices in order of first use.
class TWaveCollectionItem {
 public:
  std::string Name;
  bool Looped = false;
  std::span<const uint8_t> Wave;

  // Plays the sound from its start: on the first voice that has finished, else
  // on a new one while under MaxPlayingCount (0 = no limit), else on the least
  // recently chosen voice, restarted. Does nothing without a sound device. With
  // wait, returns once the sound has ended (waiting on the platform, bounded).
  void Play(bool wait);
  // Stops every voice of this sound.
  void Stop();

  int MaxPlayingCount() const { return maxPlayingCount_; }
  // 0 means no limit; a negative count is kept as 0.
  void SetMaxPlayingCount(int count) { maxPlayingCount_ = count < 0 ? 0 : count; }

  // Whether the sound device took the recording.
  bool Initialized() const { return platform_ != nullptr && sound_ >= 0; }

 private:
  friend class TDXWaveList;
  void Open(Platform& platform);

  int maxPlayingCount_ = 0;
  Platform* platform_ = nullptr;
  int sound_ = -1;
  int mainVoice_ = -1;      // the looped playback
  std::vector<int> extra_;  // voices of single plays, least recently chosen first
};

// The sounds in order, looked up by name ignoring letter case.
class TWaveCollection {
 public:
  TWaveCollectionItem& Add();
  int Count() const { return static_cast<int>(items_.size()); }
  TWaveCollectionItem& Items(int index);
  // Of equal names the one added last wins. No match throws "Wave '%s' not found".
  TWaveCollectionItem& Find(std::string_view name);

 private:
  std::vector<TWaveCollectionItem> items_;
};

// The wave-list component; the sound device it plays through comes with playback.
class TDXWaveList {
 public:
  // Opens every item on the platform's sound device; until then, and without
  // a device, playing and stopping do nothing.
  void Initialize(Platform& platform);
  // Stop on every item, by index.
  void StopAll();

  TWaveCollection& Items() { return items_; }
  const TWaveCollection& Items() const { return items_; }

 private:
  TWaveCollection items_;
};

}  // namespace brinecast
