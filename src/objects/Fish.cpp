// The fish's kinds, swimming, hooking (and the long fish's snag), hanging and landing.
#include "objects/Fish.h"

#include <algorithm>
#include <array>
#include <string>

#include "engine/CosTable.h"
#include "engine/PictureCollectionItem.h"
#include "objects/CatchRules.h"
#include "objects/Game.h"
#include "objects/GameStates.h"
#include "objects/Kruk.h"
#include "objects/Motion.h"
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
uint8_t GoalKind(TGame& game, uint32_t& entry) {
  const uint32_t count = std::min<uint32_t>(game.GoalCount, game.Goals.size());
  entry = game.Random(count) + 1;
  return game.Goals[entry - 1].FishKind;
}

}  // namespace

TFish::TFish(TSprite* parent) : TImageSprite(parent) {
  TGame& game = Game(*this);
  // The first five goals are favoured: later entries are drawn again half the time.
  uint32_t entry = 0;
  int kind = GoalKind(game, entry);
  if (entry > 5 && game.Random(2) == 1) kind = GoalKind(game, entry);
  if (entry > 8 && game.Random(2) == 1) kind = GoalKind(game, entry);
  // A kind outside the table (none set up yet) becomes a random one.
  if (!ValidKind(kind)) kind = static_cast<int>(game.Random(10)) + 1;
  Kind = static_cast<uint8_t>(kind);
  FromLeft = true;
  if (game.Random(2) == 1) FromLeft = false;
  ApplyKind();
  TimeBonus = 0.5;
  RestCount = 0;
  Entering = true;
  Snagged = false;
  Hooked = false;
  HangAngle = 0;
  Level = game.LevelNo;
  SetZ(-1);
  Slowness = static_cast<int8_t>(game.Random(7) + 3);
  X = static_cast<int>(game.Random(50)) - Width - 2;
  // Deep enough for the whole body; a picture 300 or more tall keeps to the top of the band.
  Y = Kind == kBottomKind ? kBottomY
                          : static_cast<int>(game.Random(std::max(1, 300 - Height))) + kLandingLine;
  if (!FromLeft) {
    X = static_cast<int>(game.Random(50)) + 802;
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
  TakeImage(*this, Game(*this).GameImgs.Items().Find(name));
  FrameCount = Image->PatternCount();
  Points = kFishKinds[Kind - 1].points;
  RestFrames = kFishKinds[Kind - 1].restFrames;
}

void TFish::Step(int tick) {
  TGame& game = Game(*this);
  if ((game.GameState != states::kGame && game.GameState != states::kExitGameQuestion) ||
      Level != game.LevelNo) {
    Kill();
    return;
  }
  if (game.Timer2.Enabled()) return;
  if (!Hooked) {
    const bool outside = OutsideBand(X, Width);
    if (outside && !Entering) {
      CountDown(game.FishCount);
      Kill();
      return;
    }
    if (!outside) Entering = false;
    Swim();
    if (game.HookLoad < 10 && HookRising(game)) {
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
  TGame& game = Game(*this);
  const TKruk* hook = CurrentHook(game);
  const int head = FromLeft ? kLongFishHead : 0;
  const double hx = hook->X + 3;
  const double hy = hook->Y;
  const bool onBody = X + kLongFishHead - head <= hx && hx <= X + Width - head && hy + 17 >= Y &&
                      hy + 14 <= Y + Height;
  if (!onBody) return false;
  MarkHooked(game, -kSnagCost);
  Hooked = true;
  Snagged = true;
  HangAngle = static_cast<uint8_t>(-static_cast<int>(game.Random(10) + 60));
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
  TGame& game = Game(*this);
  if (dynamic_cast<TKruk*>(other) == nullptr || Hooked || !HookRising(game)) return;
  Level = game.LevelNo;
  MarkHooked(game, Points);
  Hooked = true;
  RaiseHookLoad(game);
  HangAngle =
      static_cast<uint8_t>(Kind == kLevelHangingKind ? game.Random(10) : game.Random(10) + 60);
}

void TFish::Render() {
  if (!Hooked) {
    DrawRounded(*this, RoundToInt(FramePos));
    return;
  }
  HangFromHook();
  const int angle = static_cast<int8_t>(HangAngle);
  Image->DrawRotated(Engine()->Surface(), RoundToInt(X + Cos256(angle)),
                     RoundToInt(Y + Height / 2 + Sin256(angle)), Width, Height, 0, 0.5, 0.5,
                     FromLeft ? -angle : angle);
  if (Y < kLandingLine && CurrentHook(Game(*this)) != nullptr) Land();
}

void TFish::HangFromHook() {
  const TKruk* hook = CurrentHook(Game(*this));
  if (hook == nullptr) return;
  X = hook->X;
  // An upright fish is Width tall; the level-hanging kind hangs 30 above the hook.
  if (Kind == kLevelHangingKind) {
    if (Height + hook->Y - 10 < kHangLimit) Y = hook->Y - 30;
  } else if (Width + hook->Y - 10 < kHangLimit) {
    Y = hook->Y;
  }
}

void TFish::Land() {
  TGame& game = Game(*this);
  game.HookLoad = 0;
  StartCatchText(game, Level);
  AddCatchScore(game, Snagged ? -kSnagCost : Points);
  CountDown(game.FishCount);
  AddCatchTime(game, TimeBonus);
  for (int i = 0; i < game.GoalCount && i < static_cast<int>(game.Goals.size()); ++i) {
    TGoal& goal = game.Goals[i];
    if (goal.FishKind == Kind && goal.Left > 0 && Level == game.LevelNo) {
      --goal.Left;
      if (goal.Left == 0) ++game.GoalsDone;
    }
  }
  if (game.GoalsDone >= game.GoalCount) game.LevelComplete();
  Kill();
}

}  // namespace brinecast
