// The changes a frame makes around its drawing, in the order the sprites are drawn.
#include "objects/DrawSettle.h"

#include "engine/Geometry.h"
#include "engine/SpriteCast.h"
#include "engine/SpriteEngine.h"
#include "objects/Fish.h"
#include "objects/Objcts.h"
#include "objects/PlayerTime.h"

namespace brinecast {

// The same test the engine's draw makes; a fish is judged where it stood before it hangs.
std::vector<TSprite*> SpritesToDraw(const TSpriteEngine& root) {
  std::vector<TSprite*> shown;
  if (!root.Visible) return shown;
  for (TSprite* sprite : root.DrawOrder()) {
    if (sprite->Visible && RectsOverlap(sprite->GetBounds(), root.ViewRect())) {
      shown.push_back(sprite);
    }
  }
  return shown;
}

namespace {

TFish* HookedFish(TSprite* sprite) {
  auto* fish = SpriteCast<TFish>(sprite);
  return fish != nullptr && fish->Hooked ? fish : nullptr;
}

}  // namespace

// Only the time bar's drawing reads what a landing changes, so a fish drawn before the
// bar (every fish of a game: same depth, younger) lands before the draw, and one drawn
// after it lands after the bar holds the clock, as the draw order has it.
void BeforeDraw(const std::vector<TSprite*>& shown) {
  bool barPassed = false;
  for (TSprite* sprite : shown) {
    if (SpriteCast<TPlayerTime>(sprite) != nullptr) barPassed = true;
    if (TFish* fish = HookedFish(sprite)) {
      fish->FollowHook();
      if (!barPassed) fish->LandAtSurface();
    }
  }
}

void AfterDraw(const std::vector<TSprite*>& shown) {
  bool barPassed = false;
  for (TSprite* sprite : shown) {
    if (auto* bar = SpriteCast<TPlayerTime>(sprite)) {
      bar->HoldClock();
      barPassed = true;
    } else if (TFish* fish = HookedFish(sprite); fish != nullptr && barPassed) {
      fish->LandAtSurface();
    } else if (auto* object = SpriteCast<TObjcts>(sprite)) {
      object->LeaveIfOfAnEarlierLevel();
    }
  }
}

}  // namespace brinecast
