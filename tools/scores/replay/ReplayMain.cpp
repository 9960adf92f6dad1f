// brinecast-replay: replays the recording on standard input with the game's data and prints
// what it found as one line of JSON. The score server runs it as a child for each recording;
// it ships with the game, whose code and data it needs.
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "app/replay/VerifyRecording.h"
#include "protocol/Requests.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() != 2 || args[0] != "--data") {
    std::fprintf(stderr, "usage: brinecast-replay --data DIR < RECORDING\n");
    return 2;
  }
  // One byte past the largest recording is enough to refuse it.
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  while (bytes.size() <= brinecast::protocol::kRecordingMaxBytes) {
    const ssize_t n = read(0, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      std::perror("brinecast-replay: reading the recording");
      return 1;
    }
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  brinecast::VerifyReport report;
  if (bytes.size() > brinecast::protocol::kRecordingMaxBytes) {
    report.message = "larger than any recording may be";
  } else {
    report = brinecast::VerifyRecording(std::span<const uint8_t>(bytes), args[1]);
  }
  std::printf("%s\n", report.Json().c_str());
  return std::fflush(stdout) == 0 ? report.ExitStatus() : 1;
}
