// A temporary game folder for tests: the built Data/ and Sound/ linked in, and a
// main window driven on the headless platform by a list of timed events.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/TForm1.h"
#include "platform/headless/HeadlessPlatform.h"

namespace brinecast::testing {

class GameFolder {
 public:
  GameFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "brinecast-game-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
    const std::filesystem::path built = BRINECAST_APPDIR;
    for (const char* name : {"Data", "Sound"}) {
      std::filesystem::create_directory_symlink(built / name, path_ / name);
    }
  }
  ~GameFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string AppDir() const { return path_.string() + "/"; }

 private:
  std::filesystem::path path_;
};

// Runs the main loop until `until`, queuing each step's events at its time.
struct Step {
  uint64_t at;
  std::function<void()> action;
};

inline void RunUntil(HeadlessPlatform& platform, TForm1& form, std::vector<Step> steps,
                     uint64_t until) {
  size_t next = 0;
  platform.SetDriver([&](uint64_t) -> std::optional<uint64_t> {
    while (next < steps.size() && steps[next].at <= platform.Ticks()) steps[next++].action();
    if (platform.HasPendingEvents()) return platform.Ticks();
    if (platform.Ticks() >= until) return std::nullopt;
    return next < steps.size() ? std::min(steps[next].at, until) : until;
  });
  form.Loop.Run();
}

inline PlatformEvent Key(PlatformEvent::Kind kind, int key) {
  PlatformEvent event;
  event.kind = kind;
  event.key = key;
  return event;
}

}  // namespace brinecast::testing
