// TGame, the part of the main window the game's sprites live in: components, options,
// sound effects and the running game's variables, shown to the sprites as a play field.
#pragma once

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

  // Components, in the window's creation order.
  TDXDraw DXDraw1;
  TDXSpriteEngine DXSpriteEngine1;
  TDXImageList GameImgs;
  TDXImageList DXImageList1;
  TDXInput DXInput1;
  // Level clock: counts TimeLeft down by a hundredth of a second; the level ends at 0.
  WindowTimer Timer1;
  // Freeze: while on, play stands still (the level banner, the pause, a question, game
  // over); its tick ends the level banner.
  WindowTimer Timer2;
  // Game-over display: its first tick makes any key end it, its second ends it.
  WindowTimer Timer3;
  TDXWaveList DXWaveList1;
  // Bonus count: a won level's time left turns into points, a second at a time.
  WindowTimer Timer4;

  std::string GameState;
  // Frames run so far, wrapping after 255; only the frame loop advances it.
  uint8_t FrameNo() const { return frameNo_; }

  // Set by the mouse handlers, read (and the steps cleared) by the boat.
  bool MouseHeld = false;
  bool MouseStepLeft = false;
  bool MouseStepRight = false;

 protected:
  void NextFrame() { ++frameNo_; }

 private:
  uint8_t frameNo_ = 0;
  // The game's one generator: seeded once, drawn from only through Random.
  TRandom randomGen_;
  TGameField field_{*this};
};

}  // namespace brinecast
