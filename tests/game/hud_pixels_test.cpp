// One frame of play, read back from the surface: the HUD's texts are where and
// in the colours the layout puts them.
#include <SDL_surface.h>
#include <gtest/gtest.h>

#include "app/screens/MenuState.h"
#include "objects/Ask.h"
#include "objects/Player.h"
#include "support/GameFolder.h"
#include "support/OfflineSetup.h"
#include "support/TimedSteps.h"

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

// The smallest box holding every pixel of the colour inside `within`; empty when none.
Box BoundsOf(SDL_Surface* surface, const Box& within, uint32_t colour) {
  Box found = {within.right, within.bottom, within.left, within.top};
  for (int y = within.top; y < within.bottom; ++y) {
    for (int x = within.left; x < within.right; ++x) {
      if (CountColour(surface, {x, y, x + 1, y + 1}, colour) == 0) continue;
      found = {std::min(found.left, x), std::min(found.top, y), std::max(found.right, x + 1),
               std::max(found.bottom, y + 1)};
    }
  }
  return found;
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
  SDL_Surface* frame = form.DXDraw1().Surface();
  ASSERT_NE(frame, nullptr);

  TCanvas& canvas = form.Canvas();
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

TEST(HudPixels, TextsSitInTheMiddleOfWhatHoldsThemWhateverTheFont) {
  const uint32_t gold = RGB(255, 210, 0);
  const uint32_t fieldBlue = RGB(40, 125, 255);
  testing::GameFolder folder;
  HeadlessPlatform platform;
  TForm1 form(testing::OfflineSetup(platform, folder.AppDir(), 3));
  form.FormCreate();
  SDL_Surface* frame = form.DXDraw1().Surface();

  // The options text and its caret keep clear of the field's border.
  form.BuildOptions();
  form.Config.AddText = "Hello";
  form.Menu().editingAddText = true;
  form.DXTimer1Timer(1);
  const Box field = BoundsOf(frame, {287, 340, 602, 430}, fieldBlue);
  ASSERT_LT(field.left, field.right) << "no text in the field";
  EXPECT_GE(field.top, 357 + 6);
  EXPECT_LE(field.bottom, 410 - 6);
  form.Menu().editingAddText = false;

  // The typed name grows from the middle of the lines around it.
  form.StartGame();
  form.Player()->SetScore(50000);
  form.SetGameOverFlag(true);
  form.LeaveGame();
  ASSERT_EQ(form.State(), GameState::EnterName);
  form.PlayerName() = "Bob";
  form.DXTimer1Timer(1);
  form.Canvas().Font.Name = "Arial";
  form.Canvas().Font.Size = 13;
  form.Canvas().Font.Bold = true;
  const int linesMiddle = 278 + form.Canvas().TextWidth("Please Enter Your Name") / 2;
  const Box name = BoundsOf(frame, {200, 290, 600, 322}, gold);
  ASSERT_LT(name.left, name.right) << "no name drawn";
  EXPECT_NEAR((name.left + name.right) / 2, linesMiddle, 4);

  // "GAME OVER" in the middle of its panel.
  form.Player()->SetScore(0);
  form.DXTimer1Timer(1);
  form.ClearPlayField();
  form.StartGame();
  form.TimeLeft = 0;
  form.Timer1Timer();
  ASSERT_EQ(form.State(), GameState::GameOver);
  form.DXTimer1Timer(1);
  const TAsk* panel = form.Ask().Get();
  ASSERT_NE(panel, nullptr);
  const int panelMiddle = static_cast<int>(panel->X) + panel->Width / 2;
  const Box over = BoundsOf(
      frame, {static_cast<int>(panel->X), 270, static_cast<int>(panel->X) + panel->Width, 330},
      gold);
  ASSERT_LT(over.left, over.right) << "no GAME OVER drawn";
  EXPECT_NEAR((over.left + over.right) / 2, panelMiddle, 4);
}

}  // namespace
}  // namespace brinecast
