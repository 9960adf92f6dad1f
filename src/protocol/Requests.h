// The requests between the game and its score server: the program name, the paths and the
// query shapes of the check, the submission, the world page and the portal, built by the
// game and read by the server.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace brinecast::protocol {

// The program every request names; a server answers no other.
inline constexpr std::string_view kProgram = "Brinecast";
// The one script behind the check, the submission and the world page.
inline constexpr std::string_view kScriptPath = "/cgi/version.pl";
inline constexpr std::string_view kPortalPath = "/";
// The query key whose value is the encoded payload of a submission.
inline constexpr std::string_view kPayloadKey = "inf";

// A submitted game's recording goes up in a request of its own after the submission: a POST
// of the recording file as the body, named by the one-time token of that submission.
inline constexpr std::string_view kRecordingPath = "/cgi/recording";
inline constexpr std::string_view kRecordingTokenKey = "p";
inline constexpr std::string_view kRecordingContentType = "application/x-brinecast-recording";
// The most a recording may weigh on the wire; a five-minute game takes a few tens of KB.
inline constexpr size_t kRecordingMaxBytes = size_t{1} << 20U;

// Path and query of each request, as sent after the host.
std::string CheckTarget();
std::string SubmitTarget(std::string_view encodedPayload);
std::string WorldTarget();
std::string PortalTarget();
std::string RecordingTarget(std::string_view token);
// The token of a recording upload's target; empty when the target is not one or names none.
std::string RecordingToken(std::string_view target);

// The path of a request target, without its query.
std::string_view TargetPath(std::string_view target);

enum class Asked {
  kPortal,
  kCheck,
  kSubmission,
  kWorldPage,
  kOtherPath,     // not the script nor the portal
  kOtherProgram,  // the script, for a program other than kProgram
  kUnknown,       // the script and the program, but none of the shapes above
};

struct Request {
  Asked asked = Asked::kUnknown;
  std::string_view encodedPayload;  // of a submission; a view into the target
};

// What a request target asks for. Flags may carry values, the last of a repeated key
// counts, and a check wins over a submission, which wins over the world page.
Request ReadTarget(std::string_view target);

}  // namespace brinecast::protocol
