// A temporary game folder that is cleaned up however the run ends: normally by the
// destructor, or when a signal ends the process (ScratchFolderSignals.cpp).
#include "ScratchFolder.h"

#include <stdlib.h>

#include <stdexcept>
#include <string>
#include <system_error>

namespace brinecast::sim {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const fs::path& built) {
  std::string pattern = (fs::temp_directory_path() / "brinecast-sim-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
  for (const char* name : {"Data", "Sound"}) {
    std::error_code error;
    fs::create_directory_symlink(built / name, path_ / name, error);
  }
  WatchSignals();
}

ScratchFolder::~ScratchFolder() {
  StopWatching();
  std::error_code error;
  fs::remove_all(path_, error);
}

}  // namespace brinecast::sim
