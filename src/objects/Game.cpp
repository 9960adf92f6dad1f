// The main window's shared part as the sprites see it: its components wired together, sound
// effects guarded by the sound option, and the end of a level.
#include "objects/Game.h"

namespace brinecast {

TGame::TGame(Platform& platform, uint64_t seed)
    : dxSpriteEngine1_(dxDraw1_),
      gameImgs_(dxDraw1_),
      dxImageList1_(dxDraw1_),
      dxInput1_(platform),
      levelClock_(platform, kLevelClockMs),
      freeze_(platform, kFreezeMs),
      gameOverStep_(platform, kGameOverStepMs),
      bonusCount_(platform, kBonusCountMs),
      randomGen_(seed) {
  DXSpriteEngine1().Engine().SetContext(&field_);
}

TGame::~TGame() {
  // Sprites are freed before the components they draw with.
  DXSpriteEngine1().Engine().Clear();
}

void TGame::PlaySound(std::string_view name) {
  if (SoundOn()) DXWaveList1().Items().Find(name).Play(false);
}

void TGame::StopSound(std::string_view name) {
  if (SoundOn()) DXWaveList1().Items().Find(name).Stop();
}

void TGame::StopAllSounds() {
  DXWaveList1().StopAll();
}

void TGame::LevelComplete() {
  StopAllSounds();
  LevelClock().SetEnabled(false);
  Freeze().SetEnabled(true);
  BonusCount().SetEnabled(true);
}

}  // namespace brinecast
