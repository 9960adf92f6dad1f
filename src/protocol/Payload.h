// The payload of a score submission: its fields in order, their limits, and the game's
// building of it beside the server's strict reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brinecast::protocol {

// Names and notes (the add field) are single bytes of the game's code page, printable.
inline constexpr size_t kMaxNameLength = 12;
inline constexpr size_t kMaxNoteLength = 12;
// The p field: the token the server handed out with its check, letters and digits.
inline constexpr size_t kMaxTokenLength = 64;
// The score is a signed 64-bit decimal: at most this many digits after an optional minus.
inline constexpr size_t kMaxScoreDigits = 19;

// The one-letter value of the payload's key field the game sends; the server takes any
// capital letter.
inline constexpr char kSubmissionKey = 'B';

struct Submission {
  std::string name;  // as sent: single bytes of the game's code page
  int64_t score = 0;
  char key = 0;
  std::string token;  // the p field
  std::string text;   // the add field, the player's note
};

// "type=0|name=..|score=..|key=..|p=..|add=..|z=" padded with "0" to a multiple of 5.
// Nothing is cut: the game keeps its texts within the limits.
std::string BuildPayload(std::string_view name, int64_t score, char key, std::string_view p,
                         std::string_view addText);

// The fields of a decoded payload; nothing unless it is exactly the form BuildPayload
// makes with fields within the limits.
std::optional<Submission> ParseSubmission(std::string_view payload);

}  // namespace brinecast::protocol
