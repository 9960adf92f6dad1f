// The server's command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scores/http/HttpServer.h"
#include "scores/service/ScoreService.h"
#include "scores/store/ScoreStore.h"
#include "scores/verify/RecordingVerifier.h"

namespace brinecast::scores {

inline StoreSettings DefaultStore() {
  StoreSettings settings;
  settings.where = "brinecast-scores.db";
  return settings;
}

struct ServerOptions {
  int port = 8765;
  std::string bind = "127.0.0.1";
  StoreSettings store = DefaultStore();
  std::string passwordFile;  // read when the server starts
  ServiceLimits limits;
  HttpOptions http;
  std::string gameData;   // the folder holding the game's Data/; empty for the installed one
  VerifyOptions verify;   // its command is the server's own, set when it starts
  std::string webFolder;  // the built browser game served at /play/; empty for the installed one
  bool help = false;
  bool version = false;
};

// Nothing, with `error` set, when an argument is unknown or a value is out of range. Values
// follow their option as the next argument or after '='.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args,
                                                std::string& error);

// True for an option that takes a value ("--port"), false for a flag or an unknown one.
bool OptionTakesValue(std::string_view argument);

// True when a PostgreSQL URI carries a password, which the process list would show.
bool UriHoldsPassword(const std::string& uri);

// The first line of `path`, for the database password; nothing with `error` set.
std::optional<std::string> ReadPasswordFile(const std::string& path, std::string& error);

std::string ServerUsage();

}  // namespace brinecast::scores
