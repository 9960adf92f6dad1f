#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/Picture.h"

namespace brinecast {

// One item as stored in an image archive, with the defaults of a missing property.
struct ArchiveItem {
  std::string name;
  int patternWidth = 0;
  int patternHeight = 0;
  int skipWidth = 0;
  int skipHeight = 0;
  bool systemMemory = false;
  bool transparent = true;
  uint32_t transparentColor = 0;  // 0x00BBGGRR as stored (named colours resolved to their value)
  std::optional<Picture> picture;
};

struct ArchiveContents {
  std::array<uint8_t, 1024> colorTable{};  // 256 entries of blue, green, red, 0
  std::vector<ArchiveItem> items;
};

// Reads an archive from memory into `out`. Bad input throws EngineError with the
// reader's message; items read before the failure stay in `out`.
void ReadDxgArchive(std::span<const uint8_t> bytes, ArchiveContents& out);

// Reads a file whole, then as above. A missing or unreadable file throws
// EngineError "Cannot open file "<path>". <reason>".
void ReadDxgArchiveFile(const std::string& path, ArchiveContents& out);

// Writes an archive the reader reads back identically (pictures as 24- or 32-bit TDIB).
std::vector<uint8_t> WriteDxgArchive(const ArchiveContents& contents);

}  // namespace brinecast
