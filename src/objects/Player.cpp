// The boat's steering, the hook's lowering and reeling, and the masked score.
#include "objects/Player.h"

#include <limits>

#include "engine/PictureCollectionItem.h"
#include "objects/Kruk.h"
#include "objects/Leska.h"
#include "objects/Motion.h"
#include "objects/PlayField.h"
#include "objects/RigLayout.h"
#include "objects/SpriteImage.h"
#include "objects/Udochka.h"

namespace brinecast {

namespace {

uint64_t KeyFor(const void* owner) {
  // Any per-boat value will do; mixed so nearby boats get unrelated keys.
  uint64_t key = reinterpret_cast<uintptr_t>(owner) * 0x9E3779B97F4A7C15ULL;
  return key ^ (key >> 29U) ^ 0xA5A5C3C35A5A3C3CULL;
}

}  // namespace

TPlayer::TPlayer(TSprite* parent, int32_t x)
    : TImageSprite(parent), scoreKey_(KeyFor(this)), maskedScore_(scoreKey_) {
  TPlayField& field = Field(*this);
  TakeImage(*this, field.GameImage("Player"));
  X = x;
  Y = kBoatY;
  SetZ(-1);

  auto* rod = new TUdochka(parent, x + kRodOffsetX);
  Rod = rod;
  auto* floatSprite = new TImageSprite(parent);
  TakeImage(*floatSprite, field.GameImage("Poplavok"));
  floatSprite->X = rod->X - kRodOffsetX;
  floatSprite->Y = rod->Y + kFloatBelowRod;
  floatSprite->SetZ(1);
  Float = floatSprite;
  auto* line = new TLeska(parent, floatSprite->X);
  Line = line;
  Hook = new TKruk(parent, line->X);
}

void TPlayer::AddScore(int64_t points) {
  const int64_t score = Score();
  int64_t sum = 0;
  if (__builtin_add_overflow(score, points, &sum)) {
    sum = points > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
  }
  SetScore(sum);
}

void TPlayer::KillRig() {
  Rod.Kill();
  Float.Kill();
  Line.Kill();
  Hook.Kill();
  Kill();
}

void TPlayer::Render() {
  DrawRounded(*this, 0);
}

void TPlayer::Step(int) {
  TPlayField& field = Field(*this);
  // The pauses around a level change, game over and the exit question.
  if (field.Frozen()) return;
  SteerBoat();
  WorkLine();
  CarryRig();
  if (field.GoalsMet()) field.LevelComplete();
}

void TPlayer::SteerBoat() {
  TPlayField& field = Field(*this);
  // A request the boat cannot take at its limit stays pending.
  if ((field.Held(InputState::Left) || field.MouseStep(false)) && X > kBoatLeftLimit) {
    X -= kRigStep;
    field.TakeMouseStep(false);
  }
  if ((field.Held(InputState::Right) || field.MouseStep(true)) && X < kBoatRightEdge - Width / 2) {
    X += kRigStep;
    field.TakeMouseStep(true);
  }
}

void TPlayer::WorkLine() {
  TPlayField& field = Field(*this);
  TKruk* hook = Hook.Get();
  if (hook == nullptr) return;
  TUdochka* rod = Rod.Get();
  if (field.Held(InputState::Down) || field.MouseHeld()) {
    hook->Rising = false;
    field.StopSound("Up");
    if (hook->Y < kHookLowerBelow && !Reeling) hook->Y += kRigStep;
    return;
  }
  if (hook->Y <= kHookRestY) return;
  if (rod != nullptr) rod->FramePos = HasCatch ? kRodWithCatch : kRodReeling;
  if (!hook->Rising) field.PlaySound("Up");
  hook->Y -= kRigStep;
  hook->Rising = true;
  Reeling = true;
  if (hook->Y <= kHookRestY) {
    if (rod != nullptr) rod->FramePos = kRodAtRest;
    HasCatch = false;
    Reeling = false;
    field.StopSound("Up");
  }
}

void TPlayer::CarryRig() {
  TUdochka* rod = Rod.Get();
  TImageSprite* floatSprite = Float.Get();
  TKruk* hook = Hook.Get();
  TLeska* line = Line.Get();
  if (rod == nullptr || floatSprite == nullptr) return;
  rod->X = X + kRodOffsetX;
  floatSprite->X = rod->X - kRodOffsetX;
  floatSprite->Y = rod->Y + kFloatBelowRod;
  if (hook == nullptr) return;
  hook->X = floatSprite->X;
  if (line == nullptr) return;
  line->X = hook->X;
  line->BottomY = RoundToInt(hook->Y);
}

}  // namespace brinecast
