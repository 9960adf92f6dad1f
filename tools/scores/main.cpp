// brinecast-scores: the score server's entry point, and its admin commands. Stops cleanly on
// SIGINT or SIGTERM.
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <exception>

#include "scores/AdminCommands.h"
#include "scores/ListenSocket.h"
#include "scores/RequestLog.h"
#include "scores/ScoreHttp.h"
#include "scores/ServerOptions.h"

using namespace brinecast::scores;

namespace {

int64_t Now() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// Options first, then the admin command and its arguments.
int Admin(const std::vector<std::string>& args) {
  size_t first = 0;
  std::vector<std::string> optionArgs;
  while (first < args.size() && args[first].starts_with("--")) {
    optionArgs.push_back(args[first]);
    const bool valued = args[first].find('=') == std::string::npos && args[first] != "--help" &&
                        args[first] != "--version";
    if (valued && first + 1 < args.size()) optionArgs.push_back(args[++first]);
    ++first;
  }
  std::string error;
  std::optional<ServerOptions> options = ParseServerOptions(optionArgs, error);
  if (!options) {
    std::fprintf(stderr, "brinecast-scores admin: %s\n", error.c_str());
    return 2;
  }
  if (!options->passwordFile.empty()) {
    const auto password = ReadPasswordFile(options->passwordFile, error);
    if (!password) {
      std::fprintf(stderr, "brinecast-scores admin: %s\n", error.c_str());
      return 1;
    }
    options->store.password = *password;
  }
  try {
    std::unique_ptr<ScoreStore> store = OpenScoreStore(options->store);
    return RunAdminCommand(*store, std::vector<std::string>(args.begin() + first, args.end()),
                           stdout, stderr);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "brinecast-scores admin: %s\n", e.what());
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "admin") {
    return Admin(std::vector<std::string>(args.begin() + 1, args.end()));
  }
  std::string error;
  std::optional<ServerOptions> options = ParseServerOptions(args, error);
  if (!options) {
    std::fprintf(stderr, "brinecast-scores: %s\n%s", error.c_str(), ServerUsage().c_str());
    return 2;
  }
  if (options->help) {
    std::fputs(ServerUsage().c_str(), stdout);
    return 0;
  }
  if (options->version) {
    std::printf("brinecast-scores %s (schema %d)\n", std::string(kServerVersion).c_str(),
                kSchemaVersion);
    return 0;
  }
  if (!options->passwordFile.empty()) {
    const auto password = ReadPasswordFile(options->passwordFile, error);
    if (!password) {
      std::fprintf(stderr, "brinecast-scores: %s\n", error.c_str());
      return 1;
    }
    options->store.password = *password;
  }
  // The signals are taken by sigwait below, not a handler, so stopping is ordinary code.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);
  try {
    // The port first: a second server must not touch the database at all.
    const int listener = OpenListener(options->bind, options->port, error);
    if (listener < 0) {
      std::fprintf(stderr, "brinecast-scores: %s\n", error.c_str());
      return 1;
    }
    std::unique_ptr<ScoreStore> store = OpenScoreStore(options->store);
    ScoreService service(*store, options->limits, Now);
    ScoreRouter router(service);
    HttpServer server(router, options->http);
    if (!server.Start(listener, error)) {
      std::fprintf(stderr, "brinecast-scores: %s\n", error.c_str());
      return 1;
    }
    std::printf("brinecast-scores listening on %s\n",
                ServerUrl(options->bind, BoundPort(listener)).c_str());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stopSignals, &signal);
    LogNote("stopping on signal " + std::to_string(signal));
    server.Stop();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "brinecast-scores: %s\n", e.what());
    return 1;
  }
  return 0;
}
