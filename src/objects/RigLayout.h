// The rig's fixed geometry: where its parts sit and how far the boat and the
// hook may go, each number named once.
#pragma once

namespace brinecast {

constexpr int kBoatY = 80;
constexpr int kRodOffsetX = 7;  // rod X = boat X + 7, float X = rod X - 7
constexpr int kRodY = 117;
constexpr int kFloatBelowRod = 54;  // float Y = rod Y + 54 = 171
constexpr int kLineY = 223;
constexpr int kHookRestY = 225;
// The hook is lowered only while above this depth, so it stops at 525.
constexpr int kHookLowerBelow = 520;
constexpr int kRigStep = 6;
// The boat steps left only while right of this, right only while left of 770 - Width div 2.
constexpr int kBoatLeftLimit = 50;
constexpr int kBoatRightEdge = 770;

// The rod's frames: at rest, reeling in empty, reeling in with a catch.
constexpr int kRodAtRest = 0;
constexpr int kRodReeling = 1;
constexpr int kRodWithCatch = 2;

}  // namespace brinecast
