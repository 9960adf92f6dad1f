// Routes: what the game asks for is read as the protocol defines it; the health check is the
// server's own.
#include "scores/ScoreHttp.h"

#include <string_view>

#include "protocol/Requests.h"

namespace brinecast::scores {

namespace {

constexpr std::string_view kHealthPath = "/health";

}  // namespace

std::optional<Reply> ScoreRouter::Quick(const HttpRequest& request) {
  if (request.target.size() > kMaxTargetLength) return Reply{414, "Request too long"};
  if (protocol::TargetPath(request.target) == kHealthPath) return std::nullopt;
  switch (protocol::ReadTarget(request.target).asked) {
    case protocol::Asked::kPortal:
      return service_.Home();
    case protocol::Asked::kOtherPath:
      return Reply{404, "Not found"};
    case protocol::Asked::kOtherProgram:
      return Reply{404, "Unknown program"};
    case protocol::Asked::kCheck:
      return service_.Check(request.client);
    case protocol::Asked::kSubmission:
      return std::nullopt;
    case protocol::Asked::kWorldPage:
      return service_.CachedWorld();
    case protocol::Asked::kUnknown:
      break;
  }
  return Reply{400, "Unknown request"};
}

Reply ScoreRouter::Slow(const HttpRequest& request) {
  if (protocol::TargetPath(request.target) == kHealthPath) return service_.Health();
  const protocol::Request asked = protocol::ReadTarget(request.target);
  if (asked.asked == protocol::Asked::kSubmission) {
    return service_.Submit(asked.encodedPayload, request.client);
  }
  return service_.World();
}

}  // namespace brinecast::scores
