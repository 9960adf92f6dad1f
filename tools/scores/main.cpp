// brinecast-scores: the score server's entry point and its admin commands. Stops cleanly on
// SIGINT or SIGTERM.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>

#include "scores/admin/AdminCommands.h"
#include "scores/admin/ServerOptions.h"
#include "scores/http/ListenSocket.h"
#include "scores/http/RequestLog.h"
#include "scores/http/SiteFolder.h"
#include "scores/service/ScoreHttp.h"
#include "scores/service/SecurityPolicies.h"
#include "scores/verify/Presence.h"
#include "scores/verify/RecordingPurge.h"

using namespace brinecast::scores;

namespace {

int64_t Now() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// The database password from its file, when one is named; false after saying why not.
bool ReadPassword(ServerOptions& options, const char* who) {
  if (options.passwordFile.empty()) return true;
  std::string error;
  const auto password = ReadPasswordFile(options.passwordFile, error);
  if (!password) {
    std::fprintf(stderr, "%s: %s\n", who, error.c_str());
    return false;
  }
  options.store.password = *password;
  return true;
}

// SIGINT and SIGTERM are taken by sigwait, not a handler, so stopping is ordinary code.
sigset_t BlockStopSignals() {
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);
  return stopSignals;
}

// Options first, then the admin command and its arguments.
int Admin(const std::vector<std::string>& args) {
  size_t first = 0;
  std::vector<std::string> optionArgs;
  while (first < args.size() && args[first].starts_with("--")) {
    optionArgs.push_back(args[first]);
    if (OptionTakesValue(args[first]) && first + 1 < args.size()) {
      optionArgs.push_back(args[++first]);
    }
    ++first;
  }
  std::string error;
  std::optional<ServerOptions> options = ParseServerOptions(optionArgs, error);
  if (!options) {
    std::fprintf(stderr, "brinecast-scores admin: %s\n", error.c_str());
    return 2;
  }
  if (!ReadPassword(*options, "brinecast-scores admin")) return 1;
  try {
    std::unique_ptr<ScoreStore> store = OpenScoreStore(options->store);
    return RunAdminCommand(*store, std::vector<std::string>(args.begin() + first, args.end()),
                           stdout, stderr);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "brinecast-scores admin: %s\n", e.what());
    return 1;
  }
}

std::filesystem::path SelfFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : self.parent_path();
}

// The installed game's data, found from where this program is, as the game finds it.
std::string InstalledGameData() {
  return (SelfFolder() / BRINECAST_SCORES_GAME_DATA).lexically_normal().string();
}

// The game's replayer: beside this program in a build, where the game installs it otherwise.
std::optional<std::string> FindReplayer() {
  for (const std::filesystem::path& candidate :
       {SelfFolder() / "brinecast-replay", SelfFolder() / BRINECAST_SCORES_REPLAYER}) {
    if (access(candidate.c_str(), X_OK) == 0) return candidate.lexically_normal().string();
  }
  return std::nullopt;
}

// Verification needs the game's data and its replayer; without either the server still serves
// scores, and says once why recordings are not taken.
std::optional<VerifyOptions> VerifyingWith(const ServerOptions& options) {
  const std::string data = options.gameData.empty() ? InstalledGameData() : options.gameData;
  std::error_code error;
  if (!std::filesystem::is_directory(std::filesystem::path(data) / "Data", error)) {
    LogNote("recordings are not taken: " + data +
            " holds no Data/ folder of the game (see --game-data)");
    return std::nullopt;
  }
  const std::optional<std::string> replayer = FindReplayer();
  if (!replayer) {
    LogNote("recordings are not taken: the game's brinecast-replay is not installed");
    return std::nullopt;
  }
  VerifyOptions verify = options.verify;
  verify.command = {*replayer, "--data", std::filesystem::absolute(data, error).string()};
  LogNote("verifying recordings with " + *replayer + " and the game data in " + data);
  return verify;
}

// The browser game: the folder named, which must be readable, or else the installed one when
// it is there. Nothing but a note when none is: the pages then say the game is not served.
std::optional<StaticFiles> BrowserGame(const ServerOptions& options, bool& failed) {
  std::string error;
  if (!options.webFolder.empty()) {
    std::optional<StaticFiles> site =
        ReadSiteFolder(options.webFolder, std::string(kGamePolicy), error);
    if (!site) {
      std::fprintf(stderr, "brinecast-scores: %s\n", error.c_str());
      failed = true;
    }
    return site;
  }
  const std::filesystem::path installed = (SelfFolder() / BRINECAST_SCORES_WEB).lexically_normal();
  std::error_code missing;
  if (!std::filesystem::is_regular_file(installed / "index.html", missing)) {
    LogNote("the browser game is not served: " + installed.string() +
            " does not hold it (install brinecast-web, or see --web)");
    return std::nullopt;
  }
  std::optional<StaticFiles> site = ReadSiteFolder(installed, std::string(kGamePolicy), error);
  if (!site) LogNote("the browser game is not served: " + error);
  return site;
}

