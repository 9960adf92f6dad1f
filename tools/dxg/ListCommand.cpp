#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "Commands.h"
#include "LoadArchive.h"
#include "engine/DxgArchive.h"

namespace brinecast {
namespace {

// Columns or rows of the item's pattern grid along one axis.
int64_t Cells(int64_t picture, int64_t pattern, int64_t skip) {
  const int64_t cell = pattern + skip;
  if (cell <= 0) return 0;
  return std::max<int64_t>((picture + skip) / cell, 0);
}

}  // namespace

int ListCommand(const std::string& archive) {
  ArchiveContents contents;
  if (!LoadArchive(archive, contents)) return 1;
  for (size_t i = 0; i < contents.items.size(); ++i) {
    const ArchiveItem& item = contents.items[i];
    const bool hasPicture = item.picture && !item.picture->Empty();
    const int64_t pw = hasPicture ? item.picture->width : 0;
    const int64_t ph = hasPicture ? item.picture->height : 0;
    const int64_t w = item.patternWidth > 0 ? item.patternWidth : pw;
    const int64_t h = item.patternHeight > 0 ? item.patternHeight : ph;
    const int64_t patterns =
        hasPicture ? Cells(pw, w, item.skipWidth) * Cells(ph, h, item.skipHeight) : 0;
    std::printf("%zu %s picture=%" PRId64 "x%" PRId64 " pattern=%" PRId64 "x%" PRId64
                " skip=%dx%d patterns=%" PRId64 " transparent=%s color=0x%08" PRIX32 "\n",
                i, item.name.c_str(), pw, ph, w, h, item.skipWidth, item.skipHeight, patterns,
                item.transparent ? "yes" : "no", item.transparentColor);
  }
  return 0;
}

}  // namespace brinecast
