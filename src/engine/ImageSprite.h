// The image sprite, base of every visible sprite of the game.
#pragma once

#include "engine/Sprite.h"

namespace brinecast {

class TPictureCollectionItem;

// A sprite that shows one pattern of an image and can step through its frames.
// The game's sprite classes derive from this.
class TImageSprite : public TSprite {
 public:
  explicit TImageSprite(TSprite* parent) : TSprite(parent) {}

  const char* ClassName() const override { return "TImageSprite"; }

  // Advances FramePos by FrameSpeed * tick and keeps it within the frames.
  void Step(int tick) override;
  // Draws pattern CurrentFrame() at ImageRect()'s top-left on the engine's surface.
  void Render() override;

  int CurrentFrame() const;
  // GetBounds() with the image centred in Width x Height.
  TRect ImageRect() const;

  int FrameCount = 0;
  bool FrameLooped = false;
  double FramePos = 0;
  double FrameSpeed = 0;
  int FirstFrame = 0;
  TPictureCollectionItem* Image = nullptr;  // not owned
};

}  // namespace brinecast
