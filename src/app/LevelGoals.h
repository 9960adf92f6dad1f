// The goals of a level: which fish and how many, from the level's number.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "objects/RunningGame.h"

namespace brinecast {

struct LevelGoals {
  uint8_t count = 0;
  std::array<TGoal, 10> goals{};
};

// random(n) gives 0..n-1; the late levels draw their kinds with it.
LevelGoals GoalsOfLevel(uint16_t level, const std::function<uint32_t(uint32_t)>& random);

// The level's clock in seconds: ten, and one more for each fish asked for.
int32_t LevelSeconds(const LevelGoals& goals);

}  // namespace brinecast
