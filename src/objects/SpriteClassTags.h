// The sprite classes the game tells apart every frame (TSprite::ClassTag), a tag each.
#pragma once

namespace brinecast {

enum SpriteClassTag : int { kHookTag = 1, kFishTag, kObjectTag, kTimeBarTag };

}  // namespace brinecast
