// The upload's retry rules: which answers are final, the back-off, the token's lifetime.
#include "online/UploadRetry.h"

#include <algorithm>
#include <charconv>

namespace brinecast {

namespace {

constexpr int64_t kFirstWait = 30;
constexpr int64_t kLongestWait = 8 * 60;
constexpr int64_t kDefaultTokenLife = 10 * 60;
constexpr int64_t kLongestLife = 24 * 60 * 60;
constexpr size_t kExpiryDigits = 10;

}  // namespace

bool UploadWorthRetrying(long status) {
  switch (status) {
    case 0:
    case 408:
    case 429:
    case 502:
    case 503:
    case 504:
      return true;
    default:
      return false;
  }
}

int64_t UploadBackOff(uint32_t attempts) {
  int64_t wait = kFirstWait;
  for (uint32_t i = 1; i < attempts && wait < kLongestWait; ++i) wait *= 2;
  return std::min(wait, kLongestWait);
}

std::optional<int64_t> TokenExpiry(std::string_view token) {
  // The server's tokens carry more after the expiry; ten digits alone are no token of its.
  if (token.size() <= kExpiryDigits) return std::nullopt;
  int64_t expiry = 0;
  const char* end = token.data() + kExpiryDigits;
  for (const char* c = token.data(); c != end; ++c) {
    if (*c < '0' || *c > '9') return std::nullopt;
  }
  const auto [stop, error] = std::from_chars(token.data(), end, expiry);
  if (error != std::errc() || stop != end) return std::nullopt;
  return expiry;
}

int64_t UploadDeadline(std::string_view token, int64_t now) {
  const std::optional<int64_t> expiry = TokenExpiry(token);
  return std::min(expiry.value_or(now + kDefaultTokenLife), now + kLongestLife);
}

}  // namespace brinecast
