// SdlStartup: SDL's video started on a display that shows something, and SDL's folders.
#include "platform/sdl/SdlStartup.h"

#include <SDL.h>

#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <system_error>

namespace brinecast {

namespace {

// Drivers SDL falls back to when no display answers: they show nothing.
bool IsScreenless(std::string_view driver) {
  return driver == "offscreen" || driver == "dummy" || driver == "evdev";
}

std::string EnvOrEmpty(const char* name) {
  const char* value = SDL_getenv(name);
  return value != nullptr ? value : "";
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

}  // namespace

void PrepareSdl() {
  SDL_SetMainReady();
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

SdlSession::SdlSession() {
  const bool driverChosen = !EnvOrEmpty("SDL_VIDEODRIVER").empty();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    if (driverChosen)
      throw std::runtime_error(std::string("cannot start the display: ") + SDL_GetError());
    throw std::runtime_error(MissingDisplay());
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driverChosen && driver != nullptr && IsScreenless(driver)) {
    SDL_Quit();
    throw std::runtime_error(MissingDisplay() +
                             " (set SDL_VIDEODRIVER to run on a screenless driver on purpose)");
  }
  SDL_InitSubSystem(SDL_INIT_JOYSTICK);  // the game plays on without one
}

SdlSession::~SdlSession() {
  SDL_Quit();
}

std::filesystem::path ProgramFolder() {
  if (char* base = SDL_GetBasePath()) {
    std::filesystem::path folder = base;
    SDL_free(base);
    return folder;
  }
  std::error_code error;
  return std::filesystem::current_path(error);
}

std::filesystem::path PlayerFolder(std::string& why) {
  char* path = SDL_GetPrefPath("", "brinecast");
  if (path == nullptr) {
    why = SDL_GetError();
    return {};
  }
  std::filesystem::path folder = path;
  SDL_free(path);
  return folder;
}

void ShowStartFailure(const std::string& text) {
  std::fprintf(stderr, "brinecast: %s\n", text.c_str());
  if (!IsScreenless(EnvOrEmpty("SDL_VIDEODRIVER")))
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Brinecast", text.c_str(), nullptr);
}

}  // namespace brinecast
