// The game's built archives as its reader sees them, read once per test program.
#pragma once

#include <map>
#include <string>

#include "engine/DxgArchive.h"
#include "platform/EqualsNoCase.h"

namespace brinecast {

inline const ArchiveContents& BuiltArchive(const std::string& file) {
  static std::map<std::string, ArchiveContents> read;
  auto [it, fresh] = read.try_emplace(file);
  if (fresh) ReadDxgArchiveFile(std::string(BRINECAST_APPDIR "/Data/") + file, it->second);
  return it->second;
}

// Like the game's lookup: ignoring case, the later of two equal names wins.
inline const ArchiveItem* FindItem(const ArchiveContents& contents, const std::string& name) {
  const ArchiveItem* found = nullptr;
  for (const ArchiveItem& item : contents.items) {
    if (EqualsNoCase(item.name, name)) found = &item;
  }
  return found;
}

}  // namespace brinecast
