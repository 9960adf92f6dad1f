// Routes: the query of /cgi/version.pl is read by hand, since its flags carry no values.
#include "scores/ScoreHttp.h"

#include <string_view>

namespace brinecast::scores {

namespace {

struct Query {
  bool version = false;
  bool hs = false;
  bool show = false;
  std::string_view prg;
  std::string_view type;
  std::string_view inf;
};

Query ParseQuery(std::string_view target) {
  Query query;
  const size_t mark = target.find('?');
  if (mark == std::string_view::npos) return query;
  std::string_view rest = target.substr(mark + 1);
  while (!rest.empty()) {
    const size_t amp = rest.find('&');
    const std::string_view piece = rest.substr(0, amp);
    rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
    const size_t eq = piece.find('=');
    const std::string_view key = piece.substr(0, eq);
    const std::string_view value =
        eq == std::string_view::npos ? std::string_view() : piece.substr(eq + 1);
    if (key == "version") query.version = true;
    if (key == "hs") query.hs = true;
    if (key == "show") query.show = true;
    if (key == "prg") query.prg = value;
    if (key == "type") query.type = value;
    if (key == "inf") query.inf = value;
  }
  return query;
}

std::string_view PathOf(std::string_view target) {
  return target.substr(0, target.find('?'));
}

}  // namespace

std::optional<Reply> ScoreRouter::Quick(const HttpRequest& request) {
  if (request.target.size() > kMaxTargetLength) return Reply{414, "Request too long"};
  const std::string_view path = PathOf(request.target);
  if (path == "/") return service_.Home();
  if (path == "/health") return std::nullopt;
  if (path != "/cgi/version.pl") return Reply{404, "Not found"};
  const Query query = ParseQuery(request.target);
  if (query.prg != "Brinecast") return Reply{404, "Unknown program"};
  if (query.version) return service_.Check(request.client);
  if (query.hs) return std::nullopt;
  if (query.show && query.type == "0") return service_.CachedWorld();
  return Reply{400, "Unknown request"};
}

Reply ScoreRouter::Slow(const HttpRequest& request) {
  if (PathOf(request.target) == "/health") return service_.Health();
  const Query query = ParseQuery(request.target);
  if (query.hs) return service_.Submit(query.inf, request.client);
  return service_.World();
}

}  // namespace brinecast::scores
