#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brinecast {

// A source picture with straight (not premultiplied) alpha, pixels 0xAARRGGBB.
struct SourceImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// Rasterises an SVG at its own size or loads a PNG, by the file's extension. An SVG's
// <image> references may reach any file under `referenceRoot`.
// Failures throw std::runtime_error with the reason.
SourceImage LoadSourceImage(const std::string& path, const std::string& referenceRoot);

// Makes the game's font aliases known to the SVG text renderer.
void LoadFontAliases(const std::string& fontsConf);

}  // namespace brinecast
