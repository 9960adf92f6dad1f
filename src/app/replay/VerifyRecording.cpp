// Replaying a recording headless: the verdict and its one JSON line.
#include "app/replay/VerifyRecording.h"

#include <cstdio>
#include <exception>

#include "app/JsonWriter.h"
#include "app/replay/ReplayGame.h"
#include "platform/NullPlatform.h"
#include "replay/Recording.h"

namespace brinecast {

namespace {

const char* VerdictName(VerifyReport::Verdict verdict) {
  switch (verdict) {
    case VerifyReport::Verdict::kComplete:
      return "complete";
    case VerifyReport::Verdict::kIncomplete:
      return "incomplete";
    case VerifyReport::Verdict::kDamaged:
      return "damaged";
    case VerifyReport::Verdict::kInconsistent:
      return "inconsistent";
    case VerifyReport::Verdict::kRefused:
      return "refused";
  }
  return "damaged";
}

}  // namespace

std::string VerifyReport::Json() const {
  char hash[17];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(state));
  JsonWriter json;
  json.BeginObject();
  json.Key("score").Int(score);
  json.Key("level").Int(level);
  json.Key("frames").Int(static_cast<int64_t>(frames));
  json.Key("state").String(hash);
  json.Key("complete").Bool(complete);
  json.Key("verdict").String(VerdictName(verdict));
  json.Key("scripted").Bool(scripted);
  json.Key("name").String(name);
  json.Key("note").String(note);
  json.Key("build").String(build);
  json.Key("message").String(message);
  json.EndObject();
  return json.Text();
}

int VerifyReport::ExitStatus() const {
  switch (verdict) {
    case Verdict::kComplete:
      return 0;
    case Verdict::kRefused:
      return 2;
    default:
      return 1;
  }
}

VerifyReport VerifyRecording(std::span<const uint8_t> bytes, const std::string& dataDir) {
  return VerifyRecording(bytes, dataDir, nullptr);
}

VerifyReport VerifyRecording(std::span<const uint8_t> bytes, const std::string& dataDir,
                             const std::function<void(TForm1&, const std::string&)>& runScript) {
  VerifyReport report;
  replay::Recording recording;
  try {
    recording = replay::DecodeRecording(bytes, replay::ThisBuild());
  } catch (const replay::RefusedRecording& refused) {
    report.verdict = VerifyReport::Verdict::kRefused;
    report.message = refused.what();
    return report;
  } catch (const std::exception& damaged) {
    report.verdict = VerifyReport::Verdict::kDamaged;
    report.message = damaged.what();
    return report;
  }
  report.build = recording.build;
  report.scripted = recording.scripted;
  report.name = recording.claim.name;
  report.note = recording.claim.note;

  // No window, no sound, and music that always loads.
  NullPlatform machine;
  ReplayOptions options;
  options.appDir = dataDir.empty() || dataDir.back() == '/' ? dataDir : dataDir + '/';
  options.draws = false;
  options.runScript = runScript;
  ReplayOutcome outcome;
  try {
    outcome = ReplayGame(recording, machine, options);
  } catch (const std::exception& error) {
    outcome.failure = error.what();
  }
  if (outcome.end) {
    report.score = outcome.end->score;
    report.level = outcome.end->level;
    report.frames = outcome.end->frames;
    report.state = outcome.end->state;
    report.complete = outcome.end->complete;
  }
  if (!outcome.consistent) {
    report.verdict = VerifyReport::Verdict::kInconsistent;
    report.message = outcome.failure;
    report.complete = false;
  } else {
    report.verdict =
        report.complete ? VerifyReport::Verdict::kComplete : VerifyReport::Verdict::kIncomplete;
    if (!report.complete) report.message = "the recording stops before its game ended";
  }
  return report;
}

}  // namespace brinecast
