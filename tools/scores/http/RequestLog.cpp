// Times in UTC with milliseconds.
#include "scores/http/RequestLog.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>

#include "protocol/Requests.h"

namespace brinecast::scores {

namespace {

constexpr size_t kLoggedTargetLength = 200;
constexpr size_t kLoggedCauseLength = 160;

std::string Now() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[40];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  char full[48];
  std::snprintf(full, sizeof full, "%s.%03dZ", text, static_cast<int>(millis));
  return full;
}

void Escape(std::string& out, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7f || c == '%') {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", byte);
      out += hex;
    } else {
      out += c;
    }
  }
}

}  // namespace

std::string LoggedTarget(std::string_view target) {
  // A recording's token may still send it, so it stays out of the log as the payload does.
  const std::string_view key = protocol::TargetPath(target) == protocol::kRecordingPath
                                   ? protocol::kRecordingTokenKey
                                   : protocol::kPayloadKey;
  const std::string marker = std::string(key) + '=';
  std::string out;
  while (!target.empty()) {
    const size_t payload = target.find(marker);
    const bool atPiece = payload != std::string_view::npos &&
                         (payload == 0 || target[payload - 1] == '?' || target[payload - 1] == '&');
    const size_t cut = payload == std::string_view::npos ? target.size() : payload + marker.size();
    Escape(out, target.substr(0, cut));
    target.remove_prefix(cut);
    if (atPiece) {
      const size_t end = target.find('&');
      out += "...";
      target.remove_prefix(end == std::string_view::npos ? target.size() : end);
    }
  }
  if (out.size() > kLoggedTargetLength) out = out.substr(0, kLoggedTargetLength) + "...";
  return out;
}

std::string RequestLine(std::string_view client, std::string_view method, std::string_view target,
                        std::string_view status, double milliseconds, std::string_view cause) {
  std::string line = Now() + " ";
  Escape(line, client);
  line += ' ';
  Escape(line, method.substr(0, 16));
  line += ' ' + LoggedTarget(target) + ' ' + std::string(status) + ' ';
  char took[32];
  std::snprintf(took, sizeof took, "%.1fms", milliseconds);
  line += took;
  if (cause.empty()) return line;
  // Kept on its line and inside its quotes whatever it holds.
  line += " \"";
  for (const char c : cause.substr(0, kLoggedCauseLength)) {
    const auto byte = static_cast<unsigned char>(c);
    line += byte < 0x20 || byte == 0x7f || c == '"' || c == '\\' ? ' ' : c;
  }
  while (line.back() == ' ') line.pop_back();
  return line + '"';
}

void LogLine(const std::string& line) {
  const std::string whole = line + "\n";
  // One write: stdio might split a line between threads.
  const ssize_t ignored = write(STDERR_FILENO, whole.data(), whole.size());
  (void)ignored;
}

void LogError(const std::string& what) {
  std::string text = what;
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  LogLine(Now() + " error: " + text);
}

}  // namespace brinecast::scores

namespace brinecast::scores {

void LogNote(const std::string& what) {
  LogLine(Now() + " " + what);
}

}  // namespace brinecast::scores
