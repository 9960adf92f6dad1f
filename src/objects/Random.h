// The game's seeded random generator, the same on every compiler and standard library.
#pragma once

#include <cstdint>

namespace brinecast {

// The game's one random generator (PCG32). Its own code, so a seed replays the
// same game with any compiler and standard library.
class TRandom {
 public:
  explicit TRandom(uint64_t seed = 0) { Seed(seed); }

  void Seed(uint64_t seed) {
    state_ = 0;
    Next();
    state_ += seed;
    Next();
  }

  uint32_t Next() {
    const uint64_t old = state_;
    state_ = old * 6364136223846793005ULL + kIncrement;
    const auto shifted = static_cast<uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rotation = static_cast<uint32_t>(old >> 59U);
    return (shifted >> rotation) | (shifted << ((32U - rotation) & 31U));
  }

  // The whole state, for a recording to carry and a replay to put back.
  uint64_t State() const { return state_; }
  void SetState(uint64_t state) { state_ = state; }

  // A whole number in 0..n-1 (0 when n is 0).
  uint32_t Random(uint32_t n) {
    return static_cast<uint32_t>((static_cast<uint64_t>(Next()) * n) >> 32U);
  }

 private:
  static constexpr uint64_t kIncrement = 1442695040888963407ULL;
  uint64_t state_ = 0;
};

}  // namespace brinecast
