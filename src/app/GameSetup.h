// What an entry point hands the game: the machine it runs on (window, clock, sound, network)
// and the folders it reads and writes. The desktop and the simulator differ only in these.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "online/ScoreServer.h"
#include "storage/GameFolders.h"

namespace brinecast {

class Platform;
class HttpTransport;
namespace replay {
class GameRecorder;
}

// The parts of the computer the game talks to. Both are required: an entry point that
// forgets one does not compile.
struct Machine {
  Platform& platform;
  HttpTransport& http;
};

struct GameSetup {
  Machine machine;
  GameFolders folders;
  uint64_t seed = 0;
  std::optional<bool> windowed;  // window mode for this run only; the saved choice stays
  // Told of each game's start and end (the recorder, or a replay's check); may be null.
  replay::GameRecorder* recorder = nullptr;
  // False for a replay: no Config.cfg is read or written.
  bool playerFiles = true;
  // False where nobody looks (a replay being verified): frames skip their drawing, which
  // changes nothing in play.
  bool draws = true;
  // host[:port] of the score server.
  std::string scoreServer = BuiltInScoreServer();
};

}  // namespace brinecast
