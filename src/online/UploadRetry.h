// When a recording upload that did not get through is tried again, and when it is given up.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace brinecast {

// Whether an answer to an upload is worth another try: a busy server (503, 429), a proxy in
// front of one that is down or slow (502, 504, 408), or no answer at all (status 0). Every
// other answer, taken or refused, is final.
bool UploadWorthRetrying(long status);

// Seconds to wait after an upload's attempts-th try: 30, doubling, at most 8 minutes.
int64_t UploadBackOff(uint32_t attempts);

// The expiry the server wrote into its token (seconds since 1970, its first ten digits).
std::optional<int64_t> TokenExpiry(std::string_view token);

// How long an upload made at now may wait: until its token expires, or, for a token that
// does not say, as long as a server's token lives by default. Never beyond a day, whatever a
// token claims.
int64_t UploadDeadline(std::string_view token, int64_t now);

}  // namespace brinecast
