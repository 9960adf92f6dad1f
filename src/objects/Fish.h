// One swimming fish of the play field: crosses the sea, is caught by the rising
// hook, hangs from it and lands at the surface.
#pragma once

#include <cstdint>

#include "engine/ImageSprite.h"
#include "objects/SpriteClassTags.h"

namespace brinecast {

class TFish final : public TImageSprite {
 public:
  // A fish of a kind the level's goals ask for, just off the left or right edge.
  explicit TFish(TSprite* parent);

  static constexpr int kClassTag = kFishTag;
  const char* ClassName() const override { return "TFish"; }
  int ClassTag() const override { return kClassTag; }
  void OnCollide(TSprite* other, bool& done) override;
  void Render() override;
  void Step(int tick) override;

  // Makes this fish one of `kind` (1..10) swimming from the given side: its
  // image, points and rest frames, and the sign of Slowness. For set-ups.
  void SetKind(uint8_t kind, bool fromLeft);
  // Hooked: hangs from the hook where the rig's move left it. The frame calls this
  // before drawing, for the fish it draws.
  void FollowHook();
  // Hooked above the landing line while the rig is there: the catch lands and the fish goes.
  void LandAtSurface();

  uint8_t HangAngle = 0;  // 256ths of a turn, read as a signed byte
  uint8_t RestFrames = 0;
  uint8_t RestCount = 0;
  int8_t Slowness = 0;
  bool Hooked = false;
  bool Entering = true;
  bool FromLeft = true;
  uint8_t Points = 0;
  double TimeBonus = 0.5;
  uint8_t Kind = 1;
  bool Snagged = false;
  uint16_t Level = 0;

 private:
  void ApplyKind();
  // Kind 10 caught behind its leading 55 pixels; true when it was.
  bool TrySnag();
  void Swim();
  void Animate(int tick);
};

}  // namespace brinecast
