// A hostile recording must neither crash nor hang the code that reads and replays it. The first
// byte picks what the rest is: a whole file (read, and what reads must write back the same), or
// the tape of a game replayed headless from an ordinary start.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "app/replay/VerifyRecording.h"
#include "replay/Recording.h"

namespace {

void ReadWholeFile(std::span<const uint8_t> bytes) {
  brinecast::replay::Recording recording;
  try {
    recording = brinecast::replay::DecodeRecording(bytes, "");
  } catch (const brinecast::replay::DamagedRecording&) {
    return;
  } catch (const brinecast::replay::RefusedRecording&) {
    return;
  }
  const std::vector<uint8_t> again = brinecast::replay::EncodeRecording(recording);
  const brinecast::replay::Recording back = brinecast::replay::DecodeRecording(again, "");
  if (!(back.start == recording.start) || back.tape != recording.tape ||
      !(back.end == recording.end) || back.claim.name != recording.claim.name ||
      back.claim.note != recording.claim.note || back.scripted != recording.scripted) {
    std::abort();
  }
}

void ReplayTape(std::span<const uint8_t> tape) {
  brinecast::replay::Recording recording;
  recording.build = brinecast::replay::ThisBuild();
  recording.tape.assign(tape.begin(), tape.end());
  recording.end.complete = tape.size() % 2 == 0;
  const brinecast::VerifyReport report = brinecast::VerifyRecording(
      brinecast::replay::EncodeRecording(recording), BRINECAST_FUZZ_APPDIR);
  // Whatever the tape holds, the answer is a verdict, never a proof of something made up.
  if (report.verdict == brinecast::VerifyReport::Verdict::kComplete && report.score != 0) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const uint8_t> rest(data + 1, size - 1);
  if (data[0] % 2 == 0) {
    ReadWholeFile(rest);
  } else {
    ReplayTape(rest);
  }
  return 0;
}
