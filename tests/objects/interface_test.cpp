// Interface sprites: places by state, drawn only while shown, the check box's
// tick, the goal icons, and the time bar's width and flashing.
#include <SDL_surface.h>

#include <string>

#include "SpriteFixture.h"
#include "engine/PictureCollectionItem.h"
#include "objects/Ask.h"
#include "objects/Chk.h"
#include "objects/Hlp.h"
#include "objects/LimitTime.h"
#include "objects/MenuB.h"
#include "objects/PlayerTime.h"
#include "objects/ToDoFish.h"

namespace brinecast {
namespace {

class InterfaceTest : public SpriteTest {
 protected:
  SDL_Surface* Surface() { return game.DXDraw1().Surface(); }

  uint32_t Pixel(int x, int y) {
    return static_cast<const uint32_t*>(Surface()->pixels)[y * Surface()->pitch / 4 + x] & 0xFFFFFF;
  }

  // Whether anything but black lies in the sprite's box after it rendered on black.
  bool DrawsSomething(TSprite& sprite) {
    game.DXDraw1().Fill(0);
    sprite.Render();
    for (int y = static_cast<int>(sprite.Y); y < sprite.Y + sprite.Height; ++y) {
      for (int x = static_cast<int>(sprite.X); x < sprite.X + sprite.Width; ++x) {
        if (Pixel(x, y) != 0) return true;
      }
    }
    return false;
  }
};

class MenuSpriteTest : public InterfaceTest {
 protected:
  void SetUp() override { LoadMenuImages(); }
};

TEST_F(MenuSpriteTest, QuestionPanelSitsWhereItsStateWantsIt) {
  struct Case {
    GameState state;
    int x;
    int y;
  };
  const Case cases[] = {{GameState::ExitQuestion, 270, 120},
                        {GameState::ExitGameQuestion, 270, 120},
                        {GameState::GameOver, 239, 187},
                        {GameState::EnterName, 239, 187},
                        {GameState::Game, 239, 187}};
  for (const Case& c : cases) {
    game.SetState(c.state);
    auto* ask = new TAsk(&Root(), "Qtns");
    EXPECT_EQ(ask->X, c.x) << StateName(c.state);
    EXPECT_EQ(ask->Y, c.y) << StateName(c.state);
    EXPECT_EQ(ask->Z(), 5);
    EXPECT_EQ(ask->Image->Name(), "Qtns");
  }
}

TEST_F(MenuSpriteTest, HelpPagesComeByNumber) {
  for (uint8_t page = 1; page <= 4; ++page) {
    auto* help = new THlp(&Root(), page);
    EXPECT_EQ(help->Image->Name(), "Hlp" + std::to_string(page));
    EXPECT_EQ(help->X, 33);
    EXPECT_EQ(help->Y, 175);
    EXPECT_EQ(help->Z(), 0);
  }
}

TEST_F(MenuSpriteTest, ButtonDrawsOnlyWhileShownButKeepsItsBox) {
  auto* button = new TMenuB(&Root(), 261, 200, "Start");
  EXPECT_EQ(button->X, 261);
  EXPECT_EQ(button->Y, 200);
  EXPECT_EQ(button->Z(), 0);
  EXPECT_EQ(button->Width, button->Image->Width());
  EXPECT_FALSE(button->Shown);
  EXPECT_FALSE(DrawsSomething(*button));
  button->Shown = true;
  EXPECT_TRUE(DrawsSomething(*button));
}

TEST_F(MenuSpriteTest, CheckBoxShowsItsTickWhileSendingOnline) {
  auto* box = new TChk(&Root());
  EXPECT_EQ(box->X, 376);
  EXPECT_EQ(box->Y, 365);
  EXPECT_EQ(box->Z(), 6);
  EXPECT_FALSE(DrawsSomething(*box));
  box->Shown = true;
  auto picture = [&] {
    game.DXDraw1().Fill(0);
    box->Render();
    std::vector<uint32_t> pixels;
    for (int y = 365; y < 365 + box->Height; ++y) {
      for (int x = 376; x < 376 + box->Width; ++x) pixels.push_back(Pixel(x, y));
    }
    return pixels;
  };
  const auto empty = picture();
  game.Send = true;
  const auto ticked = picture();
  EXPECT_NE(empty, ticked);
  game.Send = false;
  EXPECT_EQ(picture(), empty);
}

TEST_F(InterfaceTest, GoalIconsAreTheIconItemsAtTheirPlaces) {
  const int xs[] = {99, 169, 235, 282, 346, 396, 482, 524, 588, 706};
  const int ys[] = {5, 3, 10, 8, 10, 5, 5, 8, 3, 12};
  for (int kind = 1; kind <= 10; ++kind) {
    TToDoFish* icon = CreateToDoIcon(&Root(), kind);
    EXPECT_EQ(icon->Image, game.GameImgs().Items().Items(kind + 20));
    EXPECT_EQ(icon->Image->Name(), "Icon" + std::to_string(kind));
    EXPECT_EQ(icon->X, xs[kind - 1]);
    EXPECT_EQ(icon->Y, ys[kind - 1]);
    EXPECT_EQ(icon->Z(), -1);
    EXPECT_FALSE(DrawsSomething(*icon));
    icon->Shown = true;
    EXPECT_TRUE(DrawsSomething(*icon));
  }
}

class TimeBarTest : public InterfaceTest {
 protected:
  void SetUp() override {
    PlayLevel();
    gauge = new TLimitTime(&Root());
    bar = gauge->Bar.Get();
  }

