// Routes: what the game asks for is read as the protocol defines it; the health check is the
// server's own.
#include "scores/service/ScoreHttp.h"

#include <charconv>
#include <string_view>

#include "protocol/Requests.h"
#include "scores/service/HtmlPages.h"
#include "scores/service/PageAssets.h"

namespace brinecast::scores {

namespace {

constexpr std::string_view kHealthPath = "/health";

bool IsUpload(const HttpRequest& request) {
  return request.method == "POST" &&
         protocol::TargetPath(request.target) == protocol::kRecordingPath;
}

// The score id of a download target; nothing when it is not one.
std::optional<int64_t> DownloadId(std::string_view target) {
  const std::string_view path = protocol::TargetPath(target);
  if (!path.starts_with(kRecordingDownloadPath)) return std::nullopt;
  const std::string_view digits = path.substr(kRecordingDownloadPath.size());
  int64_t id = 0;
  const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
  if (digits.empty() || error != std::errc() || stop != digits.data() + digits.size() || id <= 0) {
    return std::nullopt;
  }
  return id;
}

// A file of `files` named by what follows `prefix` in the path; nothing is served outside
// the set, whatever the name says.
Reply ServeFile(const StaticFiles* files, std::string_view path, std::string_view prefix,
                const HttpRequest& request) {
  if (!files) return {404, "The browser game is not installed on this server"};
  const std::optional<std::string> name = StaticFiles::NameOf(path.substr(prefix.size()));
  if (!name) return {404, "Not found"};
  return files->Serve(*name, request);
}

}  // namespace

std::optional<size_t> ScoreRouter::BodyLimit(const HttpRequest& request) {
  if (!IsUpload(request) || request.target.size() > kMaxTargetLength) return std::nullopt;
  return protocol::kRecordingMaxBytes;
}

std::optional<Reply> ScoreRouter::RefuseBody(const HttpRequest& request) {
  // A server that takes no recordings answers 404 after the body, as for any other path it
  // does not know, and keeps the connection.
  if (!IsUpload(request) || !service_.TakesRecordings()) return std::nullopt;
  return service_.AdmitUpload(protocol::RecordingToken(request.target), request.client);
}

std::optional<Reply> ScoreRouter::Quick(const HttpRequest& request) {
  if (request.target.size() > kMaxTargetLength) return Reply{414, "Request too long"};
  const std::string_view path = protocol::TargetPath(request.target);
  if (path == kHealthPath) return std::nullopt;
  // The game's own address is its folder, so its files' relative names resolve inside it.
  if (path == kPlayPath.substr(0, kPlayPath.size() - 1)) {
    Reply moved{301, "Moved to " + std::string(kPlayPath)};
    moved.headers.emplace_back(
        "Location", std::string(kPlayPath) + std::string(request.target.substr(path.size())));
    return moved;
  }
  if (path.starts_with(kPlayPath)) return ServeFile(game_, path, kPlayPath, request);
  if (path.starts_with(kAssetsPath)) return ServeFile(&PageAssets(), path, kAssetsPath, request);
  if (IsUpload(request)) return std::nullopt;
  if (protocol::TargetPath(request.target) == protocol::kRecordingPath) {
    Reply wrong{405, "Recordings are sent with POST"};
    wrong.headers.emplace_back("Allow", "POST");
    return wrong;
  }
  if (protocol::TargetPath(request.target).starts_with(kRecordingDownloadPath)) {
    if (DownloadId(request.target)) return std::nullopt;
    return Reply{404, "Not found"};
  }
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
  if (IsUpload(request)) {
    return service_.StoreUpload(protocol::RecordingToken(request.target), request.body,
                                request.client);
  }
  if (const std::optional<int64_t> id = DownloadId(request.target)) {
    return service_.Recording(*id);
  }
  const protocol::Request asked = protocol::ReadTarget(request.target);
  if (asked.asked == protocol::Asked::kSubmission) {
    return service_.Submit(asked.encodedPayload, request.client);
  }
  return service_.World();
}

}  // namespace brinecast::scores
