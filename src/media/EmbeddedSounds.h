// The sound effects built into the program, looked up by name.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace brinecast {

// The complete RIFF WAVE file of an effect built into the program ("Up", "Poimal",
// "Level", "Over"; letter case ignored), or an empty span for an unknown name.
std::span<const uint8_t> EmbeddedWave(std::string_view name);

}  // namespace brinecast
