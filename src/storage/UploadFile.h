// One recording upload waiting for another try, and the bytes of the file that keeps it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brinecast {

struct WaitingUpload {
  std::string host;      // host[:port] of the server the recording was for
  std::string token;     // the check's token that names the score
  int64_t deadline = 0;  // seconds since 1970: past it the server no longer takes the token
  uint32_t attempts = 0;
  int64_t nextTry = 0;  // seconds since 1970
  std::vector<uint8_t> recording;

  bool operator==(const WaitingUpload&) const = default;
};

// A few lines of text (host, token, deadline, attempts, next try, size), then the recording.
std::vector<uint8_t> EncodeUpload(const WaitingUpload& upload);
// Nothing unless the bytes are exactly what EncodeUpload writes for some upload.
std::optional<WaitingUpload> DecodeUpload(std::span<const uint8_t> bytes);

}  // namespace brinecast
