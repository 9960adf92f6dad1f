// Objects: kinds and their values, drifting and lying, hooking on a full hook,
// landing, and the counters of earlier levels.
#include <set>
#include <string>

#include "SpriteFixture.h"
#include "engine/PictureCollectionItem.h"
#include "objects/Kruk.h"
#include "objects/Objcts.h"
#include "objects/Player.h"

namespace brinecast {
namespace {

class ObjectTest : public SpriteTest {
 protected:
  void SetUp() override {
    PlayLevel();
    game.LevelTime = 25;
    game.TimeLeft = 1000;
    player = new TPlayer(&Root(), 262);
    game.Player() = player;
  }

  // An object of `kind` at (x, y), counted like the frame loop does.
  TObjcts* MakeObject(uint8_t kind, bool fromLeft, double x, double y) {
    ++game.ObjCount;
    auto* object = new TObjcts(&Root());
    object->SetKind(kind, fromLeft);
    object->X = x;
    object->Y = y;
    return object;
  }

  void RisingHookAt(double x, double y) {
    player->Hook->X = x;
    player->Hook->Y = y;
    player->Hook->Rising = true;
  }

  TPlayer* player = nullptr;
};

TEST_F(ObjectTest, EachKindHasItsPointsTimeAndPicture) {
  struct Row {
    uint8_t kind;
    int points;
    int time;
  };
  // LevelTime 25: a tenth is 2 whole seconds.
  const Row rows[] = {{1, -50, 0}, {2, -50, -2}, {3, 50, 0}, {4, 0, 2}, {5, 100, 0}};
  for (const Row& row : rows) {
    TObjcts* object = MakeObject(row.kind, true, 100, 300);
    const std::string name = "Obj" + std::to_string(row.kind);
    EXPECT_EQ(object->Image, game.GameImgs().Items().Find(name));
    EXPECT_EQ(object->Points, row.points) << name;
    EXPECT_EQ(object->TimeBonus, row.time) << name;
    EXPECT_EQ(object->FrameCount, object->Image->PatternCount());
    EXPECT_GE(object->FrameCount, 5) << name << " needs its hooked frame 4";
    EXPECT_EQ(object->Z(), -2);
    EXPECT_EQ(object->Level, 1);
  }
  game.LevelTime = 9;
  EXPECT_EQ(MakeObject(2, true, 0, 300)->TimeBonus, 0);
  game.LevelTime = 112;
  EXPECT_EQ(MakeObject(4, true, 0, 300)->TimeBonus, 11);
}

TEST_F(ObjectTest, AtMostFourLieOnTheBottom) {
  std::set<int> kinds;
  game.BottomObjCount = 4;
  for (int i = 0; i < 200; ++i) {
    auto* object = new TObjcts(&Root());
    kinds.insert(object->Kind);
    object->Kill();
  }
  EXPECT_EQ(kinds, (std::set<int>{1, 2, 3, 4}));
  EXPECT_EQ(game.BottomObjCount, 4);

  game.BottomObjCount = 3;
  int lying = 0;
  for (int i = 0; i < 200 && game.BottomObjCount == 3; ++i) {
    auto* object = new TObjcts(&Root());
    if (object->Kind == 5) {
      ++lying;
      EXPECT_EQ(object->Y, 490);
      EXPECT_GE(object->X, 50);
      EXPECT_LE(object->X, 649);
      EXPECT_EQ(object->Slowness, 2);
    } else {
      object->Kill();
    }
  }
  EXPECT_EQ(lying, 1);
  EXPECT_EQ(game.BottomObjCount, 4);
}

TEST_F(ObjectTest, DriftingObjectsStartOffAnEdge) {
  std::set<bool> sides;
  game.BottomObjCount = 4;
  for (int i = 0; i < 100; ++i) {
    auto* object = new TObjcts(&Root());
    sides.insert(object->FromLeft);
    if (object->FromLeft) {
      EXPECT_LE(object->X, 0);
      EXPECT_GE(object->X, -99);
      EXPECT_GE(object->Slowness, 3);
    } else {
      EXPECT_GE(object->X, 800);
      EXPECT_LE(object->X, 899);
      EXPECT_LE(object->Slowness, -3);
    }
    EXPECT_GE(object->Y, 230);
    EXPECT_LT(object->Y, 530 - object->Height);
    object->Kill();
  }
  EXPECT_EQ(sides.size(), 2U);
}

TEST_F(ObjectTest, DriftSpeedIsTwentyFiveDividedBySlownessAndLyingOnesStayPut) {
  const int speeds[] = {8, 6, 5, 4, 3, 3, 2};
  for (int slowness = 3; slowness <= 9; ++slowness) {
    for (bool fromLeft : {true, false}) {
      TObjcts* object = MakeObject(3, fromLeft, 400, 300);
      object->Slowness = static_cast<int8_t>(fromLeft ? slowness : -slowness);
      object->Step(1);
      EXPECT_EQ(object->X, 400 + (fromLeft ? 1 : -1) * speeds[slowness - 3]) << slowness;
    }
  }
  TObjcts* lying = MakeObject(5, true, 50, 490);
  for (int tick = 0; tick < 300; ++tick) lying->Step(tick & 255);
  EXPECT_EQ(lying->X, 50);
  EXPECT_FALSE(lying->IsDead());
}

TEST_F(ObjectTest, LyingObjectPlaysItsAnimationOnceDriftingOnesLoop) {
  TObjcts* lying = MakeObject(5, true, 300, 490);
  const int last = lying->FrameCount - 1;
  for (int tick = 1; tick <= 3 * (last + 3); ++tick) lying->Step(tick);
  EXPECT_EQ(lying->FramePos, last);

  TObjcts* drifting = MakeObject(1, true, 300, 300);
  drifting->Slowness = 3;  // period 4
  std::vector<int> frames;
  std::vector<int> cycle;
  for (int f = 1; f < drifting->FrameCount; ++f) cycle.push_back(f);
  cycle.push_back(0);
  for (int tick = 4; frames.size() < cycle.size(); tick += 4) {
    drifting->X = 300;
    drifting->Step(tick);
    drifting->Step(tick + 1);  // off the period: no change
    frames.push_back(static_cast<int>(drifting->FramePos));
  }
  EXPECT_EQ(frames, cycle);
}

TEST_F(ObjectTest, HarmfulKindsAreHookedEvenOnAFullHook) {
  for (uint8_t kind = 1; kind <= 5; ++kind) {
    game.HookLoad = 10;
    game.CatchPoints = 0;
    TObjcts* object = MakeObject(kind, true, 300, 300);
    object->Slowness = 127;  // moves 0 pixels
    RisingHookAt(300 + object->Width / 2, 300 + object->Height / 2);
    object->Step(1);
    const bool harmful = kind <= 2;
    EXPECT_EQ(object->Hooked, harmful) << int{kind};
    EXPECT_EQ(game.HookLoad, harmful ? 11 : 10) << int{kind};
    EXPECT_EQ(game.CatchPoints, harmful ? -50 : 0) << int{kind};
    object->Kill();
    game.DXSpriteEngine1().PurgeDead();
  }
}

TEST_F(ObjectTest, OnlyARisingHookCatches) {
  TObjcts* object = MakeObject(3, true, 300, 300);
  object->Slowness = 127;
  RisingHookAt(300 + object->Width / 2, 300 + object->Height / 2);
  player->Hook->Rising = false;
  object->Step(1);
  EXPECT_FALSE(object->Hooked);
  player->Hook->Rising = true;
  object->Step(1);
  EXPECT_TRUE(object->Hooked);
  EXPECT_TRUE(player->HasCatch);
  EXPECT_EQ(game.CatchPoints, 50);
  EXPECT_EQ(game.HookLoad, 1);
}

TEST_F(ObjectTest, HookedObjectHangsBelowTheHookUntilTooDeep) {
  TObjcts* object = MakeObject(4, true, 300, 300);
  object->Hooked = true;
  RisingHookAt(400, 300);
  object->Step(1);
  EXPECT_EQ(object->FramePos, 4);
  EXPECT_EQ(object->X, 400 - object->Width / 2 + 3);
  EXPECT_EQ(object->Y, 290);
  const int deep = 560 - object->Height;  // from here on it stays put
  player->Hook->Y = deep;
  player->Hook->X = 410;
  object->Step(1);
  EXPECT_EQ(object->Y, 290);
  EXPECT_EQ(object->X, 410 - object->Width / 2 + 3);
  player->Hook->Y = deep - 1;
  object->Step(1);
  EXPECT_EQ(object->Y, deep - 11);
}

TEST_F(ObjectTest, LandingPaysAndChangesTheClockButNoGoal) {
  struct Case {
    uint8_t kind;
    int timeLeft;
    int scoreAfter;
    int timeAfter;
  };
  const Case cases[] = {
      {1, 1000, 950, 1000},  {2, 1000, 950, 800},   {2, 100, 950, -100},   {3, 1000, 1050, 1000},
      {4, 1000, 1000, 1200}, {4, 2400, 1000, 2500}, {4, 2300, 1000, 2500}, {5, 1000, 1100, 1000},
  };
  for (const Case& c : cases) {
    player->SetScore(1000);
    game.TimeLeft = c.timeLeft;
    game.HookLoad = 3;
    game.ObjCount = 0;
    game.BottomObjCount = 0;
    TObjcts* object = MakeObject(c.kind, true, 300, 300);
    object->Hooked = true;
    RisingHookAt(300, 239);
    object->Step(1);
    ASSERT_TRUE(object->IsDead()) << int{c.kind};
    EXPECT_EQ(player->Score(), c.scoreAfter) << int{c.kind};
    EXPECT_EQ(game.TimeLeft, c.timeAfter) << int{c.kind} << " at " << c.timeLeft;
    EXPECT_EQ(game.HookLoad, 0);
    EXPECT_EQ(game.ObjCount, 0);
    EXPECT_EQ(game.BottomObjCount, 0);
    EXPECT_EQ(game.CatchTextY, 171);
    EXPECT_TRUE(game.ShowCatchText);
    EXPECT_EQ(game.Goals[0].Left, 1);
  }
}

TEST_F(ObjectTest, ObjectsOfAnEarlierLevelLeaveWithoutTouchingTheCounters) {
  TObjcts* old = MakeObject(3, true, 900, 300);
  old->Entering = false;
  TObjcts* current = MakeObject(3, true, 900, 300);
  current->Entering = false;
  game.LevelNo = 2;  // the next level reset the counters
  game.ObjCount = 1;
  current->Level = 2;
  old->Step(1);
  EXPECT_TRUE(old->IsDead());
  EXPECT_EQ(game.ObjCount, 1);
  current->Step(1);
  EXPECT_TRUE(current->IsDead());
  EXPECT_EQ(game.ObjCount, 0);
}

TEST_F(ObjectTest, DrawingAnObjectOfAnEarlierLevelRemovesIt) {
  TObjcts* object = MakeObject(5, true, 300, 490);
  object->Render();
  AfterDraw({object});
  EXPECT_FALSE(object->IsDead());
  game.LevelNo = 2;
  object->Render();
  EXPECT_FALSE(object->IsDead());  // drawing alone removes nothing
  AfterDraw({object});
  EXPECT_TRUE(object->IsDead());
}

TEST_F(ObjectTest, LeavesWhenPlayEndsAndWaitsWhileFrozen) {
  TObjcts* object = MakeObject(3, true, 300, 300);
  game.SetState(GameState::ExitGameQuestion);
  game.Freeze().SetEnabled(true);
  object->Step(4);
  EXPECT_FALSE(object->IsDead());
  EXPECT_EQ(object->X, 300);
  game.SetState(GameState::Menu);
  object->Step(4);
  EXPECT_TRUE(object->IsDead());
  EXPECT_EQ(game.ObjCount, 1);
}

TEST_F(ObjectTest, HookedObjectWaitsWhenTheRigIsGone) {
  TObjcts* object = MakeObject(3, true, 300, 300);
  object->Hooked = true;
  player->KillRig();
  game.DXSpriteEngine1().PurgeDead();
  object->Step(1);
  object->Render();
  EXPECT_FALSE(object->IsDead());
  EXPECT_EQ(object->Y, 300);
}

}  // namespace
}  // namespace brinecast
