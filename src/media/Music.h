// The music library the game plays its modules through, one module at a time.
#pragma once

#include <string>

namespace brinecast {

class Platform;

// The music library: one module at a time through the platform. A module that
// is replaced is stopped and freed; calls with no module loaded do nothing.
class TMusic {
 public:
  explicit TMusic(Platform& platform);
  ~TMusic();
  TMusic(const TMusic&) = delete;
  TMusic& operator=(const TMusic&) = delete;

  // Loads the module at path (UTF-8). On failure the old module is stopped and
  // freed as well, and false is returned (the game's "null handle").
  bool SongLoadFromFile(const std::string& path);
  void SongPlay();
  void SongStop();

  bool Loaded() const { return module_ >= 0; }
  bool Playing() const { return playing_; }
  // The file of the loaded module; empty when none.
  const std::string& File() const { return file_; }

 private:
  Platform& platform_;
  int module_ = -1;
  bool playing_ = false;
  std::string file_;
};

}  // namespace brinecast
