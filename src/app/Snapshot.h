// The game's state as one JSON line for the simulator, in the fixed order of its keys.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brinecast {

class TForm1;
class Platform;

// What only the platform or the simulator knows, for the snapshot.
struct SnapshotRecords {
  struct Sound {
    std::string action;  // "play" or "stop"
    std::string name;
    uint64_t t = 0;
  };
  std::vector<std::string> opened;  // URLs and files opened so far
  std::vector<Sound> sounds;
  std::vector<std::string> http;  // URLs requested so far
  // The machine the clock, the window mode and the pointer are read from, when not the
  // game's own platform (which may be recording what the game reads).
  Platform* machine = nullptr;
};

// The game's state as one line of JSON, every key always present in a fixed
// order (null for what does not exist now).
std::string Snapshot(TForm1& form, const SnapshotRecords& records);

// The state play depends on and shows, as one line: the clock's readings, the random
// generator, the level, the catch, the timers and every live sprite. It reads nothing from
// the platform, so a replay computes it exactly as the recorded game did.
std::string PlayState(TForm1& form);

}  // namespace brinecast
