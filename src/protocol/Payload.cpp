// The payload's markers are written once here, for building and for reading; the reader
// walks them in order and refuses anything that does not fit.
#include "protocol/Payload.h"

#include <charconv>

#include "protocol/Encoding.h"

namespace brinecast::protocol {

namespace {

constexpr std::string_view kType = "type=0";
constexpr std::string_view kName = "|name=";
constexpr std::string_view kScore = "|score=";
constexpr std::string_view kKey = "|key=";
constexpr std::string_view kToken = "|p=";
constexpr std::string_view kNote = "|add=";
constexpr std::string_view kEnd = "|z=";
constexpr size_t kBlock = 5;  // the payload's length is a multiple of this
constexpr char kPad = '0';

constexpr size_t kLongestPayload = kType.size() + kName.size() + kMaxNameLength + kScore.size() +
                                   1 + kMaxScoreDigits + kKey.size() + 1 + kToken.size() +
                                   kMaxTokenLength + kNote.size() + kMaxNoteLength + kEnd.size() +
                                   kBlock - 1;
static_assert(EncodedLength(kLongestPayload) <= kMaxEncodedLength,
              "the longest payload the game can send must not be refused unread");

bool IsPlainText(std::string_view text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7f) return false;
  }
  return true;
}

bool IsToken(std::string_view token) {
  if (token.empty() || token.size() > kMaxTokenLength) return false;
  for (char c : token) {
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!alnum) return false;
  }
  return true;
}

// Decimal, a minus sign allowed, no leading zeros, within 64 bits.
std::optional<int64_t> ParseScore(std::string_view digits) {
  const std::string_view magnitude = digits.starts_with('-') ? digits.substr(1) : digits;
  if (magnitude.empty() || magnitude.size() > kMaxScoreDigits) return std::nullopt;
  if (magnitude.size() > 1 && magnitude[0] == '0') return std::nullopt;
  if (digits == "-0") return std::nullopt;
  int64_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// Takes `marker` from the front of `rest`, then the value up to the next `next` marker.
bool TakeField(std::string_view& rest, std::string_view marker, std::string_view next,
               std::string_view& value) {
  if (!rest.starts_with(marker)) return false;
  rest.remove_prefix(marker.size());
  const size_t end = rest.find(next);
  if (end == std::string_view::npos) return false;
  value = rest.substr(0, end);
  rest.remove_prefix(end);
  return true;
}

}  // namespace

std::string BuildPayload(std::string_view name, int64_t score, char key, std::string_view p,
                         std::string_view addText) {
  std::string payload(kType);
  payload += kName;
  payload += name;
  payload += kScore;
  payload += std::to_string(score);
  payload += kKey;
  payload += key;
  payload += kToken;
  payload += p;
  payload += kNote;
  payload += addText;
  payload += kEnd;
  payload.append((kBlock - payload.size() % kBlock) % kBlock, kPad);
  return payload;
}

std::optional<Submission> ParseSubmission(std::string_view payload) {
  if (payload.size() % kBlock != 0) return std::nullopt;
  // The note may hold anything printable, so the end marker is the last one, and only the
  // zeros that pad to a multiple of 5 may follow it.
  const size_t end = payload.rfind(kEnd);
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view padding = payload.substr(end + kEnd.size());
  if (padding.size() >= kBlock || padding.find_first_not_of(kPad) != std::string_view::npos) {
    return std::nullopt;
  }
  std::string_view rest = payload.substr(0, end);
  std::string_view name, score, key, token;
  if (!rest.starts_with(kType)) return std::nullopt;
  rest.remove_prefix(kType.size());
  if (!TakeField(rest, kName, kScore, name) || !TakeField(rest, kScore, kKey, score) ||
      !TakeField(rest, kKey, kToken, key) || !TakeField(rest, kToken, kNote, token) ||
      !rest.starts_with(kNote)) {
    return std::nullopt;
  }
  const std::string_view text = rest.substr(kNote.size());
  if (name.size() > kMaxNameLength || text.size() > kMaxNoteLength) return std::nullopt;
  if (!IsPlainText(name) || !IsPlainText(text) || !IsToken(token)) return std::nullopt;
  if (key.size() != 1 || key[0] < 'A' || key[0] > 'Z') return std::nullopt;
  const std::optional<int64_t> value = ParseScore(score);
  if (!value) return std::nullopt;
  return Submission{std::string(name), *value, key[0], std::string(token), std::string(text)};
}

}  // namespace brinecast::protocol
