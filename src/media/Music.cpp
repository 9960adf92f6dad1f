// The music library: loading, playing and stopping one module through the platform.
#include "media/Music.h"

#include "platform/Platform.h"

namespace brinecast {

TMusic::TMusic(Platform& platform) : platform_(platform) {}

TMusic::~TMusic() {
  if (module_ >= 0) {
    platform_.MusicStop(module_);
    platform_.MusicFree(module_);
  }
}

bool TMusic::SongLoadFromFile(const std::string& path) {
  const int loaded = platform_.MusicLoad(path);
  if (module_ >= 0) {
    platform_.MusicStop(module_);
    platform_.MusicFree(module_);
  }
  module_ = loaded;
  playing_ = false;
  file_ = loaded >= 0 ? path : std::string();
  return loaded >= 0;
}

void TMusic::SongPlay() {
  if (module_ < 0) return;
  platform_.MusicPlay(module_);
  playing_ = true;
}

void TMusic::SongStop() {
  if (module_ < 0) return;
  platform_.MusicStop(module_);
  playing_ = false;
}

}  // namespace brinecast
