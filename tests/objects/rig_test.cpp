// The boat, rod, float, line and hook: layout, limits, lowering and reeling.
#include <cstring>
#include <limits>

#include "SpriteFixture.h"
#include "objects/Kruk.h"
#include "objects/Leska.h"
#include "objects/Player.h"
#include "objects/Udochka.h"
#include "platform/VirtualKeys.h"

namespace brinecast {
namespace {

class RigTest : public SpriteTest {
 protected:
  void SetUp() override {
    PlayLevel();
    player = new TPlayer(&Root(), 262);
    game.Player() = player;
  }

  void HoldDown(bool down) {
    if (down) {
      game.DXInput1().KeyDown(vk::Down);
    } else {
      game.DXInput1().KeyUp(vk::Down);
    }
    game.DXInput1().Update();
  }

  double HookY() { return player->Hook->Y; }
  int RodFrame() { return static_cast<int>(player->Rod->FramePos); }

  TPlayer* player = nullptr;
};

TEST_F(RigTest, PartsStartWhereTheBoatPutsThem) {
  EXPECT_EQ(player->X, 262);
  EXPECT_EQ(player->Y, 80);
  EXPECT_EQ(player->Z(), -1);
  EXPECT_EQ(player->Rod->X, 269);
  EXPECT_EQ(player->Rod->Y, 117);
  EXPECT_EQ(player->Rod->Z(), 0);
  EXPECT_GE(player->Rod->FrameCount, 3);
  EXPECT_EQ(player->Float->X, 262);
  EXPECT_EQ(player->Float->Y, 171);
  EXPECT_EQ(player->Float->Z(), 1);
  EXPECT_EQ(player->Line->X, 262);
  EXPECT_EQ(player->Line->Y, 223);
  EXPECT_EQ(player->Line->Height, 1);
  EXPECT_EQ(player->Line->Z(), -4);
  EXPECT_EQ(player->Hook->X, 262);
  EXPECT_EQ(player->Hook->Y, 225);
  EXPECT_FALSE(player->Hook->Rising);
  EXPECT_FALSE(player->HasCatch);
  EXPECT_FALSE(player->Reeling);
  EXPECT_EQ(player->Score(), 0);
  // The five are siblings under the root, boat first.
  ASSERT_EQ(Root().Count(), 5);
  EXPECT_STREQ(Root().Items(0)->ClassName(), "TPlayer");
  EXPECT_STREQ(Root().Items(1)->ClassName(), "TUdochka");
  EXPECT_STREQ(Root().Items(2)->ClassName(), "TImageSprite");
  EXPECT_STREQ(Root().Items(3)->ClassName(), "TLeska");
  EXPECT_STREQ(Root().Items(4)->ClassName(), "TKruk");
}

TEST_F(RigTest, HookGoesDownToFiveTwentyFiveAndReelsBackInFiftySteps) {
  HoldDown(true);
  for (int i = 1; i <= 50; ++i) {
    Frame();
    EXPECT_EQ(HookY(), 225 + 6 * i);
    EXPECT_EQ(player->Line->BottomY, 225 + 6 * i);
  }
  Frame();
  EXPECT_EQ(HookY(), 525);
  EXPECT_FALSE(player->Hook->Rising);
  HoldDown(false);
  for (int i = 1; i < 50; ++i) {
    Frame();
    EXPECT_EQ(HookY(), 525 - 6 * i);
    EXPECT_TRUE(player->Hook->Rising);
    EXPECT_TRUE(player->Reeling);
    EXPECT_EQ(RodFrame(), 1);
  }
  Frame();
  EXPECT_EQ(HookY(), 225);
  EXPECT_EQ(RodFrame(), 0);
  EXPECT_FALSE(player->Reeling);
  // Still rising at rest: a fish touching the resting hook is caught.
  EXPECT_TRUE(player->Hook->Rising);
  Frame();
  EXPECT_EQ(HookY(), 225);
}

TEST_F(RigTest, DownForOneFrameDipsTheHookAndStartsAndStopsTheReelSound) {
  game.Sound = true;
  game.MouseHeld = true;
  Frame();
  EXPECT_EQ(HookY(), 231);
  game.MouseHeld = false;
  Frame();
  EXPECT_EQ(HookY(), 225);
  EXPECT_EQ(RodFrame(), 0);
  EXPECT_FALSE(player->Reeling);
  std::vector<std::string> ups;
  for (const SoundRecord& record : platform.Sounds()) {
    if (record.name == "Up") ups.push_back(record.action);
  }
  ASSERT_FALSE(ups.empty());
  EXPECT_NE(std::find(ups.begin(), ups.end(), "play"), ups.end());
  EXPECT_EQ(ups.back(), "stop");
}

TEST_F(RigTest, DownDuringTheReelHoldsTheHookWithoutCatching) {
  game.MouseHeld = true;
  for (int i = 0; i < 10; ++i) Frame();
  game.MouseHeld = false;
  Frame();
  EXPECT_EQ(HookY(), 279);
  game.MouseHeld = true;
  for (int i = 0; i < 5; ++i) Frame();
  EXPECT_EQ(HookY(), 279);
  EXPECT_FALSE(player->Hook->Rising);
  EXPECT_TRUE(player->Reeling);
  game.MouseHeld = false;
  Frame();
  EXPECT_EQ(HookY(), 273);
  EXPECT_TRUE(player->Hook->Rising);
}

TEST_F(RigTest, RodShowsTheCatchWhileReelingAndForgetsItOnArrival) {
  game.MouseHeld = true;
  Frame();
  Frame();
  game.MouseHeld = false;
  Frame();
  EXPECT_EQ(RodFrame(), 1);
  player->HasCatch = true;
  Frame();
  EXPECT_EQ(HookY(), 225);
  EXPECT_EQ(RodFrame(), 0);
  EXPECT_FALSE(player->HasCatch);
}

TEST_F(RigTest, BoatStopsAtItsLimitsAndTheRigFollows) {
  game.DXInput1().KeyDown(vk::Left);
  game.DXInput1().Update();
  for (int i = 0; i < 100; ++i) Frame();
  EXPECT_EQ(player->X, 46);
  EXPECT_EQ(player->Rod->X, 53);
  EXPECT_EQ(player->Float->X, 46);
  EXPECT_EQ(player->Hook->X, 46);
  EXPECT_EQ(player->Line->X, 46);
  game.DXInput1().KeyUp(vk::Left);
  game.DXInput1().KeyDown(vk::Right);
  game.DXInput1().Update();
  for (int i = 0; i < 200; ++i) Frame();
  const int limit = 770 - player->Width / 2;
  EXPECT_GE(player->X, limit);
  EXPECT_LT(player->X - 6, limit);
}

TEST_F(RigTest, MouseStepsAreTakenOnceAndWaitAtALimit) {
  game.MouseStepLeft = true;
  Frame();
  EXPECT_EQ(player->X, 256);
  EXPECT_FALSE(game.MouseStepLeft);
  Frame();
  EXPECT_EQ(player->X, 256);

  player->X = 770 - player->Width / 2;
  game.MouseStepRight = true;
  Frame();
  EXPECT_EQ(player->X, 770 - player->Width / 2);
  EXPECT_TRUE(game.MouseStepRight);
  player->X -= 6;
  Frame();
  EXPECT_EQ(player->X, 770 - player->Width / 2);
  EXPECT_FALSE(game.MouseStepRight);
}

TEST_F(RigTest, FrozenWhileTheBannerTimerRuns) {
  game.Freeze().SetEnabled(true);
  game.MouseHeld = true;
  game.MouseStepLeft = true;
  for (int i = 0; i < 5; ++i) Frame();
  EXPECT_EQ(player->X, 262);
  EXPECT_EQ(HookY(), 225);
  EXPECT_TRUE(game.MouseStepLeft);
}

TEST_F(RigTest, AllGoalsMetEndsTheLevel) {
  Frame();
  EXPECT_TRUE(game.LevelClock().Enabled());
  EXPECT_FALSE(game.Freeze().Enabled());
  game.GoalsDone = 1;
  Frame();
  EXPECT_FALSE(game.LevelClock().Enabled());
  EXPECT_TRUE(game.Freeze().Enabled());
  EXPECT_TRUE(game.BonusCount().Enabled());
}

TEST_F(RigTest, ScoreIsNotHeldPlainlyAndStopsAtTheEndsOfItsRange) {
  for (int64_t score : {int64_t{0}, int64_t{1234567}, int64_t{-50},
                        std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min()}) {
    player->SetScore(score);
    EXPECT_EQ(player->Score(), score);
  }
  const int64_t plain = 0x0123456789ABCDEFLL;
  player->SetScore(plain);
  const auto* bytes = reinterpret_cast<const unsigned char*>(player);
  bool found = false;
  for (size_t i = 0; i + sizeof plain <= sizeof(TPlayer); ++i) {
    found = found || std::memcmp(bytes + i, &plain, sizeof plain) == 0;
  }
  EXPECT_FALSE(found);

  player->SetScore(std::numeric_limits<int64_t>::max() - 10);
  player->AddScore(100);
  EXPECT_EQ(player->Score(), std::numeric_limits<int64_t>::max());
  player->SetScore(std::numeric_limits<int64_t>::min() + 10);
  player->AddScore(-50);
  EXPECT_EQ(player->Score(), std::numeric_limits<int64_t>::min());
}

TEST_F(RigTest, KillRigEndsAllFiveAndTheReferencesReadAbsent) {
  TSpriteRef<TKruk> hook = player->Hook;
  player->KillRig();
  EXPECT_EQ(static_cast<int>(Root().DeadQueue().size()), 5);
  game.DXSpriteEngine1().PurgeDead();
  EXPECT_EQ(Root().Count(), 0);
  EXPECT_FALSE(game.Player());
  EXPECT_FALSE(hook);
}

TEST_F(RigTest, BoatCarriesOnWhenItsHookIsGone) {
  player->Hook.Kill();
  player->Line.Kill();
  game.DXSpriteEngine1().PurgeDead();
  game.MouseHeld = true;
  game.MouseStepLeft = true;
  Frame();
  EXPECT_EQ(player->X, 256);
  EXPECT_EQ(player->Rod->X, 263);
}

}  // namespace
}  // namespace brinecast
