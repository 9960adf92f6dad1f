// Payload building and its encoding, bit by bit from the left.
#include "online/Submission.h"

namespace brinecast {

std::string EncodeSubmission(std::string_view text) {
  const size_t bits = text.size() * 8;
  const size_t lead = (5 - bits % 5) % 5;
  std::string out;
  out.reserve((bits + lead) / 5);
  unsigned group = 0;
  size_t filled = lead;  // the leading zero bits already sit in the first group
  for (unsigned char c : text) {
    for (int bit = 7; bit >= 0; --bit) {
      group = (group << 1) | ((c >> bit) & 1u);
      if (++filled == 5) {
        out.push_back(kSubmissionAlphabet[group]);
        group = 0;
        filled = 0;
      }
    }
  }
  return out;
}

std::string BuildPayload(std::string_view name, int64_t score, char key, std::string_view p,
                         std::string_view addText) {
  std::string payload = "type=0|name=";
  payload += name;
  payload += "|score=";
  payload += std::to_string(score);
  payload += "|key=";
  payload += key;
  payload += "|p=";
  payload += p;
  payload += "|add=";
  payload += addText;
  payload += "|z=";
  payload.append((5 - payload.size() % 5) % 5, '0');
  return payload;
}

}  // namespace brinecast
