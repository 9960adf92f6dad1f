// The score server's readers on any bytes: read as an encoded submission and as a decoded
// payload, it must refuse or accept without fault, and the game's encoding of any bytes must
// decode back to them; as a token, a forwarded address and a logged target, nothing faults, no
// forged token passes and no control byte reaches the log.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "online/Submission.h"
#include "scores/ClientAddress.h"
#include "scores/CodePage.h"
#include "scores/PayloadDecoder.h"
#include "scores/RequestLog.h"
#include "scores/TokenSigner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  using namespace brinecast::scores;
  if (const auto decoded = DecodeSubmission(bytes)) {
    if (const auto submission = ParseSubmission(*decoded)) {
      if (CodePageToUtf8(submission->name).size() > 3 * kMaxTextLength) std::abort();
    }
  }
  if (const auto submission = ParseSubmission(bytes)) {
    if (submission->name.size() > kMaxTextLength || submission->text.size() > kMaxTextLength ||
        submission->token.empty() || submission->token.size() > kMaxTokenLength) {
      std::abort();
    }
  }
  static const TokenSigner signer(NewSecret());
  if (signer.Verify(bytes, 0)) std::abort();  // a valid signature out of nowhere
  if (const auto client = ForwardedClient(bytes)) {
    if (client->empty() || LimitKey(*client).empty()) std::abort();
  }
  for (const char c : LoggedTarget(bytes)) {
    if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7f)
      std::abort();
  }
  if (size <= 150) {
    const std::string encoded = brinecast::EncodeSubmission(bytes);
    const auto back = DecodeSubmission(encoded);
    if (!back || *back != bytes) std::abort();
  }
  return 0;
}