  // The bar's width in a drawn frame, read along its middle row.
  int DrawnWidth() {
    game.DXDraw1().Fill(0);
    bar->Render();
    AfterDraw({bar});
    int width = 0;
    while (187 + width < 800 && Pixel(187 + width, 579 + bar->Height / 2) != 0) ++width;
    return width;
  }

  // The bar's colour in a frame of "Time2".
  uint32_t FrameColour(int frame) {
    game.DXDraw1().Fill(0);
    bar->Image->DrawStretched(Surface(), TRect{0, 0, 8, bar->Height}, frame);
    return Pixel(4, bar->Height / 2);
  }

  uint32_t DrawnColour() {
    game.DXDraw1().Fill(0);
    bar->Step(0);
    bar->Render();
    return Pixel(187, 579 + bar->Height / 2);
  }

  TLimitTime* gauge = nullptr;
  TPlayerTime* bar = nullptr;
};

TEST_F(TimeBarTest, GaugeAndBarSitAtTheBottom) {
  EXPECT_EQ(gauge->X, 187);
  EXPECT_EQ(gauge->Y, 579);
  EXPECT_EQ(gauge->Z(), 0);
  EXPECT_EQ(gauge->Image->Name(), "Time1");
  EXPECT_EQ(bar->X, 187);
  EXPECT_EQ(bar->Y, 579);
  EXPECT_EQ(bar->Z(), -1);
  EXPECT_EQ(bar->Width, 1);
  EXPECT_EQ(bar->Height, bar->Image->Height());
  gauge->KillWithBar();
  game.DXSpriteEngine1().PurgeDead();
  EXPECT_FALSE(game.LimitTime());
  EXPECT_EQ(Root().Count(), 0);
}

TEST_F(TimeBarTest, WidthIsTheShareOfTheLevelsTimeLeft) {
  struct Case {
    int levelTime;
    int timeLeft;
    int width;
  };
  const Case cases[] = {{11, 1100, 429}, {10, 500, 215}, {10, 250, 107},
                        {11, 1, 0},      {9, 1, 0},      {1, 1, 4}};
  for (const Case& c : cases) {
    game.LevelTime = c.levelTime;
    game.TimeLeft = c.timeLeft;
    EXPECT_EQ(DrawnWidth(), c.width) << c.levelTime << " " << c.timeLeft;
  }
}

TEST_F(TimeBarTest, AnEmptyOrNegativeClockReadsOneHundredth) {
  for (int timeLeft : {0, -250}) {
    game.TimeLeft = timeLeft;
    EXPECT_EQ(DrawnWidth(), 0);
    EXPECT_EQ(game.TimeLeft, 1);
  }
  game.TimeLeft = 0;
  bar->Render();
  EXPECT_EQ(game.TimeLeft, 0);  // drawing alone leaves the clock
  game.TimeLeft = 7;
  AfterDraw({bar});
  EXPECT_EQ(game.TimeLeft, 7);
}

TEST_F(TimeBarTest, NoLevelTimeDrawsNothingAndDividesByNothing) {
  game.LevelTime = 0;
  game.TimeLeft = 0;
  EXPECT_EQ(DrawnWidth(), 0);
  EXPECT_EQ(game.TimeLeft, 1);
}

TEST_F(TimeBarTest, FlashesAtThirtyPerCentOrLess) {
  const uint32_t steady = FrameColour(0);
  const uint32_t flash = FrameColour(1);
  ASSERT_NE(steady, flash);
  game.LevelTime = 10;
  struct Case {
    int timeLeft;
    int frameNo;
    uint32_t colour;
  };
  const Case cases[] = {
      {301, 16, steady}, {300, 16, flash}, {300, 31, flash}, {300, 32, steady},
      {300, 47, steady}, {300, 48, flash}, {100, 16, flash}, {1000, 16, steady},
  };
  for (const Case& c : cases) {
    game.TimeLeft = c.timeLeft;
    game.SetFrameNo(static_cast<uint8_t>(c.frameNo));
    EXPECT_EQ(DrawnColour(), c.colour) << c.timeLeft << " at frame " << c.frameNo;
  }
  // Blink changes only on frames 0 and 16 of every 32.
  game.SetFrameNo(16);
  bar->Step(0);
  game.SetFrameNo(5);
  bar->Step(0);
  EXPECT_TRUE(bar->Blink);
  game.SetFrameNo(64);
  bar->Step(0);
  EXPECT_FALSE(bar->Blink);
}

}  // namespace
}  // namespace brinecast
