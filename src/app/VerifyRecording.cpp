// Replaying a recording headless: the verdict and its one JSON line.
#include "app/VerifyRecording.h"

#include <cstdio>

#include "app/JsonWriter.h"

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

VerifyReport VerifyRecording(std::span<const uint8_t> /*bytes*/, const std::string& /*dataDir*/) {
  VerifyReport report;
  report.verdict = VerifyReport::Verdict::kRefused;
  report.message = "this build cannot replay recordings yet";
  return report;
}

}  // namespace brinecast
