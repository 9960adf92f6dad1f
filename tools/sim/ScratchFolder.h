// The fresh folder a run plays the game's folder in: the built Data/ and Sound/
// linked in, nothing else; removed when the run ends, also by a signal.
#pragma once

#include <filesystem>
#include <thread>

namespace brinecast::sim {

class ScratchFolder {
 public:
  // Links built/Data and built/Sound into a new temporary folder. From here on
  // SIGINT, SIGTERM and SIGHUP remove the folder and end the process.
  explicit ScratchFolder(const std::filesystem::path& built);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  // Removing the folder when the process is ended by a signal (ScratchFolderSignals.cpp).
  void WatchSignals();
  void StopWatching();

  std::filesystem::path path_;
  std::thread watcher_;
};

}  // namespace brinecast::sim
