// What the score server reads around a recording, on any bytes: the replaying child's report
// line must be read or refused without fault, and a verdict on it proves only with a game
// key; as an upload's target, its token is read without fault and never reaches the log.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "protocol/Requests.h"
#include "scores/http/RequestLog.h"
#include "scores/verify/ReplayReport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  using namespace brinecast::scores;
  using namespace brinecast::protocol;
  if (const auto report = ReadReplayReport(bytes)) {
    // Every string of the report came out of the line, never longer than it.
    if (report->name.size() > size || report->note.size() > size || report->state.size() > size) {
      std::abort();
    }
    const ScoreEntry claimed{report->name, report->score, report->note, 0, "a"};
    const RecordingVerdict verdict = Judge(*report, claimed);
    if (verdict.proven == verdict.game.empty() || verdict.reason.empty()) std::abort();
    if (verdict.proven && (report->verdict != "complete" || report->scripted)) std::abort();
  }
  const std::string target = std::string(kRecordingPath) + "?" + std::string(bytes);
  const std::string token = RecordingToken(target);
  if (token.size() > size) std::abort();
  // The token as the game sends it comes back whole, and stays out of the log.
  const std::string sent = RecordingTarget(bytes);
  if (RecordingToken(sent) != bytes) std::abort();
  if (LoggedTarget(sent) !=
      std::string(kRecordingPath) + "?" + std::string(kRecordingTokenKey) + "=...") {
    std::abort();
  }
  return 0;
}
