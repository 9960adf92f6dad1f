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

int Project1(Platform& platform, const std::string& appDir, uint64_t seed,
             const std::function<void(TForm1&)>& formCreated) {
  {
    TForm1 form(platform, appDir, seed);
    if (formCreated) formCreated(form);
    form.Loop.Guard([&] { form.FormCreate(); });
    form.Loop.Run();
  }
  GoToLink(platform);
  return 0;
}

int Project1(Platform& platform, const std::string& appDir, uint64_t seed) {
  return Project1(platform, appDir, seed, nullptr);
}

}  // namespace brinecast
