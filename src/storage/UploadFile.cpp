// The waiting upload's file: a header of "name value" lines read strictly, then raw bytes.
#include "storage/UploadFile.h"

#include <charconv>
#include <string_view>

namespace brinecast {

namespace {

constexpr std::string_view kMagic = "brinecast upload 1";
// Host names and tokens are short; anything longer is not ours.
constexpr size_t kMaxWordLength = 300;

bool IsWord(std::string_view text) {
  if (text.empty() || text.size() > kMaxWordLength) return false;
  for (const char c : text) {
    if (c <= ' ' || c > '~') return false;
  }
  return true;
}

// Reads "name value\n" from the front of rest.
std::optional<std::string_view> Field(std::string_view& rest, std::string_view name) {
  const size_t end = rest.find('\n');
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view line = rest.substr(0, end);
  if (line.size() <= name.size() || line.substr(0, name.size()) != name ||
      line[name.size()] != ' ') {
    return std::nullopt;
  }
  rest.remove_prefix(end + 1);
  return line.substr(name.size() + 1);
}

// Decimal without sign or leading zeros, as EncodeUpload writes it.
template <typename Number>
std::optional<Number> FieldNumber(std::string_view& rest, std::string_view name) {
  const std::optional<std::string_view> text = Field(rest, name);
  if (!text || text->empty() || text->front() < '0' || text->front() > '9' ||
      (text->size() > 1 && text->front() == '0')) {
    return std::nullopt;
  }
  Number value{};
  const auto [stop, error] = std::from_chars(text->data(), text->data() + text->size(), value);
  if (error != std::errc() || stop != text->data() + text->size()) return std::nullopt;
  return value;
}

}  // namespace

std::vector<uint8_t> EncodeUpload(const WaitingUpload& upload) {
  std::string head(kMagic);
  head += "\nhost " + upload.host;
  head += "\ntoken " + upload.token;
  head += "\ndeadline " + std::to_string(upload.deadline);
  head += "\nattempts " + std::to_string(upload.attempts);
  head += "\nnext " + std::to_string(upload.nextTry);
  head += "\nbytes " + std::to_string(upload.recording.size()) + "\n";
  std::vector<uint8_t> bytes(head.begin(), head.end());
  bytes.insert(bytes.end(), upload.recording.begin(), upload.recording.end());
  return bytes;
}

std::optional<WaitingUpload> DecodeUpload(std::span<const uint8_t> bytes) {
  std::string_view rest(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (rest.substr(0, kMagic.size() + 1) != std::string(kMagic) + "\n") return std::nullopt;
  rest.remove_prefix(kMagic.size() + 1);
  WaitingUpload upload;
  const auto host = Field(rest, "host");
  const auto token = Field(rest, "token");
  const auto deadline = FieldNumber<int64_t>(rest, "deadline");
  const auto attempts = FieldNumber<uint32_t>(rest, "attempts");
  const auto next = FieldNumber<int64_t>(rest, "next");
  const auto size = FieldNumber<uint64_t>(rest, "bytes");
  if (!host || !token || !deadline || !attempts || !next || !size || !IsWord(*host) ||
      !IsWord(*token) || *size != rest.size()) {
    return std::nullopt;
  }
  upload.host = *host;
  upload.token = *token;
  upload.deadline = *deadline;
  upload.attempts = *attempts;
  upload.nextTry = *next;
  upload.recording.assign(rest.begin(), rest.end());
  return upload;
}

}  // namespace brinecast
