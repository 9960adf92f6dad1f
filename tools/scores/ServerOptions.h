// The server's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scores/ScoreService.h"

namespace brinecast::scores {

struct ServerOptions {
  int port = 8765;
  std::string bind = "127.0.0.1";
  std::string db = "brinecast-scores.db";
  ServiceLimits limits;
  bool help = false;
};

// Nothing, with `error` set, when an argument is unknown or a value is out of range.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args,
                                                std::string& error);

std::string ServerUsage();

}  // namespace brinecast::scores
