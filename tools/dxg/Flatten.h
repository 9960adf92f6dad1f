// Flattening source pictures to the 24-bit pictures an archive stores.
#pragma once

#include <cstdint>
#include <optional>

#include "SourceImage.h"
#include "engine/Picture.h"

namespace brinecast {

// Drops alpha: with a key (0x00RRGGBB) pixels of alpha >= 128 keep their colour and the
// rest become the key, and a visible pixel equal to the key is moved one step in blue;
// without a key pixels are composited over black. The result is a 24-bit picture.
Picture Flatten(const SourceImage& image, std::optional<uint32_t> key);

}  // namespace brinecast
