// The image archive as the game and its tool see it: the items and colour table of one
// file, and reading and writing them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/ImageItemProperties.h"

namespace brinecast {

// One item as stored in an image archive, with the defaults of a missing property.
struct ArchiveItem : ImageItemProperties {
  std::string name;
};

struct ArchiveContents {
  std::array<uint8_t, 1024> colorTable{};  // 256 entries of blue, green, red, 0
  std::vector<ArchiveItem> items;
};

// Reads an archive from memory into `out`. Bad input throws EngineError with the
// reader's message; items read before the failure stay in `out`. With PictureDetail::kSizes
// the pictures are checked and sized but not decoded.
void ReadDxgArchive(std::span<const uint8_t> bytes, ArchiveContents& out,
                    PictureDetail detail = PictureDetail::kPixels);

// Reads a file whole, then as above. A missing or unreadable file throws
// EngineError "Cannot open file "<path>". <reason>".
void ReadDxgArchiveFile(const std::string& path, ArchiveContents& out,
                        PictureDetail detail = PictureDetail::kPixels);

// Opens the file now, as above, and keeps it mapped: later reads of the same path come from
// memory, so a process may give up opening files before it reads them. Throws as above.
void KeepDxgArchiveFile(const std::string& path);

// Writes an archive the reader reads back identically (pictures as 24- or 32-bit TDIB).
std::vector<uint8_t> WriteDxgArchive(const ArchiveContents& contents);

}  // namespace brinecast
