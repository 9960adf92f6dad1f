// Hooking and landing effects on the running-game variables and the player.
#include "objects/CatchRules.h"

#include "objects/Game.h"
#include "objects/Kruk.h"
#include "objects/Motion.h"
#include "objects/Player.h"

namespace brinecast {

TKruk* CurrentHook(TGame& game) {
  TPlayer* player = game.Player.Get();
  return player != nullptr ? player->Hook.Get() : nullptr;
}

bool HookRising(TGame& game) {
  TKruk* hook = CurrentHook(game);
  return hook != nullptr && hook->Rising;
}

void MarkHooked(TGame& game, int32_t points) {
  if (TPlayer* player = game.Player.Get()) player->HasCatch = true;
  game.CatchPoints += points;
}

void RaiseHookLoad(TGame& game) {
  if (game.HookLoad < UINT8_MAX) ++game.HookLoad;
}

void StartCatchText(TGame& game, uint16_t level) {
  TPlayer* player = game.Player.Get();
  if (player != nullptr && player->Float) {
    game.CatchTextY = static_cast<uint16_t>(RoundToInt(player->Float->Y));
  }
  if (level == game.LevelNo) game.ShowCatchText = true;
  game.CatchSoundDue = true;
}

void AddCatchScore(TGame& game, int64_t points) {
  if (TPlayer* player = game.Player.Get()) player->AddScore(points);
}

void AddCatchTime(TGame& game, double seconds) {
  if (game.LevelTime >= game.TimeLeft / 100.0 + seconds) {
    game.TimeLeft += RoundToInt(seconds * 100);
  } else {
    game.TimeLeft = game.LevelTime * 100;
  }
}

}  // namespace brinecast
