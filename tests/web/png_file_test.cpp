// The simulator writes its screenshots with its own PNG writer (the web build has no image
// library): the files must be byte for byte those the desktop's image library writes, and
// read back to the same pixels.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "PngFile.h"

namespace brinecast::sim {
namespace {

struct Picture {
  const char* name;
  int width;
  int height;
  std::function<uint8_t(int x, int y, int channel)> pixel;
};

std::vector<uint8_t> Library(SDL_Surface* rgb) {
  std::vector<uint8_t> bytes(64u << 20);
  SDL_RWops* out = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
  EXPECT_EQ(IMG_SavePNG_RW(rgb, out, 0), 0) << IMG_GetError();
  bytes.resize(static_cast<std::size_t>(SDL_RWtell(out)));
  SDL_RWclose(out);
  return bytes;
}

TEST(PngFile, WritesTheBytesTheImageLibraryWrites) {
  std::mt19937 noise(7);
  const Picture pictures[] = {
      {"black screen", 800, 600, [](int, int, int) { return uint8_t{0}; }},
      {"gradients", 800, 600,
       [](int x, int y, int c) {
         return static_cast<uint8_t>(c == 0 ? x : c == 1 ? y : x ^ y);
       }},
      {"noise", 257, 129, [&](int, int, int) { return static_cast<uint8_t>(noise()); }},
      {"stripes and blocks", 640, 480,
       [](int x, int y, int c) {
         return static_cast<uint8_t>(((x / 16 + y / 9) % 3 == c) ? 200 : (y % 7) * 30);
       }},
      {"tiny", 3, 2, [](int x, int y, int c) { return static_cast<uint8_t>(x * 80 + y * 40 + c); }},
      {"one row", 300, 1, [&](int, int, int) { return static_cast<uint8_t>(noise() % 40); }},
      {"one column", 1, 300,
       [&](int, int y, int) { return static_cast<uint8_t>(y + noise() % 9); }},
      {"one pixel", 1, 1, [](int, int, int c) { return static_cast<uint8_t>(c * 100); }},
  };
  for (const Picture& picture : pictures) {
    SCOPED_TRACE(picture.name);
    SDL_Surface* rgb =
        SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, 24, SDL_PIXELFORMAT_RGB24);
    ASSERT_NE(rgb, nullptr);
    auto* pixels = static_cast<uint8_t*>(rgb->pixels);
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width * 3; ++x)
        pixels[y * rgb->pitch + x] = picture.pixel(x / 3, y, x % 3);
    const std::vector<uint8_t> ours = EncodePng(pixels, rgb->w, rgb->h, rgb->pitch);
    EXPECT_EQ(ours, Library(rgb));

    // And the file reads back to the very pixels.
    SDL_RWops* in = SDL_RWFromConstMem(ours.data(), static_cast<int>(ours.size()));
    SDL_Surface* read = IMG_Load_RW(in, 1);
    ASSERT_NE(read, nullptr) << IMG_GetError();
    SDL_Surface* back = SDL_ConvertSurfaceFormat(read, SDL_PIXELFORMAT_RGB24, 0);
    ASSERT_NE(back, nullptr);
    for (int y = 0; y < picture.height; ++y) {
      ASSERT_EQ(0, std::memcmp(static_cast<uint8_t*>(back->pixels) + y * back->pitch,
                               pixels + y * rgb->pitch, static_cast<std::size_t>(rgb->w) * 3))
          << "row " << y;
    }
    SDL_FreeSurface(back);
    SDL_FreeSurface(read);
    SDL_FreeSurface(rgb);
  }
}

TEST(PngFile, ReportsAFileItCannotWrite) {
  const uint8_t pixel[3] = {1, 2, 3};
  EXPECT_FALSE(WritePng("/nonexistent-folder/shot.png", pixel, 1, 1, 3));
  const std::string path = ::testing::TempDir() + "png_file_test.png";
  ASSERT_TRUE(WritePng(path, pixel, 1, 1, 3));
  SDL_Surface* read = IMG_Load(path.c_str());
  ASSERT_NE(read, nullptr) << IMG_GetError();
  SDL_FreeSurface(read);
  std::remove(path.c_str());
}

}  // namespace
}  // namespace brinecast::sim
