// The encoding bit by bit from the left, and its exact undoing.
#include "protocol/Encoding.h"

namespace brinecast::protocol {

namespace {

int LetterValue(char c) {
  const size_t at = kAlphabet.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

std::string EncodeSubmission(std::string_view text) {
  const size_t bits = text.size() * 8;
  const size_t lead = (5 - bits % 5) % 5;
  std::string out;
  out.reserve(EncodedLength(text.size()));
  unsigned group = 0;
  size_t filled = lead;  // the leading zero bits already sit in the first group
  for (unsigned char c : text) {
    for (int bit = 7; bit >= 0; --bit) {
      group = (group << 1) | ((c >> bit) & 1u);
      if (++filled == 5) {
        out.push_back(kAlphabet[group]);
        group = 0;
        filled = 0;
      }
    }
  }
  return out;
}

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

}  // namespace brinecast::protocol
