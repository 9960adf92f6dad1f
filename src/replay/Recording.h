// A recorded game: what the game was like when it started, everything it read from the machine
// while it ran, and how it ended; and its file, versioned and compressed.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "replay/ByteCoding.h"
#include "replay/StartState.h"

namespace brinecast::replay {

// The file's own version; a file of another version is refused, never misread.
inline constexpr uint16_t kFormatVersion = 2;
// The usual name ending of a recording file.
inline constexpr const char* kFileSuffix = ".bcreplay";
// Beyond these a file is refused as damaged before anything is unpacked.
inline constexpr size_t kFileMostBytes = size_t{4} << 20U;
inline constexpr size_t kTapeMostBytes = size_t{16} << 20U;

// A readable file that this build must not replay: another format version or another build.
struct RefusedRecording : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// How the recorded game ended, as the recording game saw it.
struct EndState {
  bool complete = false;  // the game reached its end; false when the recording stopped first
  int64_t score = 0;
  int32_t level = 0;
  uint64_t frames = 0;  // frames shown during the game
  uint64_t state = 0;   // hash of the game state at the end

  bool operator==(const EndState&) const = default;
};

// Stamped on at the name entry: who claims the score.
struct Claim {
  std::string name;
  std::string note;
};

struct Recording {
  std::string build;  // the build that played it
  StartState start;
  std::vector<uint8_t> tape;
  bool scripted = false;  // the tape holds the simulator's set-up steps
  EndState end;
  Claim claim;
};

// The file's bytes.
std::vector<uint8_t> EncodeRecording(const Recording& recording);
// Throws DamagedRecording for anything that is not a whole, well-formed recording, and
// RefusedRecording for another format version or, when build is not empty, another build.
Recording DecodeRecording(std::span<const uint8_t> file, const std::string& build);

// A recording file's bytes, read up to one byte past the largest recording, so a huge file is
// refused unread. Throws std::runtime_error ("Cannot open <path>: <why>") when it cannot be read.
std::vector<uint8_t> ReadRecordingFile(const std::string& path);

// The build this program is; recordings name it.
const std::string& ThisBuild();

}  // namespace brinecast::replay
