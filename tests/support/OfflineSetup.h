// The setup of a game under test that never reaches a score server: its network answers
// every request as an unplugged cable does, at once.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "app/GameSetup.h"
#include "app/NoNetwork.h"

namespace brinecast::testing {

// Stateless, so one serves every game of a test program.
inline NoNetwork& Offline() {
  static NoNetwork none;
  return none;
}

inline GameSetup OfflineSetup(Platform& platform, std::string appDir, uint64_t seed) {
  return {{platform, Offline()}, {std::move(appDir), {}}, seed, std::nullopt};
}

}  // namespace brinecast::testing
