// Setting up a game and its levels, and what the frame loop does during play:
// the rising catch text and the random spawns of bubbles, objects and fish.
#include <cstdio>

#include "app/LevelGoals.h"
#include "app/TForm1.h"
#include "objects/Fish.h"
#include "objects/Fon.h"
#include "objects/LimitTime.h"
#include "objects/MenuB.h"
#include "objects/Motion.h"
#include "objects/Objcts.h"
#include "objects/Player.h"
#include "objects/Puzir.h"
#include "objects/ToDoFish.h"
#include "objects/Volna.h"

namespace brinecast {

namespace {

// Where the boat starts each game.
constexpr int kPlayerStartX = 262;

}  // namespace

void TForm1::StartGame() {
  TSpriteEngine& root = DXSpriteEngine1.Engine();
  Fon.Kill();
  for (int i = 0; i < 6; ++i) MenuButtons[i].Kill();
  Fon = new TFon(&root, static_cast<int>(Random(3)) + 1);
  LimitTime = new TLimitTime(&root);
  Volna = new TVolna(&root);
  Player = new TPlayer(&root, kPlayerStartX);
  LevelNo = 0;
  Paused = false;
  GameOverFlag = false;
  ShowMouse(false);
  Player->SetScore(0);
  NextLevel();
  if (Config.MusicOn) PlayMusic(appDir_ + "Sound/2.xm", "Can't load music.");
  GameState = "Game";
}

void TForm1::NextLevel() {
  Timer1.SetEnabled(false);
  StopAllSounds();
  ++LevelNo;
  for (const auto& icon : ToDoIcons) {
    if (TToDoFish* sprite = icon.Get()) sprite->Shown = false;
  }
  const LevelGoals goals = GoalsOfLevel(LevelNo, [this](uint32_t n) { return Random(n); });
  GoalCount = goals.count;
  Goals = goals.goals;
  GoalsDone = 0;
  LevelTime = LevelSeconds(goals);
  for (int i = 0; i < GoalCount; ++i) {
    const TGoal& goal = Goals[i];
    if (goal.FishKind >= 1 && goal.FishKind <= 10) {
      if (TToDoFish* icon = ToDoIcons[goal.FishKind - 1].Get()) icon->Shown = true;
    }
  }
  if (LevelNo > 1) PlaySound("Level");
  TimeLeft = LevelTime * 100;
  FishCount = 0;
  ObjCount = 0;
  const TPlayer* player = Player.Get();
  const TImageSprite* floatSprite = player ? player->Float.Get() : nullptr;
  CatchTextY = static_cast<uint16_t>(floatSprite ? RoundToInt(floatSprite->Y) : 0);
  CatchPoints = 0;
  BottomObjCount = 0;
  ShowCatchText = false;
  Timer2.SetEnabled(true);
}

void TForm1::CatchTextAndSpawns() {
  TSpriteEngine& root = DXSpriteEngine1.Engine();
  if (ShowCatchText) {
    TPlayer* player = Player.Get();
    if (CatchTextY <= 130) {
      CatchTextY = static_cast<uint16_t>(player ? RoundToInt(player->Y) : 0);
      CatchPoints = 0;
      ShowCatchText = false;
    } else {
      CatchTextY = static_cast<uint16_t>(CatchTextY - 3);
      char text[16];
      std::snprintf(text, sizeof text, "%-3d", CatchPoints);
      const TImageSprite* floatSprite = player ? player->Float.Get() : nullptr;
      const int x = floatSprite ? RoundToInt(floatSprite->X) : 0;
      Canvas.TextOut(x, CatchTextY, text);
      if (CatchSoundDue) PlaySound("Poimal");
      CatchSoundDue = false;
    }
  }
  if (Random(400) == 0) new TPuzir(&root);
  if (Random(200) == 0 && ObjCount < 10) {
    ++ObjCount;
    new TObjcts(&root);
  }
  if (Random(50) == 0) {
    const uint32_t n = Random(5);
    if (n + GoalCount > FishCount) {
      ++FishCount;
      new TFish(&root);
    }
  }
}

}  // namespace brinecast
