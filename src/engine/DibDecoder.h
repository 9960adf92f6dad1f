// Decoding the bitmaps stored in image archives into pictures.
#pragma once

#include <cstdint>
#include <span>

#include "engine/Picture.h"

namespace brinecast {

// A device-independent bitmap without file header: header size (12 or 40), header,
// colour masks, palette, pixel rows. No bytes at all give an empty picture. Bad data
// throws EngineError "DIB is invalid". With kSizes the same checks are made, but the pixels
// are left out.
Picture DecodeDib(std::span<const uint8_t> bytes, PictureDetail detail = PictureDetail::kPixels);

// A complete bitmap file, starting with "BM". Same errors.
Picture DecodeBitmapFile(std::span<const uint8_t> bytes,
                         PictureDetail detail = PictureDetail::kPixels);

}  // namespace brinecast
