// The variables of a running game: the level, its goals, the clock, the catch and the sprites
// the game keeps hold of.
#pragma once

#include <array>
#include <cstdint>

#include "engine/SpriteRef.h"

namespace brinecast {

class TPlayer;
class TFon;
class TVolna;
class TLimitTime;
class TToDoFish;

// One goal of a level: land Left more fish of kind FishKind.
struct TGoal {
  uint8_t FishKind = 0;
  uint16_t Left = 0;
};

// The variables of a running game with their widths; all zero at start. The
// sprite references read as absent once their sprite has been freed.
struct TRunningGame {
  // The sprites the game keeps hold of: the rig, the background, the wave, the time bar
  // and the goals' icons (ToDoIcons()[0] is kind 1).
  TSpriteRef<TPlayer>& Player() { return player_; }
  const TSpriteRef<TPlayer>& Player() const { return player_; }
  TSpriteRef<TFon>& Fon() { return fon_; }
  TSpriteRef<TVolna>& Volna() { return volna_; }
  TSpriteRef<TLimitTime>& LimitTime() { return limitTime_; }
  std::array<TSpriteRef<TToDoFish>, 10>& ToDoIcons() { return toDoIcons_; }

  // Play stands still for the pause, a question or the level banner.
  bool Paused() const { return paused_; }
  void SetPaused(bool paused) { paused_ = paused; }
  // The game is over: by time, by giving up, or by a step of the simulator.
  bool GameOverFlag() const { return gameOverFlag_; }
  void SetGameOverFlag(bool over) { gameOverFlag_ = over; }

  uint16_t LevelNo = 0;
  std::array<TGoal, 10> Goals{};  // Goals[0] is goal 1
  uint8_t GoalCount = 0;
  uint8_t GoalsDone = 0;
  int32_t LevelTime = 0;  // seconds
  int32_t TimeLeft = 0;   // hundredths of a second
  uint8_t FishCount = 0;
  uint8_t ObjCount = 0;
  uint8_t BottomObjCount = 0;
  uint8_t HookLoad = 0;
  int32_t CatchPoints = 0;
  uint16_t CatchTextY = 0;
  bool ShowCatchText = false;
  bool CatchSoundDue = false;

 private:
  TSpriteRef<TPlayer> player_;
  TSpriteRef<TFon> fon_;
  TSpriteRef<TVolna> volna_;
  TSpriteRef<TLimitTime> limitTime_;
  std::array<TSpriteRef<TToDoFish>, 10> toDoIcons_{};
  bool paused_ = false;
  bool gameOverFlag_ = false;
};

}  // namespace brinecast
