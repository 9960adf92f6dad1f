// The level procedures: starting a game, the next level, leaving a game and clearing
// its field, freezing play, and what each frame of play changes (the rising catch text
// and the random spawns of bubbles, objects and fish).
#include "app/LevelGoals.h"
#include "app/TForm1.h"
#include "app/screens/ScreenSet.h"
#include "objects/Fish.h"
#include "objects/Fon.h"
#include "objects/GameStates.h"
#include "objects/LimitTime.h"
#include "objects/MenuB.h"
#include "objects/Motion.h"
#include "objects/Objcts.h"
#include "objects/Player.h"
#include "objects/Puzir.h"
#include "objects/ToDoFish.h"
#include "objects/Volna.h"
#include "storage/HighScores.h"

namespace brinecast {

namespace {

// Where the boat starts each game.
constexpr int kPlayerStartX = 262;

}  // namespace

void TForm1::StartGame() {
  TSpriteEngine& root = DXSpriteEngine1().Engine();
  ClearLeftovers();
  if (recorder_) {
    if (recorder_->GameRunning()) EndRecording(false);
    recorder_->GameStarts(CaptureStart());
  }
  Fon().Kill();
  KillMainMenuButtons();
  Fon() = new TFon(&root, static_cast<int>(Random(3)) + 1);
  LimitTime() = new TLimitTime(&root);
  Volna() = new TVolna(&root);
  Player() = new TPlayer(&root, kPlayerStartX);
  LevelNo = 0;
  SetPaused(false);
  SetGameOverFlag(false);
  ShowMouse(false);
  Player()->SetScore(0);
  NextLevel();
  if (Config.MusicOn) PlayMusic(Tune::Play);
  SetState(GameState::Game);
}

void TForm1::NextLevel() {
  LevelClock().SetEnabled(false);
  StopAllSounds();
  ++LevelNo;
  for (const auto& icon : ToDoIcons()) {
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
      if (TToDoFish* icon = ToDoIcons()[goal.FishKind - 1].Get()) icon->Shown = true;
    }
  }
  if (LevelNo > 1) PlaySound("Level");
  TimeLeft = LevelTime * 100;
  FishCount = 0;
  ObjCount = 0;
  const TPlayer* player = Player().Get();
  const TImageSprite* floatSprite = player ? player->Float.Get() : nullptr;
  CatchTextY = static_cast<uint16_t>(floatSprite ? RoundToInt(floatSprite->Y) : 0);
  CatchPoints = 0;
  BottomObjCount = 0;
  ShowCatchText = false;
  Freeze().SetEnabled(true);
}

void TForm1::LeaveGame() {
  if (SoundOn()) StopAllSounds();
  ShowMouse(true);
  FreezePlay();
  GameOverStep().SetEnabled(false);
  if (!GameOverFlag()) {
    screens_->exitGameQuestion.Open();
    return;
  }
  EndRecording(true);
  for (const auto& icon : ToDoIcons()) {
    if (TToDoFish* sprite = icon.Get()) sprite->Shown = false;
  }
  LevelClock().SetEnabled(false);
  Freeze().SetEnabled(false);
  const int64_t score = Player() ? Player()->Score() : 0;
  if (Qualifies(score, Config)) {
    screens_->nameEntry.Open();
    return;
  }
  ClearPlayField();
  if (Config.MusicOn) PlayMusic(Tune::Menu);
  BuildMainMenu();
}

void TForm1::ClearPlayField() {
  Volna().Kill();
  if (TPlayer* player = Player().Get()) player->KillRig();
  if (TLimitTime* limit = LimitTime().Get()) limit->KillWithBar();
  if (TFon* fon = Fon().Get()) fon->KillWithWeeds();
  Fon() = new TFon(&DXSpriteEngine1().Engine(), 0);
}

void TForm1::FreezePlay() {
  SetPaused(true);
  LevelClock().SetEnabled(false);
  Freeze().SetEnabled(true);
}

void TForm1::ThawPlay() {
  SetPaused(false);
  LevelClock().SetEnabled(true);
  Freeze().SetEnabled(false);
}

void TForm1::AdvancePlay() {
  TSpriteEngine& root = DXSpriteEngine1().Engine();
  // The catch text rises 3 pixels a frame and goes at the top of the sea.
  if (ShowCatchText) {
    if (CatchTextY <= 130) {
      const TPlayer* player = Player().Get();
      CatchTextY = static_cast<uint16_t>(player ? RoundToInt(player->Y) : 0);
      CatchPoints = 0;
      ShowCatchText = false;
    } else {
      CatchTextY = static_cast<uint16_t>(CatchTextY - 3);
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
