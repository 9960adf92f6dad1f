// The objects' kinds, drifting or lying, hooking (harmful kinds even on a full
// hook), hanging below the hook and landing.
#include "objects/Objcts.h"

#include <algorithm>
#include <string>

#include "engine/PictureCollectionItem.h"
#include "engine/SpriteCast.h"
#include "objects/GameStates.h"
#include "objects/Kruk.h"
#include "objects/Motion.h"
#include "objects/PlayField.h"
#include "objects/SpriteImage.h"

namespace brinecast {

namespace {

constexpr uint8_t kLyingKind = 5;
constexpr int kLyingY = 490;
constexpr int8_t kLyingSlowness = 2;
constexpr uint8_t kMostLying = 4;
constexpr int kHookedFrame = 4;
constexpr int kLandingLine = 230;
constexpr int kHangLimit = 550;
constexpr uint8_t kFullHook = 10;

bool Harmful(uint8_t kind) {
  return kind == 1 || kind == 2;
}

}  // namespace

TObjcts::TObjcts(TSprite* parent) : TImageSprite(parent) {
  TPlayField& field = Field(*this);
  Kind = static_cast<uint8_t>(field.BottomObjCount() < kMostLying ? field.Random(5) + 1
                                                                  : field.Random(4) + 1);
  ApplyKind();
  SetZ(-2);
  Level = field.LevelNo();
  Entering = true;
  Hooked = false;
  Slowness = static_cast<int8_t>(field.Random(7) + 3);
  X = -static_cast<int>(field.Random(100));
  Y = static_cast<int>(field.Random(std::max(1, 300 - Height))) + kLandingLine;
  if (Kind == kLyingKind) {
    X = static_cast<int>(field.Random(600)) + 50;
    Y = kLyingY;
    Slowness = kLyingSlowness;
    field.BottomObjAdded();
  } else {
    FromLeft = field.Random(2) == 1;
    if (!FromLeft) {
      X = static_cast<int>(field.Random(100)) + 800;
      Slowness = static_cast<int8_t>(-Slowness);
    }
  }
}

void TObjcts::SetKind(uint8_t kind, bool fromLeft) {
  TPlayField& field = Field(*this);
  const uint8_t newKind = kind >= 1 && kind <= kLyingKind ? kind : 1;
  if (Kind == kLyingKind && newKind != kLyingKind) field.BottomObjGone();
  if (Kind != kLyingKind && newKind == kLyingKind) field.BottomObjAdded();
  Kind = newKind;
  ApplyKind();
  // A lying object's slowness is no drifting speed: keep to the drifting range.
  const int slowness = std::clamp(Slowness < 0 ? -Slowness : static_cast<int>(Slowness), 3, 9);
  if (Kind == kLyingKind) {
    FromLeft = false;
    Slowness = kLyingSlowness;
  } else {
    FromLeft = fromLeft;
    Slowness = static_cast<int8_t>(FromLeft ? slowness : -slowness);
  }
}

void TObjcts::ApplyKind() {
  TPlayField& field = Field(*this);
  TakeImage(*this, field.GameImage("Obj" + std::to_string(Kind)));
  FrameCount = Image->PatternCount();
  // Time values come from the level's time when the object is made.
  const int32_t tenth = field.LevelTime() / 10;
  static constexpr int32_t kPoints[] = {-50, -50, 50, 0, 100};
  Points = kPoints[Kind - 1];
  TimeBonus = Kind == 2 ? -tenth : Kind == 4 ? tenth : 0;
}

bool TObjcts::OfThisLevel() const {
  return Level == Field(*this).LevelNo();
}

void TObjcts::Step(int tick) {
  TPlayField& field = Field(*this);
  if (field.State() != GameState::Game && field.State() != GameState::ExitGameQuestion) {
    Kill();
    return;
  }
  if (field.Frozen()) return;
  if (Hooked) {
    FramePos = kHookedFrame;
    HangFromHook();
    if (Y < kLandingLine && field.Hook() != nullptr) {
      Land();
      return;
    }
  } else {
    const bool outside = OutsideBand(X, Width);
    if (outside && !Entering) {
      if (OfThisLevel()) field.ObjectGone();
      Kill();
      return;
    }
    if (!outside) Entering = false;
    if (Kind != kLyingKind) X += 25 / Slowness;
    if (field.HookLoad() < kFullHook || Harmful(Kind)) Collide();
  }
  if (tick % AnimationPeriod(Slowness) != 0 || Hooked) return;
  if (FramePos < FrameCount - 1) {
    FramePos += 1;
  } else if (Kind != kLyingKind) {
    FramePos = 0;
  }
}

void TObjcts::HangFromHook() {
  const TKruk* hook = Field(*this).Hook();
  if (hook == nullptr) return;
  X = hook->X - Width / 2 + 3;
  if (hook->Y - 10 + Height < kHangLimit) Y = hook->Y - 10;
}

void TObjcts::Land() {
  TPlayField& field = Field(*this);
  field.Landed(Level, Points, TimeBonus);
  if (OfThisLevel()) {
    field.ObjectGone();
    if (Kind == kLyingKind) field.BottomObjGone();
  }
  Kill();
}

void TObjcts::OnCollide(TSprite* other, bool&) {
  TPlayField& field = Field(*this);
  if (SpriteCast<TKruk>(other) == nullptr || Hooked || !field.HookRising()) return;
  field.Hooked(Points);
  Hooked = true;
  field.RaiseHookLoad();
}

void TObjcts::LeaveIfOfAnEarlierLevel() {
  if (!OfThisLevel()) Kill();
}

void TObjcts::Render() {
  if (!OfThisLevel()) return;
  DrawRounded(*this, RoundToInt(FramePos));
}

}  // namespace brinecast
