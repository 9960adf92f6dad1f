// The game's entry point in the browser: reads the page's address (?seed=N, ?replay=ID), loads
// the player's folder from the browser's storage, then runs the main block, or watches a
// recording fetched from the page's own server. When the game ends the page says goodbye.
#include <emscripten.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>

#include "app/Project1.h"
#include "app/replay/WatchRecording.h"
#include "online/ScoreServer.h"
#include "platform/web/PageQuery.h"
#include "platform/web/browser/WebPlatform.h"
#include "storage/GameFolders.h"
#include "web/BrowserStorage.h"
#include "web/FetchTransport.h"

namespace {

// Where the data package puts Data/ and Sound/, and the folder the browser keeps.
constexpr const char* kDataFolder = "/game";
constexpr const char* kPlayerFolder = "/brinecast";
constexpr const char* kReplayFile = "/tmp/watched.bcreplay";

// clang-format off
EM_JS(char*, page_text, (int which), {
  var text = which === 0 ? location.search : location.host;
  return allocateUTF8(text);
});

EM_JS(int, page_audio_rate, (), {
  return Module.brinecastPage.audioRate();
});

// how: 0 the game's main block returned, 1 a replay was watched, 2 a replay was refused.
EM_JS(void, page_ended, (int how), {
  Module.brinecastPage.ended(["game", "replay", "refused"][how]);
});

EM_JS(void, page_failed, (const char* text), {
  Module.brinecastPage.failed(UTF8ToString(text));
});
// clang-format on

std::string PageText(int which) {
  char* text = page_text(which);
  std::string copy = text != nullptr ? text : "";
  std::free(text);
  return copy;
}

enum class Ending { Game = 0, Replay = 1, Refused = 2 };

// Plays the server's recording ID at its own pace; what goes wrong is told in the game's box.
Ending WatchServerRecording(uint64_t id, brinecast::WebPlatform& platform,
                            brinecast::FetchTransport& http, const std::string& appDir) {
  const std::string path = "/recordings/" + std::to_string(id);
  const brinecast::HttpResult got = http.Get(brinecast::HttpRequest{path, {}});
  if (!got.ok) {
    brinecast::ShowProblem(platform, "Recording " + std::to_string(id) +
                                         " could not be fetched from the server (" +
                                         (got.error.empty() ? "no answer" : got.error) + ").");
    return Ending::Refused;
  }
  {
    std::ofstream out(kReplayFile, std::ios::binary | std::ios::trunc);
    out.write(got.body.data(), static_cast<std::streamsize>(got.body.size()));
  }
  const std::optional<std::string> problem =
      brinecast::WatchRecording(kReplayFile, platform, appDir, true);
  if (!problem) return Ending::Replay;
  brinecast::ShowProblem(platform, *problem);
  return Ending::Refused;
}

int Run(Ending& ending) {
  const brinecast::PageQuery query = brinecast::ParsePageQuery(PageText(0));
  brinecast::WebPlatform platform(page_audio_rate());
  brinecast::FetchTransport http;
  if (!query.problem.empty()) {
    brinecast::ShowProblem(platform, query.problem);
    ending = Ending::Refused;
    return 1;
  }
  const std::string appDir = std::string(kDataFolder) + "/";
  if (query.replay) {
    ending = WatchServerRecording(*query.replay, platform, http, appDir);
    return ending == Ending::Replay ? 0 : 1;
  }
  brinecast::LoadPlayerFolder(kPlayerFolder);
  const uint64_t seed = query.seed.value_or(
      static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  const brinecast::DataPlace data{kDataFolder, false};
  brinecast::GameSetup setup{
      {platform, http}, brinecast::PrepareFolders(data, kPlayerFolder, ""), seed, std::nullopt};
  // The score server is the one that served the page.
  setup.scoreServer = brinecast::ScoreServerHost(PageText(1).c_str());
  return brinecast::Project1(setup);
}

}  // namespace

int main() {
  try {
    Ending ending = Ending::Game;
    const int status = Run(ending);
    page_ended(static_cast<int>(ending));
    return status;
  } catch (const std::exception& error) {
    page_failed(error.what());
  } catch (...) {
    page_failed("An unknown error ended the game.");
  }
  return 1;
}
