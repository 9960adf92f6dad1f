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

// One named sound: a complete RIFF WAVE file with its playing settings.
class TWaveCollectionItem {
 public:
  std::string Name;
  bool Looped = false;
  std::span<const uint8_t> Wave;

  // Plays the sound from its start on a free voice (see the voice rules in
  // the implementation); does nothing without a sound device.
  void Play(bool wait);
  // Stops every voice of this sound.
  void Stop();

  int MaxPlayingCount() const { return maxPlayingCount_; }
  // 0 means no limit; a negative count is kept as 0.
  void SetMaxPlayingCount(int count) { maxPlayingCount_ = count < 0 ? 0 : count; }

 private:
  int maxPlayingCount_ = 0;
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
