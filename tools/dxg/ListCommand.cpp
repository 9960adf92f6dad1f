// The list command: one line per item of an archive with its geometry and key.
#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <string>

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

// Names come from the archive: control bytes (C0, DEL and C1 in UTF-8) are shown as \xHH so
// nothing in a name can drive the terminal, and a NUL is shown rather than ending the name.
std::string Shown(const std::string& name) {
  std::string out;
  auto escape = [&](unsigned char c) {
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02x", c);
    out += hex;
  };
  for (size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    const bool c1 = c == 0xC2 && i + 1 < name.size() &&
                    static_cast<unsigned char>(name[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(name[i + 1]) < 0xA0;
    if (c < 0x20 || c == 0x7F) {
      escape(c);
    } else if (c1) {
      escape(c);
      escape(static_cast<unsigned char>(name[++i]));
    } else {
      out += name[i];
    }
  }
  return out;
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
                i, Shown(item.name).c_str(), pw, ph, w, h, item.skipWidth, item.skipHeight,
                patterns, item.transparent ? "yes" : "no", item.transparentColor);
  }
  return 0;
}

}  // namespace brinecast
