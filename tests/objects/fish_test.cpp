// Fish: kinds, swimming, animation, hooking (and the long fish's snag) and landing.
#include "objects/Fish.h"

#include <set>
#include <string>

#include "SpriteFixture.h"
#include "engine/PictureCollectionItem.h"
#include "objects/Kruk.h"
#include "objects/Player.h"

namespace brinecast {
namespace {

class FishTest : public SpriteTest {
 protected:
  void SetUp() override {
    PlayLevel();
    player = new TPlayer(&Root(), 262);
    game.Player() = player;
  }

  // A fish of `kind` from the given side at (x, y), counted like the frame loop does.
  TFish* MakeFish(uint8_t kind, bool fromLeft, double x, double y) {
    ++game.FishCount;
    auto* fish = new TFish(&Root());
    fish->SetKind(kind, fromLeft);
    fish->X = x;
    fish->Y = y;
    return fish;
  }

  TKruk& Hook() { return *player->Hook.Get(); }

  // The hook rising at (x, y).
  void RisingHookAt(double x, double y) {
    Hook().X = x;
    Hook().Y = y;
    Hook().Rising = true;
  }

  TPlayer* player = nullptr;
};

TEST_F(FishTest, EachKindHasItsPointsRestFramesAndPicture) {
  struct Row {
    uint8_t kind;
    int points;
    int restFrames;
  };
  const Row rows[] = {{1, 10, 2}, {2, 10, 2}, {3, 10, 2}, {4, 10, 2},  {5, 10, 2},
                      {6, 20, 1}, {7, 50, 1}, {8, 50, 0}, {9, 100, 2}, {10, 100, 0}};
  for (const Row& row : rows) {
    for (bool fromLeft : {true, false}) {
      TFish* fish = MakeFish(row.kind, fromLeft, 100, 300);
      const std::string name = "Fish" + std::to_string(row.kind) + (fromLeft ? "L" : "R");
      EXPECT_EQ(fish->Image, game.GameImgs().Items().Find(name)) << name;
      EXPECT_EQ(fish->Points, row.points) << name;
      EXPECT_EQ(fish->RestFrames, row.restFrames) << name;
      EXPECT_EQ(fish->FrameCount, fish->Image->PatternCount()) << name;
      EXPECT_EQ(fish->Width, fish->Image->Width()) << name;
      EXPECT_EQ(fish->TimeBonus, 0.5);
    }
  }
}

TEST_F(FishTest, NewFishTakeAGoalKindAndStartJustOffAnEdge) {
  game.GoalCount = 2;
  game.Goals[0] = {8, 3};
  game.Goals[1] = {6, 1};
  game.LevelNo = 4;
  std::set<int> kinds;
  std::set<bool> sides;
  for (int i = 0; i < 200; ++i) {
    auto* fish = new TFish(&Root());
    kinds.insert(fish->Kind);
    sides.insert(fish->FromLeft);
    EXPECT_EQ(fish->Level, 4);
    EXPECT_EQ(fish->Z(), -1);
    EXPECT_TRUE(fish->Entering);
    EXPECT_FALSE(fish->Hooked);
    const int slowness = fish->FromLeft ? fish->Slowness : -fish->Slowness;
    EXPECT_GE(slowness, 3);
    EXPECT_LE(slowness, 9);
    if (fish->FromLeft) {
      EXPECT_GE(fish->X, -fish->Width - 2);
      EXPECT_LE(fish->X, -fish->Width + 47);
    } else {
      EXPECT_GE(fish->X, 802);
      EXPECT_LE(fish->X, 851);
    }
    if (fish->Kind == 8) {
      EXPECT_EQ(fish->Y, 500);
    } else {
      EXPECT_GE(fish->Y, 230);
      EXPECT_LT(fish->Y, 530 - fish->Height);
    }
    fish->Kill();
  }
  EXPECT_EQ(kinds, (std::set<int>{6, 8}));
  EXPECT_EQ(sides.size(), 2U);
}

TEST_F(FishTest, WithoutGoalsANewFishIsOfSomeRealKind) {
  game.GoalCount = 0;
  game.Goals = {};
  for (int i = 0; i < 50; ++i) {
    auto* fish = new TFish(&Root());
    EXPECT_GE(fish->Kind, 1);
    EXPECT_LE(fish->Kind, 10);
  }
}

TEST_F(FishTest, SwimSpeedIsTwentyDividedBySlownessTruncated) {
  const int speeds[] = {6, 5, 4, 3, 2, 2, 2};
  for (int slowness = 3; slowness <= 9; ++slowness) {
    for (bool fromLeft : {true, false}) {
      TFish* fish = MakeFish(1, fromLeft, 400, 400);
      fish->Slowness = static_cast<int8_t>(fromLeft ? slowness : -slowness);
      fish->Step(1);
      EXPECT_EQ(fish->X, 400 + (fromLeft ? 1 : -1) * speeds[slowness - 3]) << slowness;
    }
  }
}

TEST_F(FishTest, AnimationStepsOnMultiplesOfItsPeriod) {
  const int periods[] = {4, 6, 7, 9, 10, 11, 13};
  for (int slowness = 3; slowness <= 9; ++slowness) {
    for (int sign : {1, -1}) {
      TFish* fish = MakeFish(6, sign > 0, 400, 400);  // one rest step
      fish->Slowness = static_cast<int8_t>(sign * slowness);
      const int period = periods[slowness - 3];
      int changes = 0;
      double last = fish->FramePos;
      int restCount = fish->RestCount;
      for (int tick = 1; tick < 3 * period; ++tick) {
        fish->X = 400;
        fish->Step(tick);
        const bool stepped = fish->FramePos != last || fish->RestCount != restCount;
        EXPECT_EQ(stepped, tick % period == 0) << slowness << " tick " << tick;
        changes += stepped ? 1 : 0;
        last = fish->FramePos;
        restCount = fish->RestCount;
      }
      EXPECT_EQ(changes, 2);
    }
  }
}

TEST_F(FishTest, EachCycleRestsOnFrameZero) {
  TFish* fish = MakeFish(1, true, 400, 400);
  fish->Slowness = 3;  // period 4
  const int frames = fish->FrameCount;
  ASSERT_GE(frames, 2);
  std::vector<int> shown;
  for (int tick = 4; shown.size() < static_cast<size_t>(2 * (frames + 2)); tick += 4) {
    fish->X = 400;
    fish->Step(tick);
    shown.push_back(static_cast<int>(fish->FramePos));
  }
  std::vector<int> cycle{0, 0};
  for (int f = 1; f < frames; ++f) cycle.push_back(f);
  cycle.push_back(0);  // a new cycle: RestFrames + 1 steps on frame 0 in all
  EXPECT_EQ(std::vector<int>(shown.begin(), shown.begin() + frames + 2), cycle);
}

TEST_F(FishTest, EnteringFishSurvivesUntilItHasBeenInsideAndLeftAgain) {
  TFish* fish = MakeFish(1, false, 851, 400);
  fish->Slowness = -3;
  game.FishCount = 1;
  int steps = 0;
  while (fish->X >= 820) {
    fish->Step(1);
    ASSERT_FALSE(fish->IsDead());
    ++steps;
  }
  EXPECT_TRUE(fish->Entering);
  fish->Step(1);
  EXPECT_FALSE(fish->Entering);
  fish->X = -fish->Width - 20;
  fish->Step(1);
  EXPECT_TRUE(fish->IsDead());
  EXPECT_EQ(game.FishCount, 0);
  // Never counted below 0.
  TFish* other = MakeFish(1, true, -500, 400);
  game.FishCount = 0;
  other->Entering = false;
  other->Step(1);
  EXPECT_TRUE(other->IsDead());
  EXPECT_EQ(game.FishCount, 0);
}

TEST_F(FishTest, RisingHookCatchesAndTheHaulGrows) {
  TFish* fish = MakeFish(3, true, 300, 300);
  fish->Slowness = 9;
  RisingHookAt(302, 300);
  fish->Step(1);
  ASSERT_TRUE(fish->Hooked);
  EXPECT_TRUE(player->HasCatch);
  EXPECT_EQ(game.CatchPoints, 10);
  EXPECT_EQ(game.HookLoad, 1);
  EXPECT_GE(fish->HangAngle, 60);
  EXPECT_LE(fish->HangAngle, 69);
  EXPECT_FALSE(fish->Snagged);

  TFish* flat = MakeFish(9, false, 300, 300);
  flat->Step(1);
  ASSERT_TRUE(flat->Hooked);
  EXPECT_LE(flat->HangAngle, 9);
  EXPECT_EQ(game.CatchPoints, 110);
  EXPECT_EQ(game.HookLoad, 2);
}

TEST_F(FishTest, NoCatchOnASinkingHookOrAFullOne) {
  TFish* fish = MakeFish(1, true, 300, 300);
  fish->Slowness = 127;  // swims 0 pixels a frame: stays on the hook
  RisingHookAt(302, 300);
  Hook().Rising = false;
  fish->Step(1);
  EXPECT_FALSE(fish->Hooked);
  Hook().Rising = true;
  game.HookLoad = 10;
  fish->Step(1);
  EXPECT_FALSE(fish->Hooked);
  EXPECT_EQ(game.CatchPoints, 0);
  game.HookLoad = 9;
  fish->Step(1);
  EXPECT_TRUE(fish->Hooked);
  EXPECT_EQ(game.HookLoad, 10);
}

TEST_F(FishTest, LongFishBitesWithItsHeadAndSnagsBehindIt) {
  // Where the hook point (Hook X + 3, Hook Y) lies relative to the fish's top left.
  struct Case {
    bool fromLeft;
    int pointX;
    int pointY;
    bool snagged;
  };
  const TFish* probe = MakeFish(10, true, 0, 0);
  const int w = probe->Width;
  const int h = probe->Height;
  ASSERT_GT(w, 2 * 55);
  const Case cases[] = {
      // Swimming right the head is the right-most 55 pixels; the body is before it.
      {true, 0, 0, true},
      {true, w - 55, 0, true},
      {true, w - 54, 0, false},
      // Swimming left the head is the left-most 55 pixels.
      {false, 55, 0, true},
      {false, w, 0, true},
      {false, 54, 0, false},
      // The depth window, edges included.
      {true, 20, -17, true},
      {true, 20, -18, false},
      {true, 20, h - 14, true},
      {true, 20, h - 13, false},
  };
  for (const Case& c : cases) {
    game.CatchPoints = 0;
    game.HookLoad = 0;
    TFish* fish = MakeFish(10, c.fromLeft, 300, 300);
    fish->Slowness = static_cast<int8_t>(c.fromLeft ? 127 : -127);  // moves 0 pixels
    RisingHookAt(300 + c.pointX - 3, 300 + c.pointY);
    fish->Step(1);
    const std::string where = std::to_string(c.fromLeft) + " " + std::to_string(c.pointX) + " " +
                              std::to_string(c.pointY);
    EXPECT_EQ(fish->Snagged, c.snagged) << where;
    if (c.snagged) {
      EXPECT_TRUE(fish->Hooked) << where;
      EXPECT_EQ(game.CatchPoints, -50) << where;
      EXPECT_EQ(game.HookLoad, 0) << where;
      EXPECT_GE(static_cast<int8_t>(fish->HangAngle), -69) << where;
      EXPECT_LE(static_cast<int8_t>(fish->HangAngle), -60) << where;
    } else if (fish->Hooked) {
      EXPECT_EQ(game.CatchPoints, 100) << where;
      EXPECT_EQ(game.HookLoad, 1) << where;
    }
    fish->Kill();
    game.DXSpriteEngine1().PurgeDead();
  }
  // Hook point well inside the head: caught normally through the collision.
  for (bool fromLeft : {true, false}) {
    game.CatchPoints = 0;
    game.HookLoad = 0;
    TFish* fish = MakeFish(10, fromLeft, 300, 300);
    fish->Slowness = static_cast<int8_t>(fromLeft ? 127 : -127);
    RisingHookAt(fromLeft ? 300 + w - 30 : 300 + 20, 300 + h / 2);
    fish->Step(1);
    EXPECT_TRUE(fish->Hooked);
    EXPECT_FALSE(fish->Snagged);
    EXPECT_EQ(game.CatchPoints, 100);
    EXPECT_EQ(game.HookLoad, 1);
    fish->Kill();
    game.DXSpriteEngine1().PurgeDead();
  }
}

TEST_F(FishTest, LandingPaysPointsAddsTimeAndCountsTheGoal) {
  game.FishCount = 0;
  TFish* fish = MakeFish(1, true, 300, 300);
  fish->Hooked = true;
  game.HookLoad = 1;
  game.TimeLeft = 500;
  player->SetScore(7);
  RisingHookAt(300, 230);  // lands only above y 230
  SettleHooked(fish);
  EXPECT_EQ(fish->Y, 230);
  EXPECT_EQ(fish->X, 300);
  EXPECT_FALSE(fish->IsDead());
  Hook().Y = 229;
  SettleHooked(fish);
  EXPECT_TRUE(fish->IsDead());
  EXPECT_EQ(player->Score(), 17);
  EXPECT_EQ(game.HookLoad, 0);
  EXPECT_EQ(game.FishCount, 0);
  EXPECT_EQ(game.TimeLeft, 550);
  EXPECT_EQ(game.CatchTextY, 171);
  EXPECT_TRUE(game.ShowCatchText);
  EXPECT_TRUE(game.CatchSoundDue);
  EXPECT_EQ(game.Goals[0].Left, 0);
  EXPECT_EQ(game.GoalsDone, 1);
  EXPECT_FALSE(game.LevelClock().Enabled());
  EXPECT_TRUE(game.Freeze().Enabled());
  EXPECT_TRUE(game.BonusCount().Enabled());
}

TEST_F(FishTest, LandingNeverTakesTheClockAboveTheLevelsTime) {
  struct Case {
    int timeLeft;
    int after;
  };
  const Case cases[] = {{1050, 1100}, {1080, 1100}, {1100, 1100}, {1049, 1099}, {0, 50}};
  for (const Case& c : cases) {
    TFish* fish = MakeFish(2, true, 300, 300);
    fish->Hooked = true;
    game.TimeLeft = c.timeLeft;
    RisingHookAt(300, 200);
    SettleHooked(fish);
    EXPECT_EQ(game.TimeLeft, c.after) << c.timeLeft;
  }
}

TEST_F(FishTest, SnaggedLongFishCostsFiftyButCountsForItsGoal) {
  game.Goals[0] = {10, 2};
  TFish* fish = MakeFish(10, true, 300, 300);
  fish->Hooked = true;
  fish->Snagged = true;
  player->SetScore(100);
  RisingHookAt(300, 200);
  SettleHooked(fish);
  EXPECT_EQ(player->Score(), 50);
  EXPECT_EQ(game.Goals[0].Left, 1);
}

TEST_F(FishTest, DrawingAHookedFishAtTheSurfaceChangesNothing) {
  TFish* fish = MakeFish(1, true, 300, 200);
  fish->Hooked = true;
  game.TimeLeft = 500;
  player->SetScore(7);
  RisingHookAt(320, 150);
  fish->Render();
  EXPECT_EQ(fish->X, 300);
  EXPECT_EQ(fish->Y, 200);
  EXPECT_FALSE(fish->IsDead());
  EXPECT_EQ(player->Score(), 7);
  EXPECT_EQ(game.TimeLeft, 500);
  EXPECT_EQ(game.Goals[0].Left, 1);
}

TEST_F(FishTest, AHaulCountsEveryMatchingGoalDownButNeverBelowZero) {
  game.GoalCount = 3;
  game.Goals[0] = {4, 1};
  game.Goals[1] = {5, 3};
  game.Goals[2] = {4, 2};
  RisingHookAt(300, 200);
  for (int i = 0; i < 3; ++i) {
    TFish* fish = MakeFish(4, i % 2 == 0, 300, 300);
    fish->Hooked = true;
    SettleHooked(fish);
  }
  EXPECT_EQ(game.Goals[0].Left, 0);
  EXPECT_EQ(game.Goals[1].Left, 3);
  EXPECT_EQ(game.Goals[2].Left, 0);
  EXPECT_EQ(game.GoalsDone, 2);
  EXPECT_FALSE(game.BonusCount().Enabled());
}

TEST_F(FishTest, AFishOfAnEarlierLevelLandsWithoutTheTextOrTheGoals) {
  TFish* fish = MakeFish(1, true, 300, 300);
  fish->Hooked = true;
  fish->Level = 0;
  RisingHookAt(300, 200);
  SettleHooked(fish);
  EXPECT_TRUE(fish->IsDead());
  EXPECT_FALSE(game.ShowCatchText);
  EXPECT_TRUE(game.CatchSoundDue);
  EXPECT_EQ(game.Goals[0].Left, 1);
  EXPECT_EQ(player->Score(), 10);
}

TEST_F(FishTest, HangingFishStopsFollowingAHookTooDeep) {
  TFish* fish = MakeFish(1, true, 300, 300);
  fish->Hooked = true;
  const int limit = 560 - fish->Width;  // hook Y from which the fish stays put
  RisingHookAt(310, limit - 1);
  SettleHooked(fish);
  EXPECT_EQ(fish->Y, limit - 1);
  Hook().Y = limit + 30;
  Hook().X = 320;
  SettleHooked(fish);
  EXPECT_EQ(fish->Y, limit - 1);
  EXPECT_EQ(fish->X, 320);

  TFish* flat = MakeFish(9, true, 300, 300);
  flat->Hooked = true;
  Hook().Y = 560 - flat->Height - 1;
  SettleHooked(flat);
  EXPECT_EQ(flat->Y, 560 - flat->Height - 31);
  Hook().Y = 560 - flat->Height;
  SettleHooked(flat);
  EXPECT_EQ(flat->Y, 560 - flat->Height - 31);
}

TEST_F(FishTest, LeavesWhenThePlayOrTheLevelEndsWithoutCounting) {
  struct Case {
    GameState state;
    int level;
    bool stays;
  };
  const Case cases[] = {{GameState::Game, 1, true},
                        {GameState::ExitGameQuestion, 1, true},
                        {GameState::Menu, 1, false},
                        {GameState::GameOver, 1, false},
                        {GameState::Game, 2, false}};
  for (const Case& c : cases) {
    game.SetState(c.state);
    game.LevelNo = 1;
    game.FishCount = 3;
    TFish* fish = MakeFish(1, true, 300, 300);
    game.FishCount = 3;
    game.LevelNo = static_cast<uint16_t>(c.level);
    fish->Step(1);
    EXPECT_EQ(!fish->IsDead(), c.stays) << StateName(c.state) << " " << c.level;
    EXPECT_EQ(game.FishCount, 3);
  }
}

TEST_F(FishTest, FrozenWhileTheBannerTimerRuns) {
  TFish* fish = MakeFish(1, true, 300, 300);
  RisingHookAt(302, 300);
  game.Freeze().SetEnabled(true);
  for (int tick = 1; tick < 30; ++tick) fish->Step(tick);
  EXPECT_EQ(fish->X, 300);
  EXPECT_EQ(fish->FramePos, 0);
  EXPECT_FALSE(fish->Hooked);
}

TEST_F(FishTest, CopesWithTheRigBeingGone) {
  TFish* fish = MakeFish(1, true, 300, 300);
  TFish* hooked = MakeFish(2, true, 300, 300);
  hooked->Hooked = true;
  player->KillRig();
  game.DXSpriteEngine1().PurgeDead();
  ASSERT_FALSE(game.Player());
  fish->Step(1);
  hooked->Step(1);
  SettleHooked(hooked);
  hooked->Render();
  fish->Render();
  EXPECT_FALSE(fish->Hooked);
  EXPECT_FALSE(hooked->IsDead());
}

}  // namespace
}  // namespace brinecast
