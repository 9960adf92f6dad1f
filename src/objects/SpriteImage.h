// Helpers every picture-showing sprite of the game uses: taking a picture with
// its size, and drawing a frame at the sprite's place rounded to pixels.
#pragma once

#include "engine/ImageSprite.h"
#include "engine/PictureCollectionItem.h"
#include "engine/SpriteEngine.h"
#include "objects/Motion.h"

namespace brinecast {

// The sprite shows `image` and takes its pattern size.
inline void TakeImage(TImageSprite& sprite, TPictureCollectionItem* image) {
  sprite.Image = image;
  sprite.Width = image->Width();
  sprite.Height = image->Height();
}

// Draws `frame` of the sprite's picture at (X, Y) rounded to the nearest pixel.
inline void DrawRounded(const TImageSprite& sprite, int frame) {
  if (sprite.Image == nullptr || sprite.Engine() == nullptr) return;
  sprite.Image->Draw(sprite.Engine()->Surface(), RoundToInt(sprite.X), RoundToInt(sprite.Y), frame);
}

}  // namespace brinecast
