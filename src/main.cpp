// The desktop game's entry point: reads the command line, finds the game's data, refuses to run
// on a screenless video driver nobody asked for, then runs the main block on SDL.
#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#include "app/Project1.h"
#include "app/replay/WatchRecording.h"
#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "platform/sdl/SdlPlatform.h"
#include "platform/sdl/SdlStartup.h"
#include "storage/GameFolders.h"

namespace fs = std::filesystem;

namespace {

constexpr int kUsageError = 2;

constexpr const char* kUsage =
    "Usage: brinecast [--window | --fullscreen] [--data DIR] [--seed N]\n"
    "       brinecast [--window | --fullscreen] [--data DIR] --replay FILE\n";

constexpr const char* kHelp =
    "Brinecast, an arcade fishing game: steer the boat, lower the hook and land the\n"
    "fish each level asks for before its clock runs out.\n"
    "\n"
    "  --window        play in a window this time (the saved choice is kept)\n"
    "  --fullscreen    play in full screen this time (the saved choice is kept)\n"
    "  --data DIR      read the game's Data/ and Sound/ folders from DIR\n"
    "  --seed N        seed the game's random numbers with N (0 to 2^64-1) instead of\n"
    "                  the clock: runs with the same N meet the same sea (for tests\n"
    "                  and replays)\n"
    "  --replay FILE   watch a recorded game (F: faster, P: pause, Esc: leave); the\n"
    "                  program ends with the recording\n"
    "  --help          show this help and exit\n"
    "  --version       show the version and exit\n"
    "\n"
    "Options and high scores are kept in Config.cfg in $XDG_DATA_HOME/brinecast/\n"
    "(~/.local/share/brinecast/ by default); a game run from its build folder keeps\n"
    "them beside the program. Every game is recorded there: Recordings/last.bcreplay\n"
    "holds the last one, and each row of the high-score table keeps its own.\n";

struct RunOptions {
  std::optional<bool> windowed;
  std::optional<fs::path> data;
  std::optional<uint64_t> seed;
  std::optional<fs::path> replay;
};

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "brinecast: %s\n%sTry 'brinecast --help' for more information.\n",
               problem.c_str(), kUsage);
  return kUsageError;
}

// What an option does with the run's options: nullopt when it went well, or else the problem.
using OptionAction = std::optional<std::string> (*)(std::string_view name, std::string_view value,
                                                    RunOptions&);

// Given "--window" and "--fullscreen" together, the player's wish is unclear.
std::optional<std::string> SetWindowed(std::string_view name, std::string_view, RunOptions& run) {
  const bool windowed = name == "--window";
  if (run.windowed && *run.windowed != windowed) {
    return "--window and --fullscreen cannot be used together";
  }
  run.windowed = windowed;
  return std::nullopt;
}

std::optional<std::string> SetData(std::string_view, std::string_view value, RunOptions& run) {
  if (value.empty()) return "option '--data' needs a folder";
  run.data = fs::path(value);
  return std::nullopt;
}

std::optional<std::string> SetSeed(std::string_view, std::string_view value, RunOptions& run) {
  if (value.empty()) return "option '--seed' needs a number";
  uint64_t seed = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seed);
  // from_chars takes no sign, so "-1" is refused rather than wrapped.
  if (error != std::errc() || end != value.data() + value.size()) {
    return "option '--seed' needs a whole number from 0 to 18446744073709551615, not '" +
           std::string(value) + "'";
  }
  run.seed = seed;
  return std::nullopt;
}

std::optional<std::string> SetReplay(std::string_view, std::string_view value, RunOptions& run) {
  if (value.empty()) return "option '--replay' needs a recording file";
  run.replay = fs::path(value);
  return std::nullopt;
}

struct OptionRow {
  std::string_view name;
  bool takesValue;  // as "--name VALUE" or "--name=VALUE"
  OptionAction action;
};

constexpr std::array kOptions{
    OptionRow{"--window", false, SetWindowed}, OptionRow{"--fullscreen", false, SetWindowed},
    OptionRow{"--data", true, SetData},        OptionRow{"--seed", true, SetSeed},
    OptionRow{"--replay", true, SetReplay},
};

// Returns the options to run with, or the status to exit with at once.
std::optional<RunOptions> ParseCommandLine(std::span<char* const> args, int& status) {
  RunOptions options;
  status = 0;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help") {
      std::printf("%s\n%s", kUsage, kHelp);
      return std::nullopt;
    }
    if (arg == "--version") {
      std::printf("brinecast %s\n", BRINECAST_VERSION);
      return std::nullopt;
    }
    const std::string_view name = arg.substr(0, arg.find('='));
    const auto row = std::find_if(kOptions.begin(), kOptions.end(),
                                  [&](const OptionRow& option) { return option.name == name; });
    if (row == kOptions.end() || (!row->takesValue && name != arg)) {
      status = UsageError(arg.starts_with("-") ? "unknown option '" + std::string(arg) + "'"
                                               : "unexpected argument '" + std::string(arg) + "'");
      return std::nullopt;
    }
    std::string_view value;
    if (name != arg) {
      value = arg.substr(name.size() + 1);
    } else if (row->takesValue && i + 1 < args.size()) {
      value = args[++i];
    }
    if (const std::optional<std::string> problem = row->action(name, value, options)) {
      status = UsageError(*problem);
      return std::nullopt;
    }
  }
  if (options.replay && options.seed) {
    // A recording brings its own random numbers.
    status = UsageError("--seed and --replay cannot be used together");
    return std::nullopt;
  }
  return options;
}

// Plays a recording back in the window; nothing of the player's is read or written.
int WatchReplay(const RunOptions& options, const brinecast::DataPlace& data) {
  brinecast::SdlSession sdl;
  brinecast::SdlPlatform platform;
  std::string appDir = data.folder.string();
  if (appDir.empty() || appDir.back() != '/') appDir += '/';
  const std::optional<std::string> problem = brinecast::WatchRecording(
      options.replay->string(), platform, appDir, options.windowed.value_or(true));
  if (!problem) return 0;
  std::fprintf(stderr, "brinecast: %s\n", problem->c_str());
  brinecast::ShowProblem(platform, *problem);
  return 1;
}

int RunGame(const RunOptions& options) {
  const brinecast::DataPlace data =
      brinecast::FindData(options.data, brinecast::ProgramFolder(), BRINECAST_INSTALLED_DATA);
  if (options.replay) return WatchReplay(options, data);
  brinecast::SdlSession sdl;
  std::string why;
  const fs::path player = brinecast::PlayerFolder(why);
  const uint64_t seed = options.seed.value_or(
      static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  brinecast::SdlPlatform platform;
  brinecast::CurlTransport http;
  brinecast::GameSetup setup{
      {platform, http}, brinecast::PrepareFolders(data, player, why), seed, options.windowed};
  setup.scoreServer = brinecast::ScoreServerHost(std::getenv("BRINECAST_SCORE_SERVER"));
  return brinecast::Project1(setup);
}

}  // namespace

int main(int argc, char** argv) {
  brinecast::PrepareSdl();
  int status = 0;
  const std::optional<RunOptions> options =
      ParseCommandLine(std::span<char* const>(argv, static_cast<size_t>(argc)), status);
  if (!options) return status;
  try {
    return RunGame(*options);
  } catch (const std::exception& error) {
    brinecast::ShowStartFailure(error.what());
  } catch (...) {
    brinecast::ShowStartFailure("An unknown error ended the game.");
  }
  return 1;
}
