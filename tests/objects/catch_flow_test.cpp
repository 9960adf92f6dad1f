// A whole catch through the engine's frames: the hook goes down, a fish swims
// into it on its way up, is hauled to the surface, lands and ends the level.
#include "SpriteFixture.h"
#include "objects/Fish.h"
#include "objects/Kruk.h"
#include "objects/Player.h"
#include "objects/Udochka.h"

namespace brinecast {
namespace {

class CatchFlowTest : public SpriteTest {};

TEST_F(CatchFlowTest, FishCaughtOnTheWayUpLandsAndCompletesTheLevel) {
  PlayLevel();
  auto* player = new TPlayer(&Root(), 262);
  game.Player() = player;
  game.MouseHeld = true;
  for (int i = 0; i < 20; ++i) Frame();
  ASSERT_EQ(player->Hook->Y, 345);
  game.MouseHeld = false;

  ++game.FishCount;
  auto* fish = new TFish(&Root());
  fish->SetKind(1, true);
  fish->Slowness = 9;  // 2 pixels a frame, rightwards
  fish->X = 262 - fish->Width;
  fish->Y = 300;
  TSpriteRef<TFish> ref(fish);

  int frames = 0;
  while (ref && !ref->Hooked && frames < 30) {
    Frame();
    ++frames;
  }
  ASSERT_TRUE(ref);
  ASSERT_TRUE(ref->Hooked);
  EXPECT_TRUE(player->HasCatch);
  EXPECT_EQ(game.CatchPoints, 10);
  EXPECT_EQ(game.HookLoad, 1);
  Frame();
  EXPECT_EQ(player->Rod->FramePos, 2);

  while (ref && frames < 100) {
    Frame();
    ++frames;
  }
  EXPECT_FALSE(ref);
  EXPECT_EQ(player->Score(), 10);
  EXPECT_EQ(game.FishCount, 0);
  EXPECT_EQ(game.HookLoad, 0);
  EXPECT_EQ(game.Goals[0].Left, 0);
  EXPECT_EQ(game.GoalsDone, 1);
  EXPECT_TRUE(game.ShowCatchText);
  EXPECT_FALSE(game.LevelClock().Enabled());
  EXPECT_TRUE(game.Freeze().Enabled());
  EXPECT_TRUE(game.BonusCount().Enabled());
  // Frozen from here: the hook stays where the level ended.
  const double hookY = player->Hook->Y;
  Frame();
  EXPECT_EQ(player->Hook->Y, hookY);
}

}  // namespace
}  // namespace brinecast
