// The names a script gives keys, turned into the virtual-key codes the game hears.
#pragma once

#include <optional>
#include <string_view>

namespace brinecast::sim {

// A script's key name (`Enter`, `F5`, `Q`, `Num3`, ...) or decimal code, as
// the virtual-key code the game hears.
std::optional<int> KeyCode(std::string_view name);

}  // namespace brinecast::sim
