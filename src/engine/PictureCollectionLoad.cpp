// Loading an image list from an archive file or from memory.
#include <functional>

#include "engine/DXDraw.h"
#include "engine/DxgArchive.h"
#include "engine/PictureCollection.h"

namespace brinecast {

void TPictureCollection::Take(ArchiveContents& contents) {
  for (ArchiveItem& from : contents.items) {
    TPictureCollectionItem* item = Add();
    static_cast<ImageItemProperties&>(*item) = std::move(from);
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

void TPictureCollection::LoadFromFile(const std::string& path, PictureDetail detail) {
  LoadWith([&](ArchiveContents& contents) { ReadDxgArchiveFile(path, contents, detail); });
}

void TPictureCollection::LoadFromMemory(std::span<const uint8_t> bytes) {
  LoadWith([&](ArchiveContents& contents) { ReadDxgArchive(bytes, contents); });
}

}  // namespace brinecast
