// Font lookup for a build without fontconfig: the game's faces are files carried in one
// folder, found by the bundled table. The folder is BRINECAST_FONT_DIR from the environment
// (the page names where its data package put them), else the build's own.
#include <cstdlib>

#include "platform/FontMatch.h"
#include "platform/FontMatchTable.h"

namespace brinecast {
namespace {

const char* FontFolder() {
  const char* folder = std::getenv("BRINECAST_FONT_DIR");
  return folder != nullptr && *folder != '\0' ? folder : BRINECAST_FONT_DIR;
}

}  // namespace

void LoadFontAliases(std::string_view) {}

std::optional<FontMatch> MatchFontPattern(const std::string& pattern) {
  return FindBundledFontPattern(FontFolder(), pattern);
}

std::optional<FontMatch> MatchFontFamily(const std::string& family, bool bold) {
  return FindBundledFont(FontFolder(), family, bold);
}

}  // namespace brinecast
