#pragma once

#include <string>

#include "engine/DxgArchive.h"

namespace brinecast {

// Reads the archive; on failure prints the reader's message alone to stderr.
bool LoadArchive(const std::string& path, ArchiveContents& out);

}  // namespace brinecast
