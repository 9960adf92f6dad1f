// Backgrounds with their seaweed, panels, the wave band and the bubbles.
#include <string>

#include "SpriteFixture.h"
#include "engine/PictureCollectionItem.h"
#include "objects/Fon.h"
#include "objects/FonB.h"
#include "objects/Puzir.h"
#include "objects/Vodorosl.h"
#include "objects/Volna.h"

namespace brinecast {
namespace {

class SceneryTest : public SpriteTest {
 protected:
  void SetUp() override { PlayLevel(); }
};

TEST_F(SceneryTest, WaveBandSwingsBetweenMinusOneAndMinusHundred) {
  auto* wave = new TVolna(&Root());
  EXPECT_EQ(wave->X, -1);
  EXPECT_EQ(wave->Y, 183);
  EXPECT_EQ(wave->Z(), 0);
  EXPECT_EQ(wave->Image, game.GameImgs().Items().Find("Volna"));
  double lowest = 0;
  for (int frame = 1; frame <= 198; ++frame) {
    wave->Step(frame);
    lowest = std::min(lowest, wave->X);
    if (frame == 99) {
      EXPECT_EQ(wave->X, -100);
    }
  }
  EXPECT_EQ(lowest, -100);
  EXPECT_EQ(wave->X, -1);
  wave->Step(0);
  EXPECT_EQ(wave->X, -2);
  game.Freeze().SetEnabled(true);
  wave->Step(0);
  EXPECT_EQ(wave->X, -2);
}

TEST_F(SceneryTest, BubbleWobblesAboutItsStartAndRises) {
  for (int i = 0; i < 100; ++i) {
    auto* bubble = new TPuzir(&Root());
    EXPECT_GE(bubble->X, 20);
    EXPECT_LE(bubble->X, 779);
    EXPECT_EQ(bubble->Y, 500);
    EXPECT_EQ(bubble->CentreX, bubble->X);
    EXPECT_GE(bubble->Swing, 3);
    EXPECT_LE(bubble->Swing, 9);
    EXPECT_GE(bubble->Rise, 1);
    EXPECT_LE(bubble->Rise, 3);
    EXPECT_EQ(bubble->Z(), -6);
    const std::string name = bubble->Image->Name();
    EXPECT_TRUE(name == "Puzir" || name == "Puziri") << name;
    bubble->Kill();
  }
  auto* bubble = new TPuzir(&Root());
  bubble->X = 20;
  bubble->CentreX = 20;
  bubble->Swing = 9;
  bubble->Rise = 1;
  std::vector<int> xs;
  for (int i = 0; i < 9 + 18 + 18; ++i) {
    bubble->Step(0);
    xs.push_back(static_cast<int>(bubble->X));
  }
  EXPECT_EQ(xs[8], 29);
  EXPECT_EQ(xs[9], 28);
  EXPECT_EQ(xs[26], 11);
  EXPECT_EQ(xs[27], 12);
  EXPECT_EQ(xs[44], 29);
  EXPECT_EQ(bubble->Y, 500 - 45);
}

TEST_F(SceneryTest, BubbleBurstsAtTheSurfaceBand) {
  auto* bubble = new TPuzir(&Root());
  bubble->Rise = 3;
  bubble->Y = 229;
  bubble->Step(0);
  EXPECT_FALSE(bubble->IsDead());
  bubble->Step(0);
  EXPECT_TRUE(bubble->IsDead());
}

TEST_F(SceneryTest, BubbleOutlivesAFrozenStateChangeButNotItsThaw) {
  auto* bubble = new TPuzir(&Root());
  game.SetState(GameState::ExitGameQuestion);
  game.Freeze().SetEnabled(true);
  const double y = bubble->Y;
  bubble->Step(0);
  EXPECT_FALSE(bubble->IsDead());
  EXPECT_EQ(bubble->Y, y);
  game.Freeze().SetEnabled(false);
  bubble->Step(0);
  EXPECT_TRUE(bubble->IsDead());
}

TEST_F(SceneryTest, SeaweedSwaysOnMultiplesOfItsDelay) {
  auto* weed = new TVodorosl(&Root(), 78, 305, "Vodorosl1");
  EXPECT_EQ(weed->X, 78);
  EXPECT_EQ(weed->Y, 305);
  EXPECT_EQ(weed->Z(), -5);
  EXPECT_GE(weed->Delay, 10);
  EXPECT_LE(weed->Delay, 14);
  ASSERT_GE(weed->FrameCount, 2);
  weed->Delay = 12;
  std::vector<int> frames;
  for (int tick = 0; tick < 256; ++tick) {
    const double before = weed->FramePos;
    weed->Step(tick);
    if (weed->FramePos != before) frames.push_back(tick);
  }
  ASSERT_FALSE(frames.empty());
  for (int tick : frames) EXPECT_EQ(tick % 12, 0) << tick;
  EXPECT_EQ(frames.size(), 22U);  // 0, 12, ..., 252
  // Frames cycle back to 0 after the last.
  weed->FramePos = weed->FrameCount - 1;
  weed->Step(0);
  EXPECT_EQ(weed->FramePos, 0);
  game.Freeze().SetEnabled(true);
  weed->Step(0);
  EXPECT_EQ(weed->FramePos, 0);
}

class BackgroundTest : public SceneryTest {
 protected:
  void SetUp() override {
    SceneryTest::SetUp();
    LoadMenuImages();
  }
};

TEST_F(BackgroundTest, EachSeaPlantsItsSeaweedAndTakesItAway) {
  struct Weed {
    const char* image;
    int x;
    int y;
  };
  struct Row {
    int background;
    Weed slots[3];
  };
  const Row rows[] = {
      {1, {{"Vodorosl1", 78, 305}, {"Vodorosl1", 590, 312}, {"Vodorosl2", -200, 0}}},
      {2, {{"Vodorosl1", 622, 313}, {"Vodorosl2", 376, 417}, {"Vodorosl2", -200, 0}}},
      {3, {{"Vodorosl1", 179, 311}, {"Vodorosl1", 600, 314}, {"Vodorosl2", 321, 420}}},
  };
  for (const Row& row : rows) {
    auto* fon = new TFon(&Root(), row.background);
    EXPECT_EQ(fon->Image, game.DXImageList1().Items().Items(row.background));
    EXPECT_EQ(fon->Z(), -10);
    EXPECT_EQ(Live("TVodorosl"), 3);
    for (int slot = 0; slot < 3; ++slot) {
      ASSERT_TRUE(fon->Weeds[slot]);
      EXPECT_EQ(fon->Weeds[slot]->Image->Name(), row.slots[slot].image);
      EXPECT_EQ(fon->Weeds[slot]->X, row.slots[slot].x);
      EXPECT_EQ(fon->Weeds[slot]->Y, row.slots[slot].y);
      EXPECT_EQ(fon->Weeds[slot]->Parent(), &Root());
    }
    fon->KillWithWeeds();
    game.DXSpriteEngine1().PurgeDead();
    EXPECT_EQ(Live("TVodorosl"), 0);
    EXPECT_EQ(Live("TFon"), 0);
  }
  auto* menu = new TFon(&Root(), 0);
  EXPECT_EQ(Live("TVodorosl"), 0);
  for (const auto& weed : menu->Weeds) EXPECT_FALSE(weed);
  EXPECT_EQ(menu->Width, 800);
  EXPECT_EQ(menu->Height, 600);
}

TEST_F(BackgroundTest, PanelsSitBehindTheScreens) {
  for (const char* name : {"FonOpt", "FonHScr", "FonHelp"}) {
    auto* panel = new TFonB(&Root(), name);
    EXPECT_EQ(panel->Image->Name(), name);
    EXPECT_EQ(panel->X, 32);
    EXPECT_EQ(panel->Y, 129);
    EXPECT_EQ(panel->Z(), -5);
    EXPECT_EQ(panel->Width, panel->Image->Width());
  }
}

}  // namespace
}  // namespace brinecast
