// The desktop game's entry point: reads the command line, finds the game's data, refuses to run
// on a screenless video driver nobody asked for, then runs the main block on SDL.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/Project1.h"
#include "net/HttpClient.h"
#include "platform/sdl/SdlPlatform.h"
#include "platform/sdl/SdlStartup.h"
#include "storage/GameFolders.h"

namespace fs = std::filesystem;

namespace {

constexpr int kUsageError = 2;

constexpr const char* kUsage = "Usage: brinecast [--window | --fullscreen] [--data DIR]\n";

constexpr const char* kHelp =
    "Brinecast, an arcade fishing game: steer the boat, lower the hook and land the\n"
    "fish each level asks for before its clock runs out.\n"
    "\n"
    "  --window        play in a window this time (the saved choice is kept)\n"
    "  --fullscreen    play in full screen this time (the saved choice is kept)\n"
    "  --data DIR      read the game's Data/ and Sound/ folders from DIR\n"
    "  --help          show this help and exit\n"
    "  --version       show the version and exit\n"
    "\n"
    "Options and high scores are kept in Config.cfg in $XDG_DATA_HOME/brinecast/\n"
    "(~/.local/share/brinecast/ by default); a game run from its build folder keeps\n"
    "them beside the program.\n";

struct RunOptions {
  std::optional<bool> windowed;
  std::optional<fs::path> data;
};

int UsageError(const std::string& problem) {
  std::fprintf(stderr, "brinecast: %s\n%sTry 'brinecast --help' for more information.\n",
               problem.c_str(), kUsage);
  return kUsageError;
}

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
    if (arg == "--window" || arg == "--fullscreen") {
      const bool windowed = arg == "--window";
      if (options.windowed && *options.windowed != windowed) {
        status = UsageError("--window and --fullscreen cannot be used together");
        return std::nullopt;
      }
      options.windowed = windowed;
    } else if (arg == "--data" || arg.starts_with("--data=")) {
      std::string_view dir;
      if (arg != "--data") {
        dir = arg.substr(7);
      } else if (i + 1 < args.size()) {
        dir = args[++i];
      }
      if (dir.empty()) {
        status = UsageError("option '--data' needs a folder");
        return std::nullopt;
      }
      options.data = fs::path(dir);
    } else if (arg.starts_with("-")) {
      status = UsageError("unknown option '" + std::string(arg) + "'");
      return std::nullopt;
    } else {
      status = UsageError("unexpected argument '" + std::string(arg) + "'");
      return std::nullopt;
    }
  }
  return options;
}

int RunGame(const RunOptions& options) {
  const brinecast::DataPlace data =
      brinecast::FindData(options.data, brinecast::ProgramFolder(), BRINECAST_INSTALLED_DATA);
  brinecast::SdlSession sdl;
  std::string why;
  const fs::path player = brinecast::PlayerFolder(why);
  const auto seed =
      static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  brinecast::SdlPlatform platform;
  brinecast::CurlTransport http;
  return brinecast::Project1(
      {{platform, http}, brinecast::PrepareFolders(data, player, why), seed, options.windowed});
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
