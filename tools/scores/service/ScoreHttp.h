// The HTTP face of the score service: the routes the game, browsers and monitors use.
#pragma once

#include <cstddef>

#include "scores/http/HttpServer.h"
#include "scores/http/StaticFiles.h"
#include "scores/service/ScoreService.h"

namespace brinecast::scores {

// Longer request targets are refused before anything reads them.
inline constexpr size_t kMaxTargetLength = 1024;

// The check, the home page, a fresh world page and files from memory are answered at once;
// submissions, recordings, the world page after a change and the health check wait on the database
// in a worker.
class ScoreRouter : public HttpRouter {
 public:
  // The service, and the browser game's files when it is served, must outlive the router.
  explicit ScoreRouter(ScoreService& service, const StaticFiles* game = nullptr)
      : service_(service), game_(game) {}
  // A recording's upload takes a body up to the protocol's cap.
  std::optional<size_t> BodyLimit(const HttpRequest& request) override;
  // Its token is checked before a place is set aside for its body.
  std::optional<Reply> RefuseBody(const HttpRequest& request) override;
  std::optional<Reply> Quick(const HttpRequest& request) override;
  Reply Slow(const HttpRequest& request) override;

 private:
  ScoreService& service_;
  const StaticFiles* game_;
};

}  // namespace brinecast::scores
