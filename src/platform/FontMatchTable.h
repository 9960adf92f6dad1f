// The game's faces as files, for a build that carries its own fonts instead of asking the
// system: the same files the desktop's font lookup picks, by family and weight.
#pragma once

#include <optional>
#include <string_view>

#include "platform/FontMatch.h"

namespace brinecast {

// The bundled face of a family (or of a name the game's aliases map to it), bold or
// regular, as a file under `folder`; nothing for a family the game does not carry.
std::optional<FontMatch> FindBundledFont(std::string_view folder, std::string_view family,
                                         bool bold);

// "Family" or "Family:bold", the pattern forms the platform asks for.
std::optional<FontMatch> FindBundledFontPattern(std::string_view folder, std::string_view pattern);

}  // namespace brinecast
