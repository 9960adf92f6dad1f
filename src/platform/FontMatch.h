// Finding the installed font file for a face name: the one lookup the game's text and the
// platform's message box share.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brinecast {

struct FontMatch {
  std::string file;
  int index = 0;   // face within the file
  int weight = 0;  // fontconfig weight of the face found (regular 80, bold 200)
};

// Faces lighter than this are drawn bold by the renderer when bold is asked for.
constexpr int kFontWeightDemibold = 180;

// Adds alias rules (a fontconfig XML document) to the lookup; a build that carries its own
// faces has its aliases built in and ignores them.
void LoadFontAliases(std::string_view xml);

// The best face for a fontconfig pattern such as "Liberation Sans:bold".
std::optional<FontMatch> MatchFontPattern(const std::string& pattern);

// The best upright outline face of a family, bold or regular, as the game's text asks.
std::optional<FontMatch> MatchFontFamily(const std::string& family, bool bold);

}  // namespace brinecast
