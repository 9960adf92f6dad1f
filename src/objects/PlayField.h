// TPlayField: what a sprite of the game sees of its game, and all it may change there.
// The game hangs it on its sprite engine; a sprite reaches it as Field(*this).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/SpriteEngine.h"
#include "media/DXInput.h"
#include "objects/GameStates.h"

namespace brinecast {

class TPictureCollectionItem;
class TPlayer;
class TKruk;
class TSprite;

class TPlayField : public TEngineContext {
 public:
  // Pictures of the play field and of the menus, by name or by item number.
  virtual TPictureCollectionItem* GameImage(std::string_view name) = 0;
  virtual TPictureCollectionItem* GameImage(int index) = 0;
  virtual TPictureCollectionItem* MenuImage(std::string_view name) = 0;
  virtual TPictureCollectionItem* MenuImage(int index) = 0;

  virtual uint32_t Random(uint32_t n) = 0;
  // Sound effects, when sound is on.
  virtual void PlaySound(std::string_view name) = 0;
  virtual void StopSound(std::string_view name) = 0;
  // The player's choice of sending the result online.
  virtual bool SendOnline() const = 0;

  // The game's state (see GameStates.h) and whether play stands still.
  virtual GameState State() const = 0;
  virtual bool Frozen() const = 0;
  virtual uint8_t FrameNo() const = 0;
  virtual uint16_t LevelNo() const = 0;
  virtual int32_t LevelTime() const = 0;  // seconds
  virtual int32_t TimeLeft() const = 0;   // hundredths of a second
  // An empty level clock goes back to 1 at every frame its bar is drawn: the level ends
  // only when the clock ticks twice between two frames.
  virtual void HoldClock() = 0;

  // The level's goals: how many, and the kind of fish goal `entry` (1-based) asks for.
  virtual uint8_t GoalCount() const = 0;
  virtual uint8_t GoalKind(uint32_t entry) const = 0;
  // All goals met: play freezes and the bonus count starts.
  virtual bool GoalsMet() const = 0;
  virtual void LevelComplete() = 0;

  // What steers the rig: held keys, the held mouse button, and the pointer's steps,
  // each taken once.
  virtual bool Held(InputState state) const = 0;
  virtual bool MouseHeld() const = 0;
  virtual bool MouseStep(bool right) const = 0;
  virtual void TakeMouseStep(bool right) = 0;

  // The rig, its hook (null without a rig), and whether the hook is rising: only a
  // rising hook catches.
  virtual TPlayer* Player() = 0;
  TKruk* Hook();
  bool HookRising();

  // How many fish and objects swim, and how many objects lie on the bottom.
  virtual uint8_t HookLoad() const = 0;
  virtual uint8_t BottomObjCount() const = 0;
  virtual void FishGone() = 0;
  virtual void ObjectGone() = 0;
  virtual void BottomObjAdded() = 0;
  virtual void BottomObjGone() = 0;

  // A catch went on the hook: the rod shows it and its points join the haul.
  virtual void Hooked(int32_t points) = 0;
  // One more catch on the hook; stops at 255 rather than wrapping to an empty hook.
  virtual void RaiseHookLoad() = 0;
  // A catch of `level` landed: the hook empties, the haul's text rises from the float
  // (shown for the current level only), the points count and the level clock gains
  // `seconds` (or loses them), never rising above the level's full time.
  virtual void Landed(uint16_t level, int64_t points, double seconds) = 0;
  // A fish of `kind` and `level` landed: the current level's goals for it count down.
  virtual void GoalFishLanded(uint8_t kind, uint16_t level) = 0;
};

// The play field a sprite belongs to.
TPlayField& Field(const TSprite& sprite);

}  // namespace brinecast
