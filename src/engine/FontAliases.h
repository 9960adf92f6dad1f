// The game's own font alias file, so face names resolve the same on every machine.
#pragma once

#include <string_view>

namespace brinecast {

// The game's own fontconfig alias file, built into the program so that the faces it asks
// for by name resolve the same on every machine. assets/fonts/fonts.conf mirrors it for
// the asset pipeline; a test keeps the two equal.
extern const std::string_view kFontAliasesXml;

}  // namespace brinecast
