// The score server's readers on any bytes: read as an encoded submission and as a decoded
// payload, it must refuse or accept without fault, and the game's encoding of any bytes must
// decode back to them; as a request target, what the game asks is read only on its script; as
// a token, a forwarded address and a logged target, nothing faults, no forged token passes and
// no control byte reaches the log.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Requests.h"
#include "scores/http/ClientAddress.h"
#include "scores/http/RequestLog.h"
#include "scores/store/CodePage.h"
#include "scores/store/TokenSigner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  using namespace brinecast::scores;
  using namespace brinecast::protocol;
  if (const auto decoded = DecodeSubmission(bytes)) {
    if (const auto submission = ParseSubmission(*decoded)) {
      if (CodePageToUtf8(submission->name).size() > 3 * kMaxNameLength) std::abort();
    }
  }
  if (const auto submission = ParseSubmission(bytes)) {
    if (submission->name.size() > kMaxNameLength || submission->text.size() > kMaxNoteLength ||
        submission->token.empty() || submission->token.size() > kMaxTokenLength) {
      std::abort();
    }
  }
  const Request asked = ReadTarget(bytes);
  const bool gameRequest = asked.asked == Asked::kCheck || asked.asked == Asked::kSubmission ||
                           asked.asked == Asked::kWorldPage;
  if (gameRequest && TargetPath(bytes) != kScriptPath) std::abort();
  if (!asked.encodedPayload.empty() &&
      (asked.encodedPayload.data() < bytes.data() ||
       asked.encodedPayload.data() + asked.encodedPayload.size() > bytes.data() + size)) {
    std::abort();  // the payload must be a piece of the target itself
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
    const std::string encoded = EncodeSubmission(bytes);
    const auto back = DecodeSubmission(encoded);
    if (!back || *back != bytes) std::abort();
  }
  return 0;
}
