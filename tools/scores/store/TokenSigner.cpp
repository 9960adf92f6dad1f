// A token is the expiry in decimal, 12 random letters and digits, and the first 128 bits of
// HMAC-SHA256 over both in hex: 54 characters.
#include "scores/store/TokenSigner.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>

#include <charconv>
#include <stdexcept>

#include "protocol/Payload.h"

namespace brinecast::scores {

namespace {

constexpr size_t kExpiryDigits = 10;
constexpr size_t kNonceLength = 12;
constexpr size_t kMacLength = 32;
static_assert(kExpiryDigits + kNonceLength + kMacLength <= protocol::kMaxTokenLength,
              "a token must fit the payload's p field, or the game's submissions are refused");

void RandomBytes(unsigned char* out, size_t size) {
  if (RAND_bytes(out, static_cast<int>(size)) != 1) {
    throw std::runtime_error("no random bytes from the system");
  }
}

std::string Hex(const unsigned char* bytes, size_t size) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string text;
  text.reserve(size * 2);
  for (size_t i = 0; i < size; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

// Both strings are read in full whatever they hold, so timing tells nothing.
bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  unsigned char differ = 0;
  for (size_t i = 0; i < a.size(); ++i) differ |= static_cast<unsigned char>(a[i] ^ b[i]);
  return differ == 0;
}

}  // namespace

std::string TokenDigest(std::string_view token) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (EVP_Digest(token.data(), token.size(), digest, &size, EVP_sha256(), nullptr) != 1) {
    throw std::runtime_error("cannot hash a token");
  }
  return Hex(digest, size);
}

std::string NewSecret() {
  unsigned char bytes[32];
  RandomBytes(bytes, sizeof bytes);
  return Hex(bytes, sizeof bytes);
}

std::string TokenSigner::Mac(std::string_view signedPart) const {
  unsigned char mac[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (!HMAC(EVP_sha256(), secret_.data(), static_cast<int>(secret_.size()),
            reinterpret_cast<const unsigned char*>(signedPart.data()), signedPart.size(), mac,
            &size)) {
    throw std::runtime_error("cannot sign a token");
  }
  return Hex(mac, kMacLength / 2);
}

std::string TokenSigner::Issue(int64_t expires) const {
  constexpr std::string_view kChars =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char random[kNonceLength];
  RandomBytes(random, sizeof random);
  std::string expiry = std::to_string(expires);
  std::string part =
      std::string(kExpiryDigits - std::min(kExpiryDigits, expiry.size()), '0') + expiry;
  // 62 letters: the bias of the modulo is far below what guessing could use.
  for (unsigned char byte : random) part += kChars[byte % kChars.size()];
  return part + Mac(part);
}

std::optional<int64_t> TokenSigner::Verify(std::string_view token, int64_t now) const {
  if (token.size() != kExpiryDigits + kNonceLength + kMacLength) return std::nullopt;
  const std::string_view part = token.substr(0, kExpiryDigits + kNonceLength);
  if (!SameText(token.substr(part.size()), Mac(part))) return std::nullopt;
  int64_t expires = 0;
  const char* end = token.data() + kExpiryDigits;
  const auto [stop, error] = std::from_chars(token.data(), end, expires);
  if (error != std::errc() || stop != end || expires < now) return std::nullopt;
  return expires;
}

}  // namespace brinecast::scores
