#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "app/Project1.h"
#include "platform/sdl/SdlPlatform.h"

namespace {

void ShowFailure(const std::string& text) {
  std::fprintf(stderr, "Brinecast: %s\n", text.c_str());
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Brinecast", text.c_str(), nullptr);
}

// The program's own folder with a trailing separator: the game's data lives there.
std::string ProgramFolder() {
  std::string folder;
  if (char* base = SDL_GetBasePath()) {
    folder = base;
    SDL_free(base);
  } else {
    std::error_code error;
    folder = std::filesystem::current_path(error).string();
  }
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

int main() {
  SDL_SetMainReady();
  // Ctrl+C and kill end the program as usual instead of posing as the close button,
  // which only asks the exit question.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    ShowFailure(std::string("Cannot start the display: ") + SDL_GetError());
    return 1;
  }
  SDL_InitSubSystem(SDL_INIT_JOYSTICK);  // the game plays on without one
  int status = 1;
  try {
    const auto seed =
        static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    brinecast::SdlPlatform platform;
    status = brinecast::Project1(platform, ProgramFolder(), seed);
  } catch (const std::exception& error) {
    ShowFailure(error.what());
  } catch (...) {
    ShowFailure("An unknown error ended the game.");
  }
  SDL_Quit();
  return status;
}