void OfferGame(ScoreService& service, const StaticFiles* game) {
  if (!game) return;
  service.OfferGame({game->Has("index.html"), game->Has(kPreviewName)});
  LogNote("serving the browser game at " + std::string(kPlayPath) + ": " +
          std::to_string(game->Count()) + " files, " + std::to_string(game->Bytes() >> 10U) +
          " KiB");
}

// `brinecast-scores verify`: a verifier on its own, for a machine that only proves recordings
// stored by the servers on the same database.
int VerifyAlone(const std::vector<std::string>& args) {
  std::string error;
  std::optional<ServerOptions> options = ParseServerOptions(args, error);
  if (!options) {
    std::fprintf(stderr, "brinecast-scores verify: %s\n", error.c_str());
    return 2;
  }
  if (options->verify.workers == 0) {
    std::fprintf(stderr, "brinecast-scores verify: --verify-workers 0 would verify nothing\n");
    return 2;
  }
  if (!ReadPassword(*options, "brinecast-scores verify")) return 1;
  const sigset_t stopSignals = BlockStopSignals();
  try {
    const std::optional<VerifyOptions> verify = VerifyingWith(*options);
    if (!verify) return 1;
    std::unique_ptr<ScoreStore> store = OpenScoreStore(options->store);
    RecordingVerifier verifier(*store, *verify, nullptr);
    Presence presence(*store, {.serves = false, .verifiers = verify->workers}, nullptr);
    RecordingPurge purge(*store, verify->waitingMinutes, Now);
    verifier.Resume();
    std::printf("brinecast-scores verifying recordings with %d workers\n", verify->workers);
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stopSignals, &signal);
    LogNote("stopping on signal " + std::to_string(signal));
    presence.Stop();
    purge.Stop();
    verifier.Stop();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "brinecast-scores verify: %s\n", e.what());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && args[0] == "admin") {
    return Admin(std::vector<std::string>(args.begin() + 1, args.end()));
  }
  if (!args.empty() && args[0] == "verify") {
    return VerifyAlone(std::vector<std::string>(args.begin() + 1, args.end()));
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
  if (!ReadPassword(*options, "brinecast-scores")) return 1;
  const sigset_t stopSignals = BlockStopSignals();
  try {
    // The port first: a second server must not touch the database at all.
    const int listener = OpenListener(options->bind, options->port, error);
    if (listener < 0) {
      std::fprintf(stderr, "brinecast-scores: %s\n", error.c_str());
      return 1;
    }
    bool failed = false;
    const std::optional<StaticFiles> game = BrowserGame(*options, failed);
    if (failed) return 1;
    std::unique_ptr<ScoreStore> store = OpenScoreStore(options->store);
    ScoreService service(*store, options->limits, Now);
    OfferGame(service, game ? &*game : nullptr);
    std::unique_ptr<RecordingVerifier> verifier;
    if (options->verify.workers == 0) {
      verifier = std::make_unique<RecordingVerifier>(*store, options->verify, nullptr);
      service.TakeRecordings(verifier.get());
      LogNote("recordings are taken and left to verifiers elsewhere (--verify-workers 0)");
    } else if (const std::optional<VerifyOptions> verify = VerifyingWith(*options)) {
      verifier = std::make_unique<RecordingVerifier>(*store, *verify,
                                                     [&service] { service.ScoresChanged(); });
      service.TakeRecordings(verifier.get());
    }
    std::optional<RecordingPurge> purge;
    if (verifier) purge.emplace(*store, options->verify.waitingMinutes, Now);
    // Verifying here: the workers started, none when recordings are not taken or left to others.
    const int verifying = verifier && options->verify.workers > 0 ? options->verify.workers : 0;
    Presence presence(
        *store, {.serves = true, .verifiers = verifying},
        [&service](const LiveCount& live) { service.ClusterSeen(live); },
        [&service] { service.ScoresChanged(); });
    ScoreRouter router(service, game ? &*game : nullptr);
    HttpServer server(router, options->http);
    if (!server.Start(listener, error)) {
      std::fprintf(stderr, "brinecast-scores: %s\n", error.c_str());
      return 1;
    }
    if (verifier) verifier->Resume();
    std::printf("brinecast-scores listening on %s\n",
                ServerUrl(options->bind, BoundPort(listener)).c_str());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stopSignals, &signal);
    LogNote("stopping on signal " + std::to_string(signal));
    server.Stop();
    presence.Stop();
    if (purge) purge->Stop();
    if (verifier) verifier->Stop();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "brinecast-scores: %s\n", e.what());
    return 1;
  }
  return 0;
}
