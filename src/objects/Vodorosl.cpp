// Seaweed: advances a frame on the frames whose number its delay divides.
#include "objects/Vodorosl.h"

#include "engine/PictureCollectionItem.h"
#include "objects/PlayField.h"
#include "objects/SpriteImage.h"

namespace brinecast {

TVodorosl::TVodorosl(TSprite* parent, int32_t x, int32_t y, std::string_view name)
    : TImageSprite(parent) {
  TPlayField& field = Field(*this);
  TakeImage(*this, field.GameImage(name));
  X = x;
  Y = y;
  SetZ(-5);
  FrameCount = Image->PatternCount();
  Delay = static_cast<uint8_t>(field.Random(5) + 10);
}

void TVodorosl::Step(int tick) {
  if (Field(*this).Frozen()) return;
  if (Delay != 0 && tick % Delay != 0) return;
  if (FramePos < FrameCount - 1) {
    FramePos += 1;
  } else {
    FramePos = 0;
  }
}

}  // namespace brinecast
