// Writing music modules as XM files.
#pragma once

#include <cstdint>
#include <vector>

#include "XmModule.h"

namespace brinecast::xm {

// The module as an XM file (version 1.04, linear frequencies, 16-bit samples).
// Throws std::invalid_argument for a module no player could load.
std::vector<uint8_t> EncodeXm(const Module& module);

}  // namespace brinecast::xm
