// The game's font alias rules, built into the program.
#include "engine/FontAliases.h"

namespace brinecast {

const std::string_view kFontAliasesXml = R"xml(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<!-- The faces the game asks for by name, mapped to faces every machine can install. -->
<fontconfig>
  <alias binding="same"><family>Comic Sans MS</family><prefer><family>Comic Neue</family></prefer></alias>
  <alias binding="same"><family>Arial</family><prefer><family>Liberation Sans</family></prefer></alias>
  <alias binding="same"><family>Courier New</family><prefer><family>Liberation Mono</family></prefer></alias>
</fontconfig>
)xml";

}  // namespace brinecast
