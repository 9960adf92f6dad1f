// The message box's font file, through the platform's one font lookup.
#include "platform/sdl/FontLookup.h"

#include "platform/FontMatch.h"

namespace brinecast {

std::string FindFontFile(const std::string& pattern) {
  const auto match = MatchFontPattern(pattern);
  return match ? match->file : std::string();
}

}  // namespace brinecast
