// The stored properties of an image item, one description for the archive's items and the
// image lists' items alike.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/PatternGrid.h"
#include "engine/Picture.h"

namespace brinecast {

struct ImageItemProperties : PatternGeometry {
  bool SystemMemory = false;
  bool Transparent = true;
  uint32_t TransparentColor = 0;  // 0x00BBGGRR or a system colour, named colours resolved
  std::optional<brinecast::Picture> Picture;
};

}  // namespace brinecast
