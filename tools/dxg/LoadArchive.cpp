// Reading an archive for the tool's commands, with failures printed for the user.
#include "LoadArchive.h"

#include <cstdio>

#include "engine/ArchiveFileError.h"

namespace brinecast {

bool LoadArchive(const std::string& path, ArchiveContents& out) {
  try {
    ReadDxgArchiveFile(path, out);
    return true;
  } catch (const ArchiveFileError& e) {
    std::fprintf(stderr, "%s: %s\n", e.Path().c_str(), e.Text().c_str());
  } catch (const EngineError& e) {
    std::fprintf(stderr, "%s\n", e.what());
  }
  return false;
}

}  // namespace brinecast
