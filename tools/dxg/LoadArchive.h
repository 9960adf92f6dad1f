// Reading an archive for the tool's commands.
#pragma once

#include <string>

#include "engine/DxgArchive.h"

namespace brinecast {

// Reads the archive; on failure prints the reason to stderr: a file that cannot be opened
// as the reader words it, damaged contents as "FILE: reason".
bool LoadArchive(const std::string& path, ArchiveContents& out);

}  // namespace brinecast
