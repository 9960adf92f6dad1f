// The play field over the game's components and running-game variables: pictures,
// sounds, the level and its goals, the rig's controls, and what a catch changes.
#include "objects/GameField.h"

#include <algorithm>

#include "engine/PictureCollectionItem.h"
#include "objects/Game.h"
#include "objects/Motion.h"
#include "objects/Player.h"

namespace brinecast {

TPictureCollectionItem* TGameField::GameImage(std::string_view name) {
  return game_.GameImgs().Items().Find(name);
}

TPictureCollectionItem* TGameField::GameImage(int index) {
  return game_.GameImgs().Items().Items(index);
}

TPictureCollectionItem* TGameField::MenuImage(std::string_view name) {
  return game_.DXImageList1().Items().Find(name);
}

TPictureCollectionItem* TGameField::MenuImage(int index) {
  return game_.DXImageList1().Items().Items(index);
}

uint32_t TGameField::Random(uint32_t n) {
  return game_.Random(n);
}

void TGameField::PlaySound(std::string_view name) {
  game_.PlaySound(name);
}

void TGameField::StopSound(std::string_view name) {
  game_.StopSound(name);
}

bool TGameField::SendOnline() const {
  return game_.SendOnline();
}

GameState TGameField::State() const {
  return game_.State();
}

// The pauses around a level change, game over and the exit question.
bool TGameField::Frozen() const {
  return game_.Freeze().Enabled();
}

uint8_t TGameField::FrameNo() const {
  return game_.FrameNo();
}

uint16_t TGameField::LevelNo() const {
  return game_.LevelNo;
}

int32_t TGameField::LevelTime() const {
  return game_.LevelTime;
}

int32_t TGameField::TimeLeft() const {
  return game_.TimeLeft;
}

void TGameField::HoldClock() {
  if (game_.TimeLeft < 1) game_.TimeLeft = 1;
}

uint8_t TGameField::GoalCount() const {
  return static_cast<uint8_t>(std::min<size_t>(game_.GoalCount, game_.Goals.size()));
}

uint8_t TGameField::GoalKind(uint32_t entry) const {
  return game_.Goals[entry - 1].FishKind;
}

bool TGameField::GoalsMet() const {
  return game_.GoalsDone >= game_.GoalCount;
}

void TGameField::LevelComplete() {
  game_.LevelComplete();
}

bool TGameField::Held(InputState state) const {
  return game_.DXInput1().Has(state);
}

bool TGameField::MouseHeld() const {
  return game_.MouseHeld;
}

bool TGameField::MouseStep(bool right) const {
  return right ? game_.MouseStepRight : game_.MouseStepLeft;
}

void TGameField::TakeMouseStep(bool right) {
  (right ? game_.MouseStepRight : game_.MouseStepLeft) = false;
}

TPlayer* TGameField::Player() {
  return game_.Player().Get();
}

uint8_t TGameField::HookLoad() const {
  return game_.HookLoad;
}

uint8_t TGameField::BottomObjCount() const {
  return game_.BottomObjCount;
}

void TGameField::FishGone() {
  CountDown(game_.FishCount);
}

void TGameField::ObjectGone() {
  CountDown(game_.ObjCount);
}

void TGameField::BottomObjAdded() {
  ++game_.BottomObjCount;
}

void TGameField::BottomObjGone() {
  CountDown(game_.BottomObjCount);
}

void TGameField::Hooked(int32_t points) {
  if (TPlayer* player = Player()) player->HasCatch = true;
  game_.CatchPoints += points;
}

void TGameField::RaiseHookLoad() {
  if (game_.HookLoad < UINT8_MAX) ++game_.HookLoad;
}

void TGameField::Landed(uint16_t level, int64_t points, double seconds) {
  game_.HookLoad = 0;
  TPlayer* player = Player();
  if (player != nullptr && player->Float) {
    game_.CatchTextY = static_cast<uint16_t>(RoundToInt(player->Float->Y));
  }
  if (level == game_.LevelNo) game_.ShowCatchText = true;
  game_.CatchSoundDue = true;
  if (player != nullptr) player->AddScore(points);
  if (game_.LevelTime >= game_.TimeLeft / 100.0 + seconds) {
    game_.TimeLeft += RoundToInt(seconds * 100);
  } else {
    game_.TimeLeft = game_.LevelTime * 100;
  }
}

void TGameField::GoalFishLanded(uint8_t kind, uint16_t level) {
  if (level != game_.LevelNo) return;
  for (int i = 0; i < GoalCount(); ++i) {
    TGoal& goal = game_.Goals[i];
    if (goal.FishKind == kind && goal.Left > 0) {
      --goal.Left;
      if (goal.Left == 0) ++game_.GoalsDone;
    }
  }
}

}  // namespace brinecast
