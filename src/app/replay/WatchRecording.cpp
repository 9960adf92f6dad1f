// Reading a recording file for the watcher and telling them plainly when it cannot be played.
#include "app/replay/WatchRecording.h"

#include <SDL.h>

#include <vector>

#include "app/replay/ReplayGame.h"
#include "app/replay/ReplayWatch.h"
#include "platform/VirtualKeys.h"
#include "replay/Recording.h"

namespace brinecast {

std::optional<std::string> WatchRecording(const std::string& path, Platform& screen,
                                          const std::string& appDir, std::optional<bool> windowed) {
  std::vector<uint8_t> bytes;
  try {
    bytes = replay::ReadRecordingFile(path);
  } catch (const std::exception& error) {
    return std::string(error.what()) + ".";
  }
  replay::Recording recording;
  try {
    recording = replay::DecodeRecording(bytes, replay::ThisBuild());
  } catch (const std::exception& error) {
    return path + " cannot be replayed: " + error.what() + ".";
  }
  ReplayWatch watch(screen);
  ReplayOptions options;
  options.appDir = appDir;
  options.pace = &watch;
  options.windowed = windowed;
  const ReplayOutcome outcome = ReplayGame(recording, watch, options);
  if (outcome.consistent || watch.Stopped()) return std::nullopt;
  return path + " went another way in this replay than when it was played (" + outcome.failure +
         ").";
}

void ShowProblem(Platform& screen, const std::string& text) {
  // The game's own box over a dark frame: it looks like the game's, and needs no helper program.
  SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_ARGB8888);
  if (frame == nullptr) return;
  SDL_FillRect(frame, nullptr, 0xFF000000U);
  screen.SetMessageBox(MessageBoxContent{text, "Brinecast", BoxIcon::None});
  for (bool closed = false; !closed && !screen.QuitRequested();) {
    screen.Present(frame);
    screen.WaitUntil(screen.Ticks() + 250);
    PlatformEvent event;
    while (screen.PollEvent(event)) {
      using Kind = PlatformEvent::Kind;
      const bool key =
          event.kind == Kind::KeyDown &&
          (event.key == vk::Return || event.key == vk::Escape || event.key == vk::Space);
      const bool ok = event.kind == Kind::Click && screen.MessageBoxOkHit(event.x, event.y);
      closed = closed || key || ok || event.kind == Kind::Close;
    }
  }
  screen.SetMessageBox(std::nullopt);
  SDL_FreeSurface(frame);
}

}  // namespace brinecast
