// Source pictures of the pack command: an SVG rasterised or a PNG loaded, as straight-alpha
// pixels, with the size bound every source picture must keep.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brinecast {

// Far beyond any picture of the game; a larger side is refused before anything is drawn.
inline constexpr int kMaxPictureSide = 8192;

// A source picture with straight (not premultiplied) alpha, pixels 0xAARRGGBB.
struct SourceImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// Rasterises an SVG at its own size or loads a PNG, by the file's extension. An SVG's
// <image> references may reach any file under `referenceRoot`.
// Failures throw std::runtime_error with the reason, also for a side over kMaxPictureSide.
SourceImage LoadSourceImage(const std::string& path, const std::string& referenceRoot);

// Makes the game's font aliases known to the SVG text renderer.
void LoadFontAliases(const std::string& fontsConf);

}  // namespace brinecast
