// The main block: assembles the window from the setup, runs it, then follows the link file.
#include "app/Project1.h"

#include <filesystem>
#include <system_error>

#include "app/TForm1.h"
#include "platform/Platform.h"

namespace brinecast {

AssembledGame::AssembledGame(const GameSetup& setup) {
  if (setup.recorder != nullptr) {
    form_ = std::make_unique<TForm1>(setup);
    return;
  }
  recorder_.emplace(setup.machine.platform);
  form_ = std::make_unique<TForm1>(setup, *recorder_);
}

AssembledGame::~AssembledGame() = default;

void RunGame(TForm1& form) {
  form.Loop().Guard([&] { form.FormCreate(); });
  form.Loop().Run();
  form.EndRecording(false);
}

void GoToLink(Platform& platform) {
  std::error_code error;
  if (std::filesystem::is_regular_file("play.url", error)) platform.OpenUrl("play.url");
}

int Project1(const GameSetup& setup, const std::function<void(TForm1&)>& formCreated,
             const std::function<void(TForm1&)>& formEnding) {
  {
    AssembledGame game(setup);
    if (formCreated) formCreated(game.Form());
    RunGame(game.Form());
    if (formEnding) formEnding(game.Form());
  }
  GoToLink(setup.machine.platform);
  return 0;
}

}  // namespace brinecast
