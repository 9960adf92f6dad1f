// The headless platform's music: modules are really loaded to check them, nothing is
// heard, and what would play is kept for tests and the simulator's snapshot.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace brinecast {

// The module heard now, or else the one loaded last, and whether it plays.
struct MusicRecord {
  std::optional<std::string> file;
  bool playing = false;
  bool operator==(const MusicRecord&) const = default;
};

class HeadlessMusic {
 public:
  // A handle, or -1 when the file does not load as a module (as on the desktop).
  int Load(const std::string& path);
  void Play(int module);
  void Stop(int module);
  void Free(int module);
  MusicRecord State() const;

 private:
  std::map<int, std::string> loaded_;
  int next_ = 0;
  int playing_ = -1;
  int last_ = -1;
};

}  // namespace brinecast
