// The time bar: keeps the clock at 1 or more while drawn, and draws the share left.
#include "objects/PlayerTime.h"

#include "engine/PictureCollectionItem.h"
#include "objects/Game.h"
#include "objects/Motion.h"
#include "objects/SpriteImage.h"

namespace brinecast {

namespace {
constexpr int kLeft = 187;
constexpr int kTop = 579;
constexpr int kFullWidth = 429;
constexpr double kLowPercent = 30;
}  // namespace

TPlayerTime::TPlayerTime(TSprite* parent) : TImageSprite(parent) {
  TakeImage(*this, Game(*this).GameImgs.Items().Find("Time2"));
  Width = 1;  // drawn stretched to the share of time left
  X = kLeft;
  Y = kTop;
  SetZ(-1);
}

void TPlayerTime::Render() {
  TGame& game = Game(*this);
  // The level clock's end relies on this: an empty clock reads 1 at every frame.
  if (game.TimeLeft < 1) game.TimeLeft = 1;
  if (game.FrameNo % 32 == 0) Blink = false;
  if (game.FrameNo % 32 == 16) Blink = true;
  // No level time set up yet: there is no share to show.
  if (game.LevelTime <= 0 || Engine() == nullptr) return;
  // The share left, computed so that exactly 30 per cent reads as 30 (it flashes).
  const double hundredths = static_cast<double>(game.LevelTime) * 100;
  const double percent = game.TimeLeft / static_cast<double>(game.LevelTime);
  const int width = RoundToInt(game.TimeLeft * static_cast<double>(kFullWidth) / hundredths);
  const TRect rect{kLeft, kTop, SaturatingAdd(kLeft, width), kTop + Height};
  const int frame = percent > kLowPercent ? 0 : (Blink ? 1 : 0);
  Image->DrawStretched(Engine()->Surface(), rect, frame);
}

}  // namespace brinecast
