// The 32-letter encoding that carries a submission's payload in the request target, both
// ways: the game encodes, the server decodes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace brinecast::protocol {

// Capital letters without I, O and Z, then the digits 1 to 9.
inline constexpr std::string_view kAlphabet = "ABCDEFGHJKLMNPQRSTUVWXY123456789";

// The longest encoded submission read at all; anything longer is refused unread. The
// longest payload the game can send fits (see Payload.h).
inline constexpr size_t kMaxEncodedLength = 256;

// Letters needed for a text of so many bytes.
constexpr size_t EncodedLength(size_t bytes) {
  return (bytes * 8 + 4) / 5;
}

// Base-32 grouping of the bytes' bits, most significant first, with leading zero bits
// when the bit count is not a multiple of 5 and no padding characters.
std::string EncodeSubmission(std::string_view text);

// The bytes behind an encoded text; nothing when it is longer than kMaxEncodedLength, a
// letter is outside the alphabet or the leading bits that stand for no byte are not zero.
std::optional<std::string> DecodeSubmission(std::string_view encoded);

}  // namespace brinecast::protocol
