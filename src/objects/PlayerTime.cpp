// The time bar: draws the share of the level's time left, and holds the clock once drawn.
#include "objects/PlayerTime.h"

#include <algorithm>

#include "engine/PictureCollectionItem.h"
#include "objects/Motion.h"
#include "objects/PlayField.h"
#include "objects/SpriteImage.h"

namespace brinecast {

namespace {
constexpr int kLeft = 187;
constexpr int kTop = 579;
constexpr int kFullWidth = 429;
constexpr double kLowPercent = 30;
}  // namespace

TPlayerTime::TPlayerTime(TSprite* parent) : TImageSprite(parent) {
  TakeImage(*this, Field(*this).GameImage("Time2"));
  Width = 1;  // drawn stretched to the share of time left
  X = kLeft;
  Y = kTop;
  SetZ(-1);
}

void TPlayerTime::Step(int tick) {
  TImageSprite::Step(tick);
  const TPlayField& field = Field(*this);
  if (field.FrameNo() % 32 == 0) Blink = false;
  if (field.FrameNo() % 32 == 16) Blink = true;
}

void TPlayerTime::HoldClock() {
  Field(*this).HoldClock();
}

void TPlayerTime::Render() {
  const TPlayField& field = Field(*this);
  // Drawn as the clock reads once held (see HoldClock).
  const int32_t timeLeft = std::max(field.TimeLeft(), int32_t{1});
  // No level time set up yet: there is no share to show.
  if (field.LevelTime() <= 0 || Engine() == nullptr) return;
  // The share left, computed so that exactly 30 per cent reads as 30 (it flashes).
  const double hundredths = static_cast<double>(field.LevelTime()) * 100;
  const double percent = timeLeft / static_cast<double>(field.LevelTime());
  const int width = RoundToInt(timeLeft * static_cast<double>(kFullWidth) / hundredths);
  const TRect rect{kLeft, kTop, SaturatingAdd(kLeft, width), kTop + Height};
  const int frame = percent > kLowPercent ? 0 : (Blink ? 1 : 0);
  Image->DrawStretched(Engine()->Surface(), rect, frame);
}

}  // namespace brinecast
