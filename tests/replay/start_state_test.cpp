// What a recording must carry to start its game again: a new game starts with what the rules
// leave it, and what it found at its start comes back exactly in a replay's fresh game.
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/Project1.h"
#include "app/TForm1.h"
#include "app/replay/VerifyRecording.h"
#include "objects/Fish.h"
#include "objects/Player.h"
#include "objects/Puzir.h"
#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessPlatform.h"
#include "replay/Recording.h"
#include "support/Events.h"
#include "support/GameFolder.h"
#include "support/OfflineSetup.h"
#include "support/TimedSteps.h"

namespace brinecast {
namespace {

int Count(TForm1& form, const std::string& className) {
  int count = 0;
  for (const TSprite* sprite : form.DXSpriteEngine1().Engine().DrawOrder()) {
    if (sprite->ClassName() == className) ++count;
  }
  return count;
}

TEST(StartState, ANewGameKeepsOnlyTheBubblesTheLastOneLeft) {
  testing::GameFolder folder;
  HeadlessPlatform platform;
  TForm1 form(testing::OfflineSetup(platform, folder.AppDir(), 3));
  form.FormCreate();
  form.StartGame();
  // What a game just left may still hold when no frame has run since: a fish, a bubble, and a
  // boat killed but not freed (it would still move, and take the new boat's first pointer
  // step). Only the bubble may go on: the rules let it rise on into the next game.
  new TFish(&form.DXSpriteEngine1().Engine());
  new TPuzir(&form.DXSpriteEngine1().Engine());
  form.Player()->KillRig();
  form.StartGame();
  EXPECT_EQ(Count(form, "TFish"), 0);
  EXPECT_EQ(Count(form, "TPuzir"), 1);
  EXPECT_EQ(Count(form, "TPlayer"), 1);
  EXPECT_EQ(form.CaptureStart().bubbles.size(), 1U);
}

TEST(StartState, ComesBackInAFreshGame) {
  testing::GameFolder folder;
  HeadlessPlatform played;
  TForm1 form(testing::OfflineSetup(played, folder.AppDir(), 11));
  form.FormCreate();
  form.StartGame();
  form.HookLoad = 2;
  form.CatchSoundDue = true;
  form.MouseStepLeft = true;
  form.KeySum = 42;
  form.GameOverStep().SetEnabled(true);
  form.DXInput1().KeyDown(37);
  for (int i = 0; i < 3; ++i) {
    auto* bubble = new TPuzir(&form.DXSpriteEngine1().Engine());
    bubble->Y -= 40 * i + 0.5;
    bubble->Dir = static_cast<int8_t>(i == 1 ? -1 : 1);
  }
  const replay::StartState start = form.CaptureStart();
  ASSERT_EQ(start.bubbles.size(), 3U);

  HeadlessPlatform fresh;
  TForm1 replayed(testing::OfflineSetup(fresh, folder.AppDir(), 99));
  replayed.FormCreate();
  replayed.RestoreStart(start);
  EXPECT_EQ(replayed.CaptureStart(), start);
  EXPECT_EQ(replayed.RandomState(), form.RandomState());
  EXPECT_EQ(Count(replayed, "TPuzir"), 3);
}

void Press(HeadlessPlatform& platform, int key) {
  platform.QueueEvent(testing::Key(PlatformEvent::Kind::KeyDown, key));
  platform.QueueEvent(testing::Key(PlatformEvent::Kind::KeyUp, key));
}

std::vector<std::pair<double, double>> Bubbles(TForm1& form) {
  std::vector<std::pair<double, double>> places;
  for (const TSprite* sprite : form.DXSpriteEngine1().Engine().DrawOrder()) {
    if (sprite->ClassName() == std::string("TPuzir") && !sprite->IsDead()) {
      places.emplace_back(sprite->X, sprite->Y);
    }
  }
  return places;
}

TEST(StartState, ABubbleLeftRisingRisesOnInTheNextGameAndItsReplay) {
  testing::GameFolder folder;
  HeadlessPlatform platform;
  TForm1* game = nullptr;
  std::vector<std::pair<double, double>> atStart;
  std::vector<std::pair<double, double>> later;
  GameState stateAtStart = GameState::Starting;
  // A good score left through the question (play frozen, a bubble with it), the name entry,
  // the table, back to the menu and straight into a new game.
  auto press = [&platform](std::initializer_list<int> keys) {
    return [&platform, keys = std::vector<int>(keys)] {
      for (const int key : keys) Press(platform, key);
    };
  };
  testing::DriveSteps(platform,
                      {{0, press({vk::Return})},
                       {5100,
                        [&] {
                          game->Player()->SetScore(20000);
                          Press(platform, vk::Escape);
                        }},
                       {5150, press({vk::Return})},
                       {5200, press({'B', vk::Return})},
                       {5300, press({vk::Escape})},
                       {5400, press({vk::Up, vk::Up, vk::Return})},
                       {5450,
                        [&] {
                          stateAtStart = game->State();
                          atStart = Bubbles(*game);
                        }},
                       {8000, [&] { later = Bubbles(*game); }}},
                      8000);
  std::optional<replay::Recording> recording;
  Project1(
      testing::OfflineSetup(platform, folder.AppDir(), 3), [&](TForm1& form) { game = &form; },
      [&](TForm1& form) {
        if (auto* last = form.LastGame()) recording = *last;
      });

  EXPECT_EQ(stateAtStart, GameState::Game);
  ASSERT_EQ(atStart.size(), 1U);
  ASSERT_EQ(later.size(), 1U);
  EXPECT_LT(later[0].second, atStart[0].second) << "the bubble rises once the banner has gone";
  ASSERT_TRUE(recording);
  ASSERT_EQ(recording->start.bubbles.size(), 1U);
  EXPECT_EQ(recording->start.bubbles[0].x, atStart[0].first);
  EXPECT_EQ(recording->start.bubbles[0].y, atStart[0].second);
  const VerifyReport report = VerifyRecording(replay::EncodeRecording(*recording), folder.AppDir());
  EXPECT_EQ(report.verdict, VerifyReport::Verdict::kIncomplete) << report.Json();
  EXPECT_EQ(report.state, recording->end.state);
}

}  // namespace
}  // namespace brinecast
