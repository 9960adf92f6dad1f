// Reading a score submission: the 32-letter encoding back to bytes, then the payload's
// fields, checked for order, lengths and form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brinecast::scores {

struct Submission {
  std::string name;  // as sent: single bytes of the game's code page
  int64_t score = 0;
  char key = 0;
  std::string token;  // the p field
  std::string text;   // the add field
};

inline constexpr size_t kMaxTextLength = 12;
inline constexpr size_t kMaxTokenLength = 64;
// The longest payload the game can send, encoded; anything longer is refused unread.
inline constexpr size_t kMaxEncodedLength = 256;

// The bytes behind an encoded text; nothing when a letter is outside the alphabet or the
// leading bits that stand for no byte are not zero.
std::optional<std::string> DecodeSubmission(std::string_view encoded);

// The fields of a decoded payload; nothing unless it is exactly the game's form.
std::optional<Submission> ParseSubmission(std::string_view payload);

}  // namespace brinecast::scores
