// The list command: one line per item of an archive with its geometry and key.
#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <string>

#include "Commands.h"
#include "LoadArchive.h"
#include "engine/DxgArchive.h"
#include "engine/PatternGrid.h"

namespace brinecast {
namespace {

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
    const bool hasPicture = item.Picture && !item.Picture->Empty();
    const int pw = hasPicture ? item.Picture->width : 0;
    const int ph = hasPicture ? item.Picture->height : 0;
    const PatternGrid grid(item, pw, ph);
    const int64_t patterns = hasPicture ? grid.Count() : 0;
    std::printf("%zu %s picture=%dx%d pattern=%dx%d skip=%dx%d patterns=%" PRId64
                " transparent=%s color=0x%08" PRIX32 "\n",
                i, Shown(item.name).c_str(), pw, ph, grid.Width(), grid.Height(), item.SkipWidth,
                item.SkipHeight, patterns, item.Transparent ? "yes" : "no", item.TransparentColor);
  }
  return 0;
}

}  // namespace brinecast
