// The score submission's payload and its 32-letter encoding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brinecast {

// Capital letters without I, O and Z, then the digits 1 to 9.
inline constexpr std::string_view kSubmissionAlphabet = "ABCDEFGHJKLMNPQRSTUVWXY123456789";

// The one-letter value of the payload's key field.
inline constexpr char kSubmissionKey = 'B';

// Base-32 grouping of the bytes' bits, most significant first, with leading zero bits
// when the bit count is not a multiple of 5 and no padding characters.
std::string EncodeSubmission(std::string_view text);

// "type=0|name=..|score=..|key=..|p=..|add=..|z=" padded with "0" to a multiple of 5.
std::string BuildPayload(std::string_view name, int64_t score, char key, std::string_view p,
                         std::string_view addText);

}  // namespace brinecast
