// Tokens that need no storage until they are used: an expiry and a random part, signed with
// the server's secret, so a check stores nothing an attacker could fill.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brinecast::scores {

class TokenSigner {
 public:
  explicit TokenSigner(std::string secret) : secret_(std::move(secret)) {}

  // Letters and digits only, as the game's payload carries them.
  std::string Issue(int64_t expires) const;

  // The token's expiry when it was signed by this secret and has not yet expired at `now`.
  std::optional<int64_t> Verify(std::string_view token, int64_t now) const;

 private:
  std::string Mac(std::string_view signedPart) const;
  std::string secret_;
};

// SHA-256 of a token as hex: what a stored score keeps to know its recording's upload.
std::string TokenDigest(std::string_view token);

// A new secret from the system's random source, as hex.
std::string NewSecret();

}  // namespace brinecast::scores
