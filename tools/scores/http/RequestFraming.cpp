// Only "chunked" is understood as a transfer coding, and only alone: anything layered on it
// would be a body this server cannot read.
#include "scores/http/RequestFraming.h"

#include <algorithm>

#include "scores/http/HeaderText.h"

namespace brinecast::scores {

namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

Reply Refused(int status, std::string text) {
  return {status, std::move(text)};
}

}  // namespace

std::optional<Reply> FramingFault(const HeaderList& headers, std::string_view version) {
  std::optional<std::string_view> length;
  std::vector<std::string_view> codings;
  bool codingSent = false;
  for (const auto& [name, value] : headers) {
    if (SameHeaderName(name, "Content-Length")) {
      const std::string_view digits = TrimSpaces(value);
      if (!AllDigits(digits)) return Refused(400, "Content-Length is not a number");
      // Leading zeros spell the same length.
      const std::string_view plain =
          digits.substr(std::min(digits.find_first_not_of('0'), digits.size() - 1));
      if (length && *length != plain) return Refused(400, "Two different Content-Lengths");
      length = plain;
    } else if (SameHeaderName(name, "Transfer-Encoding")) {
      codingSent = true;
      ForEachItem(value, [&](std::string_view coding) { codings.push_back(coding); });
    }
  }
  if (!codingSent) return std::nullopt;
  if (length) return Refused(400, "Both Content-Length and Transfer-Encoding sent");
  if (version != "HTTP/1.1") return Refused(400, "Transfer-Encoding needs HTTP/1.1");
  for (const std::string_view coding : codings) {
    if (!SameHeaderName(coding, "chunked")) {
      return Refused(501, "Only the chunked Transfer-Encoding is supported");
    }
  }
  if (codings.size() != 1) return Refused(400, "Transfer-Encoding must be chunked, once");
  return std::nullopt;
}

}  // namespace brinecast::scores
