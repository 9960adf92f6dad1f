// TGame, the part of the main window the game's sprites live in: components, options,
// sound effects and the running game's variables, shown to the sprites as a play field.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/DXDraw.h"
#include "engine/DXImageList.h"
#include "engine/DXSpriteEngine.h"
#include "engine/SpriteEngine.h"
#include "engine/WindowTimer.h"
#include "media/DXInput.h"
#include "media/WaveCollection.h"
#include "objects/GameField.h"
#include "objects/GameStates.h"
#include "objects/Random.h"
#include "objects/RunningGame.h"

namespace brinecast {

class Platform;

// What the game's sprites share with the main window: its components, the game
// state and the running-game variables. The main window derives from it. The
// sprites see none of it directly: it hangs a play field on its sprite engine,
// and a sprite reaches that as Field(*this).
class TGame : public TRunningGame {
 public:
  TGame(Platform& platform, uint64_t seed);
  virtual ~TGame();
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;

  // Options the sprites read (kept in the options record of the main window).
  virtual bool SoundOn() const = 0;
  virtual bool SendOnline() const = 0;

  uint32_t Random(uint32_t n) { return randomGen_.Random(n); }
  uint64_t RandomState() const { return randomGen_.State(); }
  // A replay puts back the generator and the frame counter its game started with.
  void RestoreRandom(uint64_t state) { randomGen_.SetState(state); }
  void RestoreFrameNo(uint8_t frameNo) { frameNo_ = frameNo; }
  // The sound effect, when sound is on; the same for stopping one.
  void PlaySound(std::string_view name);
  void StopSound(std::string_view name);
  // Every sound effect stops (not guarded by the sound option).
  void StopAllSounds();
  // All goals met: play freezes and the bonus count starts.
  void LevelComplete();

  // The four window timers' periods, in ms. On a tie the lower number fires first.
  static constexpr uint32_t kLevelClockMs = 10;      // Timer1
  static constexpr uint32_t kFreezeMs = 2000;        // Timer2
  static constexpr uint32_t kGameOverStepMs = 2000;  // Timer3
  static constexpr uint32_t kBonusCountMs = 128;     // Timer4

  // Components: the drawing surface, the sprite engine, the play's and the menus' images,
  // input and the sound effects.
  TDXDraw& DXDraw1() { return dxDraw1_; }
  TDXSpriteEngine& DXSpriteEngine1() { return dxSpriteEngine1_; }
  const TDXSpriteEngine& DXSpriteEngine1() const { return dxSpriteEngine1_; }
  TDXImageList& GameImgs() { return gameImgs_; }
  TDXImageList& DXImageList1() { return dxImageList1_; }
  TDXInput& DXInput1() { return dxInput1_; }
  const TDXInput& DXInput1() const { return dxInput1_; }
  TDXWaveList& DXWaveList1() { return dxWaveList1_; }

  // The four window timers by role (Timer1 to Timer4 in the window's tie order).
  // Level clock: counts TimeLeft down by a hundredth of a second; the level ends at 0.
  WindowTimer& LevelClock() { return levelClock_; }
  const WindowTimer& LevelClock() const { return levelClock_; }
  // Freeze: while on, play stands still (the level banner, the pause, a question, game
  // over); its tick ends the level banner.
  WindowTimer& Freeze() { return freeze_; }
  const WindowTimer& Freeze() const { return freeze_; }
  // Game-over display: its first tick makes any key end it, its second ends it.
  WindowTimer& GameOverStep() { return gameOverStep_; }
  const WindowTimer& GameOverStep() const { return gameOverStep_; }
  // Bonus count: a won level's time left turns into points, a second at a time.
  WindowTimer& BonusCount() { return bonusCount_; }
  const WindowTimer& BonusCount() const { return bonusCount_; }
  // All four in tie order.
  std::array<WindowTimer*, 4> WindowTimers() {
    return {&levelClock_, &freeze_, &gameOverStep_, &bonusCount_};
  }
  std::array<const WindowTimer*, 4> WindowTimers() const {
    return {&levelClock_, &freeze_, &gameOverStep_, &bonusCount_};
  }

  GameState State() const { return state_; }
  // The window also brings the screen of the new state to the front.
  virtual void SetState(GameState state) { state_ = state; }
  // Frames run so far, wrapping after 255; only the frame loop advances it.
  uint8_t FrameNo() const { return frameNo_; }

  // Set by the mouse handlers, read (and the steps cleared) by the boat.
  bool MouseHeld = false;
  bool MouseStepLeft = false;
  bool MouseStepRight = false;

 protected:
  void NextFrame() { ++frameNo_; }

 private:
  // Components, in the window's creation order.
  TDXDraw dxDraw1_;
  TDXSpriteEngine dxSpriteEngine1_;
  TDXImageList gameImgs_;
  TDXImageList dxImageList1_;
  TDXInput dxInput1_;
  TDXWaveList dxWaveList1_;
  WindowTimer levelClock_;
  WindowTimer freeze_;
  WindowTimer gameOverStep_;
  WindowTimer bonusCount_;
  GameState state_ = GameState::Starting;
  uint8_t frameNo_ = 0;
  // The game's one generator: seeded once, drawn from only through Random.
  TRandom randomGen_;
  TGameField field_{*this};
};

}  // namespace brinecast
