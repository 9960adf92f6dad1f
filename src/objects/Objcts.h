// A catchable thing other than a fish: four kinds drift across the sea, the
// fifth lies on the bottom. Worth points or level time, never goals.
#pragma once

#include <cstdint>

#include "engine/ImageSprite.h"
#include "objects/SpriteClassTags.h"

namespace brinecast {

class TObjcts final : public TImageSprite {
 public:
  // An object of a random kind (no fifth lying one while four lie on the bottom).
  explicit TObjcts(TSprite* parent);

  static constexpr int kClassTag = kObjectTag;
  const char* ClassName() const override { return "TObjcts"; }
  int ClassTag() const override { return kClassTag; }
  void OnCollide(TSprite* other, bool& done) override;
  void Render() override;
  void Step(int tick) override;

  // Makes this object one of `kind` (1..5) drifting from the given side, with
  // its image, points and time, keeping BottomObjCount right. For set-ups.
  void SetKind(uint8_t kind, bool fromLeft);
  // Drawn while a later level runs (it shows nothing then): it goes. The frame calls
  // this after drawing.
  void LeaveIfOfAnEarlierLevel();

  int8_t Slowness = 0;
  bool Hooked = false;
  bool Entering = true;
  bool FromLeft = false;
  int32_t TimeBonus = 0;  // seconds
  int32_t Points = 0;
  uint16_t Level = 0;
  uint8_t Kind = 1;

 private:
  void ApplyKind();
  void HangFromHook();
  void Land();
  // The counters count only this level's objects.
  bool OfThisLevel() const;
};

}  // namespace brinecast
