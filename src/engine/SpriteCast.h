// Telling sprites apart on paths run every frame.
#pragma once

#include <type_traits>

#include "engine/Sprite.h"

namespace brinecast {

// The sprite as a T, or null: for classes that give themselves a tag (T::kClassTag) and that
// nothing derives from. A failed dynamic_cast compares class names as strings, which the
// frame's walks over every sprite would otherwise pay many times a frame.
template <class T>
T* SpriteCast(TSprite* sprite) {
  static_assert(std::is_final_v<T>, "a tag names one class only");
  return sprite != nullptr && sprite->ClassTag() == T::kClassTag ? static_cast<T*>(sprite)
                                                                 : nullptr;
}

}  // namespace brinecast
