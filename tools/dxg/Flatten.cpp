// Flattening a source picture's alpha onto its key colour or onto black.
#include "Flatten.h"

namespace brinecast {
namespace {

uint32_t OverBlack(uint32_t p) {
  const uint32_t a = p >> 24;
  auto channel = [&](int shift) { return ((((p >> shift) & 0xFF) * a + 127) / 255) << shift; };
  return channel(16) | channel(8) | channel(0);
}

uint32_t Keyed(uint32_t p, uint32_t key) {
  if ((p >> 24) < 128) return key;
  const uint32_t rgb = p & 0xFFFFFF;
  if (rgb != key) return rgb;
  return (rgb & 0xFF) == 0xFF ? rgb - 1 : rgb + 1;
}

}  // namespace

Picture Flatten(const SourceImage& image, std::optional<uint32_t> key) {
  Picture picture;
  picture.width = image.width;
  picture.height = image.height;
  picture.bitCount = 24;
  picture.pixels.resize(image.pixels.size());
  for (size_t i = 0; i < image.pixels.size(); ++i)
    picture.pixels[i] = key ? Keyed(image.pixels[i], *key) : OverBlack(image.pixels[i]);
  return picture;
}

}  // namespace brinecast
