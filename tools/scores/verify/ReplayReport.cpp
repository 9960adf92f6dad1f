// A small reader for the one flat JSON object the child prints: strings, integers and
// booleans; anything else, or anything odd, makes the report unreadable. "\u00XX" escapes
// stand for single bytes, as the writer escapes the game's code-page texts.
#include "scores/verify/ReplayReport.h"

#include <charconv>
#include <map>

#include "scores/store/CodePage.h"

namespace brinecast::scores {

namespace {

struct Value {
  enum class Kind { kString, kNumber, kBool, kNull } kind = Kind::kNull;
  std::string text;  // a string, or a number's digits
  bool flag = false;
};

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool Object(std::map<std::string, Value>& fields) {
    Space();
    if (!Take('{')) return false;
    Space();
    if (Take('}')) return End();
    while (true) {
      std::string key;
      Value value;
      Space();
      if (!String(key)) return false;
      Space();
      if (!Take(':')) return false;
      Space();
      if (!Read(value)) return false;
      // A repeated key is not something the writer makes.
      if (!fields.emplace(std::move(key), std::move(value)).second) return false;
      Space();
      if (Take('}')) return End();
      if (!Take(',')) return false;
    }
  }

 private:
  bool End() {
    Space();
    return at_ == text_.size();
  }
  void Space() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) {
      ++at_;
    }
  }
  bool Take(char c) {
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }
  bool Read(Value& value) {
    if (at_ >= text_.size()) return false;
    const char c = text_[at_];
    if (c == '"') {
      value.kind = Value::Kind::kString;
      return String(value.text);
    }
    if (Word("true") || Word("false")) {
      value.kind = Value::Kind::kBool;
      value.flag = c == 't';
      return true;
    }
    if (Word("null")) return true;
    const size_t start = at_;
    if (c == '-') ++at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
    if (at_ == start || (c == '-' && at_ == start + 1)) return false;
    value.kind = Value::Kind::kNumber;
    value.text = std::string(text_.substr(start, at_ - start));
    return true;
  }
  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }
  bool String(std::string& out) {
    if (!Take('"')) return false;
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) return false;
      const char e = text_[at_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          if (text_.size() - at_ < 4) return false;
          int code = 0;
          for (int i = 0; i < 4; ++i) {
            const int d = HexDigit(text_[at_++]);
            if (d < 0) return false;
            code = code * 16 + d;
          }
          // Only single bytes: the writer escapes nothing wider.
          if (code > 0xFF) return false;
          out += static_cast<char>(code);
          break;
        }
        default:
          return false;
      }
    }
    return false;
  }

  std::string_view text_;
  size_t at_ = 0;
};

template <typename Number>
bool NumberOf(const std::map<std::string, Value>& fields, const char* key, Number& out) {
  const auto it = fields.find(key);
  if (it == fields.end() || it->second.kind != Value::Kind::kNumber) return false;
  const std::string& text = it->second.text;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc() && stop == text.data() + text.size();
}

bool TextOf(const std::map<std::string, Value>& fields, const char* key, std::string& out) {
  const auto it = fields.find(key);
  if (it == fields.end() || it->second.kind != Value::Kind::kString) return false;
  out = it->second.text;
  return true;
}

bool FlagOf(const std::map<std::string, Value>& fields, const char* key, bool& out) {
  const auto it = fields.find(key);
  if (it == fields.end() || it->second.kind != Value::Kind::kBool) return false;
  out = it->second.flag;
  return true;
}

}  // namespace

std::optional<ReplayReport> ReadReplayReport(std::string_view line) {
  std::map<std::string, Value> fields;
  if (!Reader(line).Object(fields)) return std::nullopt;
  ReplayReport report;
  const bool whole =
      TextOf(fields, "verdict", report.verdict) && NumberOf(fields, "score", report.score) &&
      NumberOf(fields, "frames", report.frames) && TextOf(fields, "state", report.state) &&
      FlagOf(fields, "complete", report.complete) && FlagOf(fields, "scripted", report.scripted) &&
      TextOf(fields, "name", report.name) && TextOf(fields, "note", report.note);
  if (!whole) return std::nullopt;
  // Helpful, not needed for the verdict.
  NumberOf(fields, "level", report.level);
  TextOf(fields, "build", report.build);
  TextOf(fields, "message", report.message);
  return report;
}

RecordingVerdict Judge(const ReplayReport& report, const ScoreEntry& claimed) {
  RecordingVerdict verdict;
  if (report.verdict != "complete" || !report.complete) {
    verdict.reason = "replay " + report.verdict;
    if (!report.message.empty()) verdict.reason += ": " + report.message;
    return verdict;
  }
  if (report.scripted) {
    verdict.reason = "made with simulator set-up steps";
    return verdict;
  }
  if (report.score != claimed.score) {
    verdict.reason = "replayed to " + std::to_string(report.score) + " points, not the " +
                     std::to_string(claimed.score) + " submitted";
    return verdict;
  }
  // The score's texts were stored as UTF-8 from the same code page.
  if (CodePageToUtf8(report.name) != claimed.name) {
    verdict.reason = "the recording names another player";
    return verdict;
  }
  if (CodePageToUtf8(report.note) != claimed.text) {
    verdict.reason = "the recording carries another note";
    return verdict;
  }
  verdict.proven = true;
  verdict.reason = "replayed to the submitted score";
  verdict.game =
      std::to_string(report.frames) + ":" + report.state + ":" + std::to_string(report.score);
  return verdict;
}

}  // namespace brinecast::scores
