// Pictures as PNG files, written with zlib alone so the simulator needs no image library:
// 8-bit RGB, each row filtered the way that sums smallest, deflated at the default level.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brinecast::sim {

// The PNG file of a picture given as rows of RGB bytes, `pitch` bytes apart.
std::vector<uint8_t> EncodePng(const uint8_t* rgb, int width, int height, int pitch);

// Writes the file; false when it cannot be written.
bool WritePng(const std::string& path, const uint8_t* rgb, int width, int height, int pitch);

}  // namespace brinecast::sim
