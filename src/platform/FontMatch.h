// Finding the installed font file for a face name: the one lookup the game's text and the
// platform's message box share.
#pragma once

#include <optional>
#include <string>

namespace brinecast {

struct FontMatch {
  std::string file;
  int index = 0;   // face within the file
  int weight = 0;  // fontconfig weight of the face found (regular 80, bold 200)
};

// The best face for a fontconfig pattern such as "Liberation Sans:bold".
std::optional<FontMatch> MatchFontPattern(const std::string& pattern);

// The best upright outline face of a family, bold or regular, as the game's text asks.
std::optional<FontMatch> MatchFontFamily(const std::string& family, bool bold);

}  // namespace brinecast
