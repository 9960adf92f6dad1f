// The angler's boat: steers the rig (rod, float, line, hook) and holds the score.
#pragma once

#include <cstdint>

#include "engine/ImageSprite.h"
#include "engine/SpriteRef.h"

namespace brinecast {

class TLeska;
class TUdochka;
class TKruk;

class TPlayer : public TImageSprite {
 public:
  // Makes the boat, then the rod, float, line and hook beside it under `parent`.
  TPlayer(TSprite* parent, int32_t x);

  const char* ClassName() const override { return "TPlayer"; }
  void Render() override;
  void Step(int tick) override;

  // Kills the rod, float, line, hook and boat, in that order.
  void KillRig();

  int64_t Score() const { return static_cast<int64_t>(maskedScore_ ^ scoreKey_); }
  void SetScore(int64_t score) { maskedScore_ = static_cast<uint64_t>(score) ^ scoreKey_; }
  // Adds points, stopping at the ends of the range instead of wrapping.
  void AddScore(int64_t points);

  TSpriteRef<TLeska> Line;
  TSpriteRef<TUdochka> Rod;
  TSpriteRef<TImageSprite> Float;
  TSpriteRef<TKruk> Hook;
  bool HasCatch = false;
  bool Reeling = false;

 private:
  void SteerBoat();
  void WorkLine();
  void CarryRig();

  // The score lives XORed with a key of this boat, so it is not plainly in memory.
  uint64_t scoreKey_;
  uint64_t maskedScore_;
};

}  // namespace brinecast
