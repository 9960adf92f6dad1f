// The rig's hook as every catch sees it, and the play field a sprite belongs to.
#include "objects/PlayField.h"

#include "engine/Sprite.h"
#include "objects/Kruk.h"
#include "objects/Player.h"

namespace brinecast {

TKruk* TPlayField::Hook() {
  TPlayer* player = Player();
  return player != nullptr ? player->Hook.Get() : nullptr;
}

bool TPlayField::HookRising() {
  const TKruk* hook = Hook();
  return hook != nullptr && hook->Rising;
}

TPlayField& Field(const TSprite& sprite) {
  return static_cast<TPlayField&>(*sprite.Engine()->Context());
}

}  // namespace brinecast
