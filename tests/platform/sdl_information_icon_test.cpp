// Tests of the information icon's shapes and of its blending onto the message box's panel.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/SurfacePtr.h"
#include "platform/sdl/InformationIcon.h"

namespace brinecast {
namespace {

uint32_t Alpha(uint32_t c) {
  return c >> 24;
}
bool White(uint32_t c) {
  return (c & 0xFFFFFF) == 0xFFFFFF;
}
bool Blue(uint32_t c) {
  const uint32_t r = (c >> 16) & 0xFF;
  const uint32_t g = (c >> 8) & 0xFF;
  const uint32_t b = c & 0xFF;
  return b > 140 && b > r + 60 && b > g;
}

TEST(SdlInformationIcon, IsABlueDiscWithAWhiteIAtEverySize) {
  for (const int size : {16, 32, 48, 64}) {
    const auto at = [size](double u, double v) {
      return InformationIconPixel(static_cast<int>(u * size), static_cast<int>(v * size), size);
    };
    EXPECT_EQ(Alpha(at(0, 0)), 0u) << size;
    EXPECT_EQ(Alpha(at(0.97, 0.97)), 0u) << size;
    EXPECT_EQ(Alpha(at(0, 0.95)), 0u) << size;
    // The dot and the stem of the "i", opaque white.
    EXPECT_TRUE(White(at(0.5, 0.285)) && Alpha(at(0.5, 0.285)) == 255) << size;
    EXPECT_TRUE(White(at(0.5, 0.6)) && Alpha(at(0.5, 0.6)) == 255) << size;
    // The disc on both sides of the stem and between the dot and the stem.
    for (const auto& [u, v] : {std::pair{0.25, 0.5}, {0.75, 0.5}, {0.5, 0.12}, {0.5, 0.88}}) {
      EXPECT_TRUE(Blue(at(u, v)) && Alpha(at(u, v)) == 255) << size << " at " << u << "," << v;
    }
  }
  EXPECT_EQ(InformationIconPixel(0, 0, 0), 0u);
}

TEST(SdlInformationIcon, EdgesAreSmoothedNotStepped) {
  const int size = 32;
  int partial = 0;
  for (int x = 0; x < size; ++x) {
    const uint32_t a = Alpha(InformationIconPixel(x, size / 2, size));
    partial += a > 0 && a < 255;
  }
  EXPECT_EQ(partial, 2) << "one smoothed pixel at each end of the middle row";
}

TEST(SdlInformationIcon, BlendsOntoThePanelInsideItsSquareOnly) {
  SurfacePtr panel(SDL_CreateRGBSurfaceWithFormat(0, 40, 40, 32, SDL_PIXELFORMAT_ARGB8888));
  ASSERT_TRUE(panel);
  SDL_FillRect(panel.get(), nullptr, 0xFFF4F6F8);
  DrawInformationIcon(panel.get(), TRect{4, 6, 36, 38});
  const auto pixel = [&](int x, int y) {
    return static_cast<const uint32_t*>(panel->pixels)[y * panel->pitch / 4 + x];
  };
  EXPECT_EQ(pixel(4, 6), 0xFFF4F6F8u);    // the square's transparent corner
  EXPECT_EQ(pixel(20, 39), 0xFFF4F6F8u);  // below the square
  EXPECT_EQ(pixel(3, 22), 0xFFF4F6F8u);   // left of it
  EXPECT_TRUE(Blue(pixel(4 + 8, 6 + 16)));
  EXPECT_EQ(pixel(4 + 16, 6 + 19), 0xFFFFFFFFu);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) ASSERT_EQ(Alpha(pixel(x, y)), 255u) << x << "," << y;
  }
  // A surface of another format is left alone rather than misread.
  SurfacePtr rgb(SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 24, SDL_PIXELFORMAT_RGB24));
  ASSERT_TRUE(rgb);
  SDL_FillRect(rgb.get(), nullptr, 0);
  DrawInformationIcon(rgb.get(), TRect{0, 0, 8, 8});
  EXPECT_EQ(static_cast<const uint8_t*>(rgb->pixels)[4 * 3 + 4 * rgb->pitch], 0);
}

}  // namespace
}  // namespace brinecast
