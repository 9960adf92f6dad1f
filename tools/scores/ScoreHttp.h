// The HTTP face of the score service: the routes the game and browsers use.
#pragma once

#include <cstddef>

#include "scores/ScoreService.h"

namespace httplib {
class Server;
}

namespace brinecast::scores {

// Longer request targets are refused before anything reads them.
inline constexpr size_t kMaxTargetLength = 1024;

// Puts the routes on `server`; the service must outlive it.
void InstallRoutes(httplib::Server& server, ScoreService& service);

// Worker threads enough for many keep-alive clients at once.
void ConfigureServer(httplib::Server& server);

}  // namespace brinecast::scores
