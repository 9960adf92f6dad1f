// The level table: ever longer lists of kinds up to level 15, then rounds of
// every kind, three random kinds and one random kind, each bigger than the last.
#include "app/LevelGoals.h"

namespace brinecast {

namespace {

// Left counts are 16-bit; levels past 21844 would wrap them.
uint16_t Clamp16(uint32_t value) {
  return static_cast<uint16_t>(value > 0xFFFF ? 0xFFFF : value);
}

uint8_t RandomKind(const std::function<uint32_t(uint32_t)>& random) {
  return static_cast<uint8_t>(random(10) + 1);
}

}  // namespace

LevelGoals GoalsOfLevel(uint16_t level, const std::function<uint32_t(uint32_t)>& random) {
  LevelGoals result;
  const uint32_t l = level;
  const uint32_t r = l % 3;
  if (l <= 15 && r != 0) {
    result.count = static_cast<uint8_t>((l / 3) * 2 + r);
    for (uint8_t i = 1; i <= result.count; ++i) {
      result.goals[i - 1] = {i, static_cast<uint16_t>(result.count - i + 1)};
    }
  } else if (l <= 15) {
    result.count = 1;
    result.goals[0] = {static_cast<uint8_t>(l / 3), static_cast<uint16_t>((l / 3) * 5)};
  } else if (r == 1) {
    result.count = 10;
    for (uint8_t i = 1; i <= 10; ++i) result.goals[i - 1] = {i, Clamp16(((l - 16) / 3) * 3 + 10)};
  } else if (r == 2) {
    result.count = 3;
    for (int i = 0; i < 3; ++i) result.goals[i] = {RandomKind(random), Clamp16(l * 2)};
  } else {
    result.count = 1;
    result.goals[0] = {RandomKind(random), Clamp16(l * 3)};
  }
  return result;
}

int32_t LevelSeconds(const LevelGoals& goals) {
  int32_t seconds = 10;
  for (int i = 0; i < goals.count; ++i) seconds += goals.goals[i].Left;
  return seconds;
}

}  // namespace brinecast
