// TSpriteRef: a sprite reference that reads as absent once the engine has freed its sprite.
#pragma once

#include <memory>

#include "engine/Sprite.h"

namespace brinecast {

// A reference to a sprite that knows when the engine has freed it: a freed
// sprite reads as absent and Kill() through a stale reference does nothing. A
// killed sprite that is not yet freed is still there, as the engine keeps it.
template <class T>
class TSpriteRef {
 public:
  TSpriteRef() = default;
  // Takes a sprite just made with `new T(parent)` (or any live one).
  TSpriteRef(T* sprite) : life_(sprite ? sprite->LifeToken() : nullptr) {}  // NOLINT

  T* Get() const { return life_ && *life_ ? static_cast<T*>(*life_) : nullptr; }
  T* operator->() const { return Get(); }
  explicit operator bool() const { return Get() != nullptr; }

  void Kill() const {
    if (T* sprite = Get()) sprite->Kill();
  }
  void Reset() { life_.reset(); }

 private:
  std::shared_ptr<TSprite*> life_;
};

}  // namespace brinecast
