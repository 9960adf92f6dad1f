// Request targets: the query keys are written once here, for building and for reading. The
// query is read by hand, since its flags carry no values.
#include "protocol/Requests.h"

#include <cctype>
#include <initializer_list>

namespace brinecast::protocol {

namespace {

constexpr std::string_view kCheckFlag = "version";
constexpr std::string_view kSubmitFlag = "hs";
constexpr std::string_view kShowFlag = "show";
constexpr std::string_view kProgramKey = "prg";
constexpr std::string_view kTypeKey = "type";
constexpr std::string_view kWorldType = "0";

struct Query {
  bool check = false;
  bool submit = false;
  bool show = false;
  std::string_view program;
  std::string_view type;
  std::string_view payload;
};

Query ReadQuery(std::string_view target) {
  Query query;
  const size_t mark = target.find('?');
  if (mark == std::string_view::npos) return query;
  std::string_view rest = target.substr(mark + 1);
  while (!rest.empty()) {
    const size_t amp = rest.find('&');
    const std::string_view piece = rest.substr(0, amp);
    rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
    const size_t eq = piece.find('=');
    const std::string_view key = piece.substr(0, eq);
    const std::string_view value =
        eq == std::string_view::npos ? std::string_view() : piece.substr(eq + 1);
    if (key == kCheckFlag) query.check = true;
    if (key == kSubmitFlag) query.submit = true;
    if (key == kShowFlag) query.show = true;
    if (key == kProgramKey) query.program = value;
    if (key == kTypeKey) query.type = value;
    if (key == kPayloadKey) query.payload = value;
  }
  return query;
}

// "<script>?" then the pieces joined by "&".
std::string Script(std::initializer_list<std::string_view> pieces) {
  std::string target(kScriptPath);
  char separator = '?';
  for (std::string_view piece : pieces) {
    target += separator;
    target += piece;
    separator = '&';
  }
  return target;
}

std::string Pair(std::string_view key, std::string_view value) {
  std::string pair(key);
  pair += '=';
  pair += value;
  return pair;
}

}  // namespace

std::string CheckTarget() {
  return Script({kCheckFlag, Pair(kProgramKey, kProgram)});
}

std::string SubmitTarget(std::string_view encodedPayload) {
  return Script({kSubmitFlag, Pair(kProgramKey, kProgram), Pair(kPayloadKey, encodedPayload)});
}

std::string WorldTarget() {
  return Script({Pair(kProgramKey, kProgram), kShowFlag, Pair(kTypeKey, kWorldType)});
}

std::string PortalTarget() {
  return std::string(kPortalPath);
}

std::string RecordingTarget(std::string_view token) {
  // Tokens are hex today; anything else is escaped so the query stays one piece.
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string target(kRecordingPath);
  target += '?';
  target += kRecordingTokenKey;
  target += '=';
  for (const char c : token) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) != 0 || c == '-' || c == '_' || c == '.' || c == '~') {
      target += c;
    } else {
      target += '%';
      target += kHex[byte >> 4U];
      target += kHex[byte & 15U];
    }
  }
  return target;
}

std::string RecordingToken(std::string_view target) {
  if (TargetPath(target) != kRecordingPath) return {};
  const size_t mark = target.find('?');
  if (mark == std::string_view::npos) return {};
  std::string_view rest = target.substr(mark + 1);
  std::string_view found;
  while (!rest.empty()) {
    const size_t amp = rest.find('&');
    const std::string_view piece = rest.substr(0, amp);
    rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
    const size_t eq = piece.find('=');
    if (eq != std::string_view::npos && piece.substr(0, eq) == kRecordingTokenKey) {
      found = piece.substr(eq + 1);
    }
  }
  std::string token;
  for (size_t i = 0; i < found.size(); ++i) {
    if (found[i] == '%' && i + 2 < found.size() &&
        std::isxdigit(static_cast<unsigned char>(found[i + 1])) != 0 &&
        std::isxdigit(static_cast<unsigned char>(found[i + 2])) != 0) {
      token += static_cast<char>(std::stoi(std::string(found.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      token += found[i];
    }
  }
  return token;
}

std::string_view TargetPath(std::string_view target) {
  return target.substr(0, target.find('?'));
}

Request ReadTarget(std::string_view target) {
  const std::string_view path = TargetPath(target);
  if (path == kPortalPath) return {Asked::kPortal, {}};
  if (path != kScriptPath) return {Asked::kOtherPath, {}};
  const Query query = ReadQuery(target);
  if (query.program != kProgram) return {Asked::kOtherProgram, {}};
  if (query.check) return {Asked::kCheck, {}};
  if (query.submit) return {Asked::kSubmission, query.payload};
  if (query.show && query.type == kWorldType) return {Asked::kWorldPage, {}};
  return {Asked::kUnknown, {}};
}

}  // namespace brinecast::protocol
