// TGameField: the game's play field as its sprites see it, kept by TGame over its own
// components and running-game variables.
#pragma once

#include "objects/PlayField.h"

namespace brinecast {

class TGame;

class TGameField final : public TPlayField {
 public:
  explicit TGameField(TGame& game) : game_(game) {}

  TPictureCollectionItem* GameImage(std::string_view name) override;
  TPictureCollectionItem* GameImage(int index) override;
  TPictureCollectionItem* MenuImage(std::string_view name) override;
  TPictureCollectionItem* MenuImage(int index) override;

  uint32_t Random(uint32_t n) override;
  void PlaySound(std::string_view name) override;
  void StopSound(std::string_view name) override;
  bool SendOnline() const override;

  GameState State() const override;
  bool Frozen() const override;
  uint8_t FrameNo() const override;
  uint16_t LevelNo() const override;
  int32_t LevelTime() const override;
  int32_t TimeLeft() const override;
  void HoldClock() override;

  uint8_t GoalCount() const override;
  uint8_t GoalKind(uint32_t entry) const override;
  bool GoalsMet() const override;
  void LevelComplete() override;

  bool Held(InputState state) const override;
  bool MouseHeld() const override;
  bool MouseStep(bool right) const override;
  void TakeMouseStep(bool right) override;

  TPlayer* Player() override;

  uint8_t HookLoad() const override;
  uint8_t BottomObjCount() const override;
  void FishGone() override;
  void ObjectGone() override;
  void BottomObjAdded() override;
  void BottomObjGone() override;

  void Hooked(int32_t points) override;
  void RaiseHookLoad() override;
  void Landed(uint16_t level, int64_t points, double seconds) override;
  void GoalFishLanded(uint8_t kind, uint16_t level) override;

 private:
  TGame& game_;
};

}  // namespace brinecast
