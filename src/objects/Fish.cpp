// The fish's kinds, swimming, hooking (and the long fish's snag), hanging and landing.
#include "objects/Fish.h"

#include <algorithm>
#include <array>
#include <string>

#include "engine/CosTable.h"
#include "engine/PictureCollectionItem.h"
#include "engine/SpriteCast.h"
#include "objects/GameStates.h"
#include "objects/Kruk.h"
#include "objects/Motion.h"
#include "objects/PlayField.h"
#include "objects/Player.h"
#include "objects/SpriteImage.h"

namespace brinecast {

namespace {

struct FishKindRow {
  uint8_t points;
  uint8_t restFrames;
};
// Kinds 1..10.
constexpr std::array<FishKindRow, 10> kFishKinds{
    {{10, 2}, {10, 2}, {10, 2}, {10, 2}, {10, 2}, {20, 1}, {50, 1}, {50, 0}, {100, 2}, {100, 0}}};
constexpr uint8_t kBottomKind = 8;
constexpr uint8_t kLevelHangingKind = 9;
constexpr uint8_t kLongKind = 10;
constexpr int kBottomY = 500;
constexpr int kLongFishHead = 55;  // the long fish's head bites; behind it, it snags
constexpr int kSnagCost = 50;
constexpr int kLandingLine = 230;
constexpr int kHangLimit = 550;  // a hanging fish stops following a hook deeper than this

bool ValidKind(int kind) {
  return kind >= 1 && kind <= static_cast<int>(kFishKinds.size());
}

// The kind of a randomly chosen goal entry, and the entry's number (1-based).
uint8_t GoalKind(TPlayField& field, uint32_t& entry) {
  entry = field.Random(field.GoalCount()) + 1;
  return field.GoalKind(entry);
}

}  // namespace

TFish::TFish(TSprite* parent) : TImageSprite(parent) {
  TPlayField& field = Field(*this);
  // The first five goals are favoured: later entries are drawn again half the time.
  uint32_t entry = 0;
  int kind = GoalKind(field, entry);
  if (entry > 5 && field.Random(2) == 1) kind = GoalKind(field, entry);
  if (entry > 8 && field.Random(2) == 1) kind = GoalKind(field, entry);
  // A kind outside the table (none set up yet) becomes a random one.
  if (!ValidKind(kind)) kind = static_cast<int>(field.Random(10)) + 1;
  Kind = static_cast<uint8_t>(kind);
  FromLeft = true;
  if (field.Random(2) == 1) FromLeft = false;
  ApplyKind();
  TimeBonus = 0.5;
  RestCount = 0;
  Entering = true;
  Snagged = false;
  Hooked = false;
  HangAngle = 0;
  Level = field.LevelNo();
  SetZ(-1);
  Slowness = static_cast<int8_t>(field.Random(7) + 3);
  X = static_cast<int>(field.Random(50)) - Width - 2;
  // Deep enough for the whole body; a picture 300 or more tall keeps to the top of the band.
  Y = Kind == kBottomKind
          ? kBottomY
          : static_cast<int>(field.Random(std::max(1, 300 - Height))) + kLandingLine;
  if (!FromLeft) {
    X = static_cast<int>(field.Random(50)) + 802;
    Slowness = static_cast<int8_t>(-Slowness);
  }
}

void TFish::SetKind(uint8_t kind, bool fromLeft) {
  Kind = ValidKind(kind) ? kind : 1;
  FromLeft = fromLeft;
  ApplyKind();
  const int slowness = Slowness < 0 ? -Slowness : Slowness;
  Slowness = static_cast<int8_t>(FromLeft ? slowness : -slowness);
}

void TFish::ApplyKind() {
  const std::string name = "Fish" + std::to_string(Kind) + (FromLeft ? "L" : "R");
  TakeImage(*this, Field(*this).GameImage(name));
  FrameCount = Image->PatternCount();
  Points = kFishKinds[Kind - 1].points;
  RestFrames = kFishKinds[Kind - 1].restFrames;
}

void TFish::Step(int tick) {
  TPlayField& field = Field(*this);
  if ((field.State() != GameState::Game && field.State() != GameState::ExitGameQuestion) ||
      Level != field.LevelNo()) {
    Kill();
    return;
  }
  if (field.Frozen()) return;
  if (!Hooked) {
    const bool outside = OutsideBand(X, Width);
    if (outside && !Entering) {
      field.FishGone();
      Kill();
      return;
    }
    if (!outside) Entering = false;
    Swim();
    if (field.HookLoad() < 10 && field.HookRising()) {
      if (Kind == kLongKind) {
        if (!TrySnag()) {
          Collide();
          Snagged = false;
        }
      } else {
        Collide();
      }
    }
  }
  Animate(tick);
}

void TFish::Swim() {
  if (Slowness != 0) X += 20 / Slowness;
}

bool TFish::TrySnag() {
  TPlayField& field = Field(*this);
  const TKruk* hook = field.Hook();
  const int head = FromLeft ? kLongFishHead : 0;
  const double hx = hook->X + 3;
  const double hy = hook->Y;
  const bool onBody = X + kLongFishHead - head <= hx && hx <= X + Width - head && hy + 17 >= Y &&
                      hy + 14 <= Y + Height;
  if (!onBody) return false;
  field.Hooked(-kSnagCost);
  Hooked = true;
  Snagged = true;
  HangAngle = static_cast<uint8_t>(-static_cast<int>(field.Random(10) + 60));
  return true;
}

void TFish::Animate(int tick) {
  if (tick % AnimationPeriod(Slowness) != 0 || Hooked) return;
  if (FramePos < FrameCount - 1) {
    if (RestCount == RestFrames) {
      FramePos += 1;
    } else {
      FramePos = 0;
      ++RestCount;
    }
  } else {
    RestCount = 0;
    FramePos = 0;
  }
}

void TFish::OnCollide(TSprite* other, bool&) {
  TPlayField& field = Field(*this);
  if (SpriteCast<TKruk>(other) == nullptr || Hooked || !field.HookRising()) return;
  Level = field.LevelNo();
  field.Hooked(Points);
  Hooked = true;
  field.RaiseHookLoad();
  HangAngle =
      static_cast<uint8_t>(Kind == kLevelHangingKind ? field.Random(10) : field.Random(10) + 60);
}

void TFish::Render() {
  if (!Hooked) {
    DrawRounded(*this, RoundToInt(FramePos));
    return;
  }
  const int angle = static_cast<int8_t>(HangAngle);
  Image->DrawRotated(Engine()->Surface(), RoundToInt(X + Cos256(angle)),
                     RoundToInt(Y + Height / 2 + Sin256(angle)), Width, Height, 0, 0.5, 0.5,
                     FromLeft ? -angle : angle);
}

void TFish::FollowHook() {
  const TKruk* hook = Field(*this).Hook();
  if (!Hooked || hook == nullptr) return;
  X = hook->X;
  // An upright fish is Width tall; the level-hanging kind hangs 30 above the hook.
  if (Kind == kLevelHangingKind) {
    if (Height + hook->Y - 10 < kHangLimit) Y = hook->Y - 30;
  } else if (Width + hook->Y - 10 < kHangLimit) {
    Y = hook->Y;
  }
}

void TFish::LandAtSurface() {
  TPlayField& field = Field(*this);
  if (!Hooked || Y >= kLandingLine || field.Hook() == nullptr) return;
  field.Landed(Level, Snagged ? -kSnagCost : Points, TimeBonus);
  field.FishGone();
  field.GoalFishLanded(Kind, Level);
  if (field.GoalsMet()) field.LevelComplete();
  Kill();
}

}  // namespace brinecast
