// The main block: assembles the window from the setup, runs it, then follows the link file.
#include "app/Project1.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "app/TForm1.h"
#include "platform/Platform.h"
#include "replay/RecordingPlatform.h"

namespace brinecast {

void GoToLink(Platform& platform) {
  std::error_code error;
  if (std::filesystem::is_regular_file("play.url", error)) platform.OpenUrl("play.url");
}

int Project1(const GameSetup& setup, const std::function<void(TForm1&)>& formCreated,
             const std::function<void(TForm1&)>& formEnding) {
  {
    // Every game is recorded: the recorder stands between the game and the machine.
    std::optional<replay::RecordingPlatform> recorder;
    if (setup.recorder == nullptr) recorder.emplace(setup.machine.platform);
    GameSetup assembled{{recorder ? *recorder : setup.machine.platform, setup.machine.http},
                        setup.folders,
                        setup.seed,
                        setup.windowed,
                        recorder ? &*recorder : setup.recorder,
                        setup.playerFiles,
                        setup.draws};
    TForm1 form(assembled);
    if (formCreated) formCreated(form);
    form.Loop.Guard([&] { form.FormCreate(); });
    form.Loop.Run();
    // A game still running when the program ends is kept, unfinished.
    form.EndRecording(false);
    if (formEnding) formEnding(form);
  }
  GoToLink(setup.machine.platform);
  return 0;
}

}  // namespace brinecast
