#include <functional>

#include "engine/DXDraw.h"
#include "engine/DxgArchive.h"
#include "engine/PictureCollection.h"

namespace brinecast {

void TPictureCollection::Take(ArchiveContents& contents) {
  for (ArchiveItem& from : contents.items) {
    TPictureCollectionItem* item = Add();
    item->PatternWidth = from.patternWidth;
    item->PatternHeight = from.patternHeight;
    item->SkipWidth = from.skipWidth;
    item->SkipHeight = from.skipHeight;
    item->SystemMemory = from.systemMemory;
    item->Transparent = from.transparent;
    item->TransparentColor = from.transparentColor;
    item->Picture = std::move(from.picture);
    item->SetName(from.name);
  }
  if (DrawReady()) Prepare();
}

void TPictureCollection::LoadWith(const std::function<void(ArchiveContents&)>& read) {
  Clear();
  ArchiveContents contents;
  try {
    read(contents);
  } catch (...) {
    Take(contents);
    throw;
  }
  ColorTable = contents.colorTable;
  Take(contents);
}

void TPictureCollection::LoadFromFile(const std::string& path) {
  LoadWith([&](ArchiveContents& contents) { ReadDxgArchiveFile(path, contents); });
}

void TPictureCollection::LoadFromMemory(std::span<const uint8_t> bytes) {
  LoadWith([&](ArchiveContents& contents) { ReadDxgArchive(bytes, contents); });
}

}  // namespace brinecast
