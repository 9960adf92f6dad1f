// The image sprite's bounds, frame stepping and drawing.
#include "engine/ImageSprite.h"

#include <cmath>

#include "engine/PictureCollectionItem.h"
#include "engine/SpriteEngine.h"

namespace brinecast {

void TImageSprite::Step(int tick) {
  FramePos += FrameSpeed * tick;
  if (FrameLooped) {
    if (FrameCount > 0) {
      FramePos -= std::trunc(FramePos / FrameCount) * FrameCount;
      if (FramePos < 0) FramePos += FrameCount;
      // A tiny negative remainder can round up to FrameCount itself.
      if (!(FramePos >= 0 && FramePos < FrameCount)) FramePos = 0;
    } else {
      FramePos = 0;
    }
    return;
  }
  if (FramePos >= FrameCount) {
    FramePos = FrameCount - 1;
    FrameSpeed = 0;
  }
  if (FramePos < 0) {
    FramePos = 0;
    FrameSpeed = 0;
  }
}

int TImageSprite::CurrentFrame() const {
  return SaturatingAdd(FirstFrame, TruncToInt(FramePos));
}

TRect TImageSprite::ImageRect() const {
  TRect r = GetBounds();
  if (Image == nullptr) return r;
  int dx = (Width - Image->Width()) / 2;
  int dy = (Height - Image->Height()) / 2;
  // Saturating like the bounds themselves, for a sprite flung far off the surface.
  return TRect{SaturatingAdd(r.Left, dx), SaturatingAdd(r.Top, dy), SaturatingAdd(r.Right, dx),
               SaturatingAdd(r.Bottom, dy)};
}

void TImageSprite::Render() {
  if (Image == nullptr || Engine() == nullptr) return;
  TRect r = ImageRect();
  Image->Draw(Engine()->Surface(), r.Left, r.Top, CurrentFrame());
}

}  // namespace brinecast
