#include "LoadArchive.h"

#include <cstdio>

#include "engine/EngineError.h"

namespace brinecast {

bool LoadArchive(const std::string& path, ArchiveContents& out) {
  try {
    ReadDxgArchiveFile(path, out);
    return true;
  } catch (const EngineError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return false;
  }
}

}  // namespace brinecast
