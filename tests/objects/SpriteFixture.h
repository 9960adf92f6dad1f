// A game with the built picture archives and no window, for the sprite classes.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/SpriteEngine.h"
#include "media/EmbeddedSounds.h"
#include "objects/DrawSettle.h"
#include "objects/Fish.h"
#include "objects/Game.h"
#include "platform/headless/HeadlessPlatform.h"

namespace brinecast {

class TestGame : public TGame {
 public:
  explicit TestGame(Platform& platform) : TGame(platform, 1) {
    for (const char* name : {"Up", "Poimal", "Level", "Over"}) {
      TWaveCollectionItem& item = DXWaveList1().Items().Add();
      item.Name = name;
      item.Wave = EmbeddedWave(name);
    }
    DXWaveList1().Initialize(platform);
    DXDraw1().Initialize();
    GameImgs().Items().LoadFromFile(BRINECAST_APPDIR "/Data/GameImgs.dxg");
  }

  using TGame::NextFrame;
  // Runs the frame count on to `n`, the way frames do.
  void SetFrameNo(uint8_t n) {
    while (FrameNo() != n) NextFrame();
  }

  bool SoundOn() const override { return Sound; }
  bool SendOnline() const override { return Send; }

  bool Sound = false;
  bool Send = false;
};

class SpriteTest : public ::testing::Test {
 protected:
  TSpriteEngine& Root() { return game.DXSpriteEngine1().Engine(); }

  // The menu pictures are large: only the tests that need them load them.
  void LoadMenuImages() {
    game.DXImageList1().Items().LoadFromFile(BRINECAST_APPDIR "/Data/MenuImgs.dxg");
  }

  // A level in play: one goal of kind 1, the clock running.
  void PlayLevel() {
    game.SetState(GameState::Game);
    game.LevelNo = 1;
    game.GoalCount = 1;
    game.Goals[0] = {1, 1};
    game.LevelTime = 11;
    game.TimeLeft = 1100;
    game.LevelClock().SetEnabled(true);
  }

  // One frame's sprite work: move, free the killed, draw (with what happens around it).
  void Frame() {
    game.NextFrame();
    game.DXSpriteEngine1().Move(game.FrameNo());
    game.DXSpriteEngine1().PurgeDead();
    const std::vector<TSprite*> shown = SpritesToDraw(Root());
    BeforeDraw(shown);
    game.DXSpriteEngine1().Draw();
    AfterDraw(shown);
  }

  // What a frame does to one drawn fish before the draw: it hangs and may land.
  static void SettleHooked(TFish* fish) { BeforeDraw({fish}); }

  // Counts the live sprites of a class.
  int Live(const std::string& className) {
    int n = 0;
    for (int i = 0; i < Root().Count(); ++i) {
      const TSprite* sprite = Root().Items(i);
      if (!sprite->IsDead() && className == sprite->ClassName()) ++n;
    }
    return n;
  }

  HeadlessPlatform platform;
  TestGame game{platform};
};

}  // namespace brinecast
