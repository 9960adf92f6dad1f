// The main block: assembles the window from the setup, runs it, then follows the link file.
#include "app/Project1.h"

#include <filesystem>
#include <system_error>

#include "app/TForm1.h"
#include "platform/Platform.h"

namespace brinecast {

void GoToLink(Platform& platform) {
  std::error_code error;
  if (std::filesystem::is_regular_file("play.url", error)) platform.OpenUrl("play.url");
}

int Project1(const GameSetup& setup, const std::function<void(TForm1&)>& formCreated) {
  {
    TForm1 form(setup);
    if (formCreated) formCreated(form);
    form.Loop.Guard([&] { form.FormCreate(); });
    form.Loop.Run();
  }
  GoToLink(setup.machine.platform);
  return 0;
}

}  // namespace brinecast
