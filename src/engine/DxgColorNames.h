// Looking up the colour identifiers of image archives.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace brinecast {

// The value (0x00BBGGRR, or 0xFF000000 + index for a system colour) of a colour
// identifier such as "clFuchsia", compared without regard to case.
std::optional<uint32_t> DxgColorFromName(std::string_view name);

}  // namespace brinecast
