// One frame of play, read back from the surface: the HUD's texts are where and
// in the colours the layout puts them.
#include <SDL_surface.h>
#include <gtest/gtest.h>

#include "GameFolder.h"
#include "support/OfflineSetup.h"

namespace brinecast {
namespace {

struct Box {
  int left;
  int top;
  int right;
  int bottom;
};

// Pixels of exactly this game colour (0x00BBGGRR) inside the box.
int CountColour(SDL_Surface* surface, const Box& box, uint32_t colour) {
  const uint8_t r = colour & 0xFF;
  const uint8_t g = (colour >> 8) & 0xFF;
  const uint8_t b = (colour >> 16) & 0xFF;
  int count = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(
        static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch);
    for (int x = box.left; x < box.right; ++x) {
      uint8_t pr = 0;
      uint8_t pg = 0;
      uint8_t pb = 0;
      SDL_GetRGB(row[x], surface->format, &pr, &pg, &pb);
      if (pr == r && pg == g && pb == b) ++count;
    }
  }
  return count;
}

Box TextBox(TCanvas& canvas, int x, int y, const char* font, int size, bool bold,
            const std::string& text) {
  canvas.Font.Name = font;
  canvas.Font.Size = size;
  canvas.Font.Bold = bold;
  return {x, y, x + canvas.TextWidth(text), y + canvas.TextHeight(text)};
}

TEST(HudPixels, BannerGoalCounterLevelAndScoreSitWhereTheLayoutPutsThem) {
  testing::GameFolder folder;
  HeadlessPlatform platform;
  TForm1 form(testing::OfflineSetup(platform, folder.AppDir(), 3));
  form.FormCreate();
  form.StartGame();
  form.DXTimer1Timer(1);
  SDL_Surface* frame = form.DXDraw1.Surface();
  ASSERT_NE(frame, nullptr);

  TCanvas& canvas = form.Canvas;
  const uint32_t gold = RGB(255, 210, 0);
  const uint32_t white = RGB(255, 255, 255);
  const uint32_t goalBlue = RGB(40, 100, 200);
  struct Case {
    const char* what;
    Box box;
    uint32_t colour;
  };
  const Case cases[] = {
      {"banner", TextBox(canvas, 330, 300, "Comic Sans MS", 20, false, "Level 1"), gold},
      {"goal counter", TextBox(canvas, 112, 40, "Arial", 12, true, "01"), goalBlue},
      {"score", TextBox(canvas, 690, 569, "Arial", 14, false, "00000000"), white},
      {"level", TextBox(canvas, 80, 560, "Arial", 20, false, "   1"), white},
  };
  for (const Case& c : cases) {
    const int inside = CountColour(frame, c.box, c.colour);
    EXPECT_GT(inside, 15) << c.what;
    // The same box a text's width to the left holds none of it: the text is not there.
    const int width = c.box.right - c.box.left;
    const Box beside = {c.box.left - width - 4, c.box.top, c.box.left - 4, c.box.bottom};
    if (beside.left >= 0) {
      EXPECT_LT(CountColour(frame, beside, c.colour), inside / 4) << c.what << " beside";
    }
  }
}

}  // namespace
}  // namespace brinecast
