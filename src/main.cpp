// The desktop game's entry point: reads the command line, finds the game's data, refuses to run
// on a screenless video driver nobody asked for, then runs the main block on SDL.
#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <unistd.h>

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

// A failure that ends the program before the game starts.
struct StartFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct RunOptions {
  std::optional<bool> windowed;
  std::optional<fs::path> data;
};

// Drivers SDL falls back to when no display answers: they show nothing.
bool IsScreenless(std::string_view driver) {
  return driver == "offscreen" || driver == "dummy" || driver == "evdev";
}

std::string EnvOrEmpty(const char* name) {
  const char* value = SDL_getenv(name);
  return value != nullptr ? value : "";
}

void ShowFailure(const std::string& text) {
  std::fprintf(stderr, "brinecast: %s\n", text.c_str());
  // A box on a screenless driver would wait for a click nobody can give.
  if (!IsScreenless(EnvOrEmpty("SDL_VIDEODRIVER")))
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Brinecast", text.c_str(), nullptr);
}

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

fs::path ProgramFolder() {
  if (char* base = SDL_GetBasePath()) {
    fs::path folder = base;
    SDL_free(base);
    return folder;
  }
  std::error_code error;
  return fs::current_path(error);
}

bool HoldsData(const fs::path& folder) {
  std::error_code error;
  return fs::is_directory(folder / "Data", error);
}

// The folder for the player's own files, made if missing; empty when it cannot be made.
fs::path PlayerFolder() {
  char* path = SDL_GetPrefPath("", "brinecast");
  if (path == nullptr) return {};
  fs::path folder = path;
  SDL_free(path);
  return folder;
}

std::string WithSeparator(const fs::path& folder) {
  std::string text = folder.string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

// Points playerFolder/name at dataFolder/name, replacing only a link the game made before.
void LinkDataFolder(const fs::path& playerFolder, const fs::path& dataFolder, const char* name) {
  const fs::path link = playerFolder / name;
  const fs::path target = dataFolder / name;
  std::error_code error;
  const fs::file_status status = fs::symlink_status(link, error);
  if (fs::is_symlink(status)) {
    if (fs::read_symlink(link, error) == target) return;
  } else if (fs::exists(status)) {
    throw StartFailure(link.string() + " is in the way of the game's data: move it elsewhere");
  }
  // Made beside and renamed over, so a link is never missing while another copy starts.
  const fs::path fresh = playerFolder / ("." + std::string(name) + "." + std::to_string(getpid()));
  fs::remove(fresh, error);
  std::error_code failure;
  fs::create_directory_symlink(target, fresh, failure);
  if (!failure) fs::rename(fresh, link, failure);
  if (failure) {
    fs::remove(fresh, error);
    throw StartFailure("cannot link " + link.string() + " to " + target.string() + ": " +
                       failure.message());
  }
}

// Where the game's data is, and whether the game plays beside it.
struct DataPlace {
  fs::path folder;
  bool beside = false;  // the build's folder: the program with Data/ next to it
};

DataPlace FindData(const RunOptions& options) {
  const fs::path program = ProgramFolder();
  if (options.data) {
    std::error_code error;
    const fs::path data = fs::absolute(*options.data, error).lexically_normal();
    if (!HoldsData(data)) throw StartFailure("no Data folder in " + options.data->string());
    return {data, false};
  }
  if (HoldsData(program)) return {program, true};
  const fs::path installed = (program / BRINECAST_INSTALLED_DATA).lexically_normal();
  if (!HoldsData(installed))
    throw StartFailure("cannot find the game's data: no Data folder in " + program.string() +
                       " or in " + installed.string());
  return {installed, false};
}

// A game beside its data keeps its files there; an installed game, or one told where its data
// is, plays from the player's folder with links to the data, so nothing is ever written into
// the install.
brinecast::GameFolders PrepareFolders(const DataPlace& data) {
  const fs::path player = PlayerFolder();
  // No player folder (it could not be made): no fallback, rather than the root folder.
  if (data.beside) return {WithSeparator(data.folder), player.empty() ? "" : WithSeparator(player)};
  if (player.empty())
    throw StartFailure(std::string("cannot make the folder for your options and scores: ") +
                       SDL_GetError());
  LinkDataFolder(player, data.folder, "Data");
  LinkDataFolder(player, data.folder, "Sound");
  return {WithSeparator(player), {}};
}

// What is missing when SDL fell back to a driver that shows nothing.
std::string MissingDisplay() {
  const std::string x11 = EnvOrEmpty("DISPLAY");
  const std::string wayland = EnvOrEmpty("WAYLAND_DISPLAY");
  if (x11.empty() && wayland.empty())
    return "no display to show the game on: neither DISPLAY nor WAYLAND_DISPLAY is set";
  std::string text = "no display to show the game on: cannot open";
  if (!x11.empty()) text += " the X display \"" + x11 + "\" named by DISPLAY";
  if (!x11.empty() && !wayland.empty()) text += " or";
  if (!wayland.empty()) text += " the Wayland display \"" + wayland + "\" named by WAYLAND_DISPLAY";
  return text;
}

// Starts SDL's video; a screenless driver is accepted only when SDL_VIDEODRIVER chose it.
void StartVideo() {
  const bool driverChosen = !EnvOrEmpty("SDL_VIDEODRIVER").empty();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    if (driverChosen)
      throw StartFailure(std::string("cannot start the display: ") + SDL_GetError());
    throw StartFailure(MissingDisplay());
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driverChosen && driver != nullptr && IsScreenless(driver)) {
    SDL_Quit();
    throw StartFailure(MissingDisplay() +
                       " (set SDL_VIDEODRIVER to run on a screenless driver on purpose)");
  }
}

int RunGame(const RunOptions& options) {
  const DataPlace data = FindData(options);
  StartVideo();
  SDL_InitSubSystem(SDL_INIT_JOYSTICK);  // the game plays on without one
  int status = 1;
  try {
    const auto seed =
        static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    brinecast::SdlPlatform platform;
    brinecast::CurlTransport http;
    status = brinecast::Project1({{platform, http}, PrepareFolders(data), seed, options.windowed});
  } catch (...) {
    SDL_Quit();
    throw;
  }
  SDL_Quit();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  SDL_SetMainReady();
  int status = 0;
  const std::optional<RunOptions> options =
      ParseCommandLine(std::span<char* const>(argv, static_cast<size_t>(argc)), status);
  if (!options) return status;
  // Ctrl+C and kill end the program as usual instead of posing as the close button,
  // which only asks the exit question.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  try {
    return RunGame(*options);
  } catch (const std::exception& error) {
    ShowFailure(error.what());
  } catch (...) {
    ShowFailure("An unknown error ended the game.");
  }
  return 1;
}
