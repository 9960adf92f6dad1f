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
  TSpriteRef<TPlayer> Player;
  TSpriteRef<TFon> Fon;
  TSpriteRef<TVolna> Volna;
  TSpriteRef<TLimitTime> LimitTime;
  std::array<TSpriteRef<TToDoFish>, 10> ToDoIcons{};  // ToDoIcons[0] is kind 1
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
  bool Paused = false;
  bool GameOverFlag = false;
};

}  // namespace brinecast
