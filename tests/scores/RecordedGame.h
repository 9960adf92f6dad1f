// Real games for the server to prove, played and recorded by the simulator: a game fished to
// its clock's end on a table of zeros, so its few points reach the name entry as "ANN" with
// the note "gg". Another seed is another game.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "replay/Recording.h"
#include "scores/verify/ChildRun.h"
#include "storage/Config.h"
#include "support/ScratchFolder.h"

namespace brinecast::testing {

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A table of zeros, so the game's few points reach the name entry; "gg" as the note.
inline void WriteLowTable(const std::filesystem::path& file) {
  TConfig config;
  config.Windowed = true;
  config.AddText = "gg";
  const auto record = WriteRecord(config);
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(record.data()),
             static_cast<std::streamsize>(record.size()));
}

// Fishes up and down until the clock ends the game, then enters a name. A good game may
// outlast the casts: more of them keep fishing until its clock runs out.
inline std::string FishingScript(int casts = 60) {
  std::string script = "press Enter\n";
  for (int i = 0; i < casts; ++i) {
    script +=
        "key down Down\nwait 700\nkey up Down\nkey down Up\nwait 700\nkey up Up\n"
        "key down Right\nwait 300\nkey up Right\n";
  }
  return script + "wait 5000\npress A\npress N\npress N\nwait 50\npress Enter\nwait 500\n";
}

// The game the simulator recorded, with the claim the game stamps at its name entry.
struct PlayedGame {
  replay::Recording recording;
  std::string error;
};

inline PlayedGame PlayGame(const ScratchFolder& folder, int seed = 2,
                           const std::string& moves = FishingScript()) {
  using namespace std::chrono_literals;
  PlayedGame played;
  const std::string tag = std::to_string(seed);
  const auto config = folder.Path() / ("low" + tag + ".cfg");
  const auto script = folder.Path() / ("fish" + tag + ".sim");
  const auto file = folder.Path() / ("game" + tag + ".bcreplay");
  WriteLowTable(config);
  std::ofstream(script) << moves;
  scores::ChildLimits limits;
  limits.wall = 120s;
  limits.cpuSeconds = 120;
  limits.memoryBytes = 0;
  const scores::ChildResult run =
      scores::RunChild({BRINECAST_BINARY_DIR "/brinecast-sim", "--seed", tag, "--config",
                        config.string(), "--record", file.string(), script.string()},
                       "", limits);
  if (run.ending != scores::ChildResult::Ending::kExited || run.code != 0) {
    played.error = "brinecast-sim " + run.Describe() + ": " + run.err;
    return played;
  }
  const std::string bytes = ReadFile(file);
  try {
    played.recording = replay::DecodeRecording(
        std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), "");
  } catch (const std::exception& e) {
    played.error = std::string("the recording does not read back: ") + e.what();
  }
  played.recording.claim = {"ANN", "gg"};
  return played;
}

inline std::string Bytes(const std::vector<uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

}  // namespace brinecast::testing
