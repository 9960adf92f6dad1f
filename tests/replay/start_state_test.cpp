// What a recording must carry to start its game again: a new game starts on an empty sea, and
// what it found at its start comes back exactly in a replay's fresh game.
#include <gtest/gtest.h>

#include <string>

#include "app/TForm1.h"
#include "objects/Fish.h"
#include "objects/Player.h"
#include "objects/Puzir.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/GameFolder.h"
#include "support/OfflineSetup.h"

namespace brinecast {
namespace {

int Count(TForm1& form, const std::string& className) {
  int count = 0;
  for (const TSprite* sprite : form.DXSpriteEngine1.Engine().DrawOrder()) {
    if (sprite->ClassName() == className) ++count;
  }
  return count;
}

TEST(StartState, ANewGameStartsOnAnEmptySea) {
  testing::GameFolder folder;
  HeadlessPlatform platform;
  TForm1 form(testing::OfflineSetup(platform, folder.AppDir(), 3));
  form.FormCreate();
  form.StartGame();
  // What a game just left may still hold: a fish, a bubble, and a boat killed but not freed
  // (it would still move, and take the new boat's first pointer step).
  new TFish(&form.DXSpriteEngine1.Engine());
  new TPuzir(&form.DXSpriteEngine1.Engine());
  form.Player->KillRig();
  form.StartGame();
  EXPECT_EQ(Count(form, "TFish"), 0);
  EXPECT_EQ(Count(form, "TPuzir"), 0);
  EXPECT_EQ(Count(form, "TPlayer"), 1);
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
  form.Timer3.SetEnabled(true);
  form.DXInput1.KeyDown(37);
  const replay::StartState start = form.CaptureStart();

  HeadlessPlatform fresh;
  TForm1 replayed(testing::OfflineSetup(fresh, folder.AppDir(), 99));
  replayed.FormCreate();
  replayed.RestoreStart(start);
  EXPECT_EQ(replayed.CaptureStart(), start);
  EXPECT_EQ(replayed.RandomState(), form.RandomState());
}

}  // namespace
}  // namespace brinecast
