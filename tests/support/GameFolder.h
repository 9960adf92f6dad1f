// A scratch game folder: the built Data/ and Sound/ linked in, so a game started in it
// finds its pictures and music and writes its Config.cfg nowhere else.
#pragma once

#include <filesystem>
#include <string>

#include "support/ScratchFolder.h"

namespace brinecast::testing {

class GameFolder : public ScratchFolder {
 public:
  GameFolder() : ScratchFolder("brinecast-game") {
    const std::filesystem::path built = BRINECAST_APPDIR;
    for (const char* name : {"Data", "Sound"}) {
      std::filesystem::create_directory_symlink(built / name, Path() / name);
    }
  }

  std::string AppDir() const { return Dir(); }
};

}  // namespace brinecast::testing
