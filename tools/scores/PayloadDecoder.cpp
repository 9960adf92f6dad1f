// The decoder undoes the game's encoding bit by bit; the parser walks the fixed field
// markers in order and refuses anything that does not fit.
#include "scores/PayloadDecoder.h"

#include <charconv>

namespace brinecast::scores {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHJKLMNPQRSTUVWXY123456789";

int LetterValue(char c) {
  const size_t at = kAlphabet.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

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
  if (magnitude.empty() || magnitude.size() > 19) return std::nullopt;
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

std::optional<std::string> DecodeSubmission(std::string_view encoded) {
  if (encoded.size() > kMaxEncodedLength) return std::nullopt;
  const size_t bits = encoded.size() * 5;
  size_t skip = bits % 8;  // leading zero bits the encoder put in front
  std::string bytes;
  bytes.reserve(bits / 8);
  unsigned acc = 0;
  int filled = 0;
  for (char c : encoded) {
    const int value = LetterValue(c);
    if (value < 0) return std::nullopt;
    for (int bit = 4; bit >= 0; --bit) {
      const unsigned b = (static_cast<unsigned>(value) >> bit) & 1u;
      if (skip > 0) {
        if (b != 0) return std::nullopt;
        --skip;
        continue;
      }
      acc = (acc << 1) | b;
      if (++filled == 8) {
        bytes.push_back(static_cast<char>(acc));
        acc = 0;
        filled = 0;
      }
    }
  }
  return bytes;
}

std::optional<Submission> ParseSubmission(std::string_view payload) {
  if (payload.size() % 5 != 0) return std::nullopt;
  // The add text may hold anything printable, so the end marker is the last one, and only
  // the zeros that pad to a multiple of 5 may follow it.
  const size_t end = payload.rfind("|z=");
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view padding = payload.substr(end + 3);
  if (padding.size() >= 5 || padding.find_first_not_of('0') != std::string_view::npos) {
    return std::nullopt;
  }
  std::string_view rest = payload.substr(0, end);
  std::string_view name, score, key, token;
  if (!rest.starts_with("type=0")) return std::nullopt;
  rest.remove_prefix(6);
  if (!TakeField(rest, "|name=", "|score=", name) || !TakeField(rest, "|score=", "|key=", score) ||
      !TakeField(rest, "|key=", "|p=", key) || !TakeField(rest, "|p=", "|add=", token) ||
      !rest.starts_with("|add=")) {
    return std::nullopt;
  }
  const std::string_view text = rest.substr(5);
  if (name.size() > kMaxTextLength || text.size() > kMaxTextLength) return std::nullopt;
  if (!IsPlainText(name) || !IsPlainText(text) || !IsToken(token)) return std::nullopt;
  if (key.size() != 1 || key[0] < 'A' || key[0] > 'Z') return std::nullopt;
  const std::optional<int64_t> value = ParseScore(score);
  if (!value) return std::nullopt;
  return Submission{std::string(name), *value, key[0], std::string(token), std::string(text)};
}

}  // namespace brinecast::scores
