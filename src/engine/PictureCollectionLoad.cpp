#include "engine/DXDraw.h"
#include "engine/DxgArchive.h"
#include "engine/PictureCollection.h"

namespace brinecast {

void TPictureCollection::LoadFromFile(const std::string& path) {
  Clear();
  ArchiveContents contents;
  auto take = [this, &contents] {
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
  };
  try {
    ReadDxgArchiveFile(path, contents);
  } catch (...) {
    take();
    throw;
  }
  ColorTable = contents.colorTable;
  take();
}

}  // namespace brinecast
