// Font lookup for a build without fontconfig: the game's faces are files carried in
// BRINECAST_FONT_DIR, found by the bundled table.
#include "platform/FontMatch.h"
#include "platform/FontMatchTable.h"

namespace brinecast {

void LoadFontAliases(std::string_view) {}

std::optional<FontMatch> MatchFontPattern(const std::string& pattern) {
  return FindBundledFontPattern(BRINECAST_FONT_DIR, pattern);
}

std::optional<FontMatch> MatchFontFamily(const std::string& family, bool bold) {
  return FindBundledFont(BRINECAST_FONT_DIR, family, bold);
}

}  // namespace brinecast
