// Encoding pictures as device-independent bitmaps for the archive writer.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Picture.h"

namespace brinecast {

// The picture as a 24-bit bottom-up bitmap with a 40-byte header and no file header,
// the form DecodeDib reads. An empty picture gives no bytes.
std::vector<uint8_t> EncodeDib(const Picture& picture);

}  // namespace brinecast
