// brinecast-replay: replays the recording on standard input with the game's data and prints
// what it found as one line of JSON. The score server runs it as a child for each recording;
// it ships with the game, whose code and data it needs. The data is read first; then the
// process enters its sandbox and only then reads the recording, which may be hostile.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "CpuBudget.h"
#include "ReplaySandbox.h"
#include "app/replay/VerifyRecording.h"
#include "engine/DxgArchive.h"
#include "protocol/Requests.h"
#include "replay/Recording.h"

namespace {

// Every picture archive the game may load, kept in memory under the name it loads it by;
// why not, when there are none or one cannot be read.
std::string KeepGameData(const std::string& dataDir) {
  const std::string appDir = dataDir.empty() || dataDir.back() == '/' ? dataDir : dataDir + '/';
  std::error_code error;
  int kept = 0;
  for (const auto& entry : std::filesystem::directory_iterator(appDir + "Data", error)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".dxg") continue;
    try {
      brinecast::KeepDxgArchiveFile(appDir + "Data/" + entry.path().filename().string());
      ++kept;
    } catch (const std::exception& e) {
      return e.what();
    }
  }
  if (error) return appDir + "Data: " + error.message();
  return kept > 0 ? std::string() : "no picture archives in " + appDir + "Data";
}

bool ReadRecording(std::vector<uint8_t>& bytes) {
  // One byte past the largest recording is enough to refuse it.
  uint8_t buffer[65536];
  while (bytes.size() <= brinecast::protocol::kRecordingMaxBytes) {
    const ssize_t n = read(0, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      std::perror("brinecast-replay: reading the recording");
      return false;
    }
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  return true;
}

// The frames the recording claims; nothing when it is damaged or refused, which the replay
// then reports without playing anything.
std::optional<uint64_t> ClaimedFrames(std::span<const uint8_t> bytes) {
  try {
    return brinecast::replay::DecodeRecording(bytes, brinecast::replay::ThisBuild()).end.frames;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

brinecast::VerifyReport Inconsistent(const std::string& message) {
  brinecast::VerifyReport report;
  report.verdict = brinecast::VerifyReport::Verdict::kInconsistent;
  report.message = message;
  return report;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() != 2 || args[0] != "--data") {
    std::fprintf(stderr, "usage: brinecast-replay --data DIR < RECORDING\n");
    return 2;
  }
  // Read before the sandbox, which opens no file; a failure is reported with the replay.
  const std::string dataError = KeepGameData(args[1]);
  // Standard output gets its buffer now, so printing asks the system nothing more.
  static char outBuffer[1 << 16];
  std::setvbuf(stdout, outBuffer, _IOFBF, sizeof outBuffer);
  std::string error;
  if (!brinecast::scores::EnterSandbox(error)) {
    std::fprintf(stderr, "brinecast-replay: %s\n", error.c_str());
    return 1;
  }
  // For the test that the sandbox holds: a call it forbids. No recording reaches this.
  if (std::getenv("BRINECAST_REPLAY_FORBIDDEN_CALL")) {
    const int fd = open("/dev/null", O_RDONLY | O_CLOEXEC);
    std::fprintf(stderr, "brinecast-replay: the sandbox let a file be opened (%d)\n", fd);
    return 1;
  }
  std::vector<uint8_t> bytes;
  if (!ReadRecording(bytes)) return 1;
  brinecast::VerifyReport report;
  if (bytes.size() > brinecast::protocol::kRecordingMaxBytes) {
    report.message = "larger than any recording may be";
  } else if (const std::optional<uint64_t> frames = ClaimedFrames(bytes);
             frames && !dataError.empty()) {
    report = Inconsistent("the game could not start: " + dataError);
  } else {
    // Cut off past what the frames it claims can cost to replay.
    if (frames) {
      brinecast::scores::CutOffAfter(
          brinecast::scores::ReplayCpuBudget(*frames),
          Inconsistent("cut off: its replay took more CPU time than the " +
                       std::to_string(*frames) + " frames it claims can")
              .Json());
    }
    report = brinecast::VerifyRecording(std::span<const uint8_t>(bytes), args[1]);
  }
  std::printf("%s\n", report.Json().c_str());
  return std::fflush(stdout) == 0 ? report.ExitStatus() : 1;
}
