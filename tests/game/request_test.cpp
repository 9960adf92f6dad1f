// The score submission runs off the main thread: frames go on, and a close
// request that comes meanwhile ends the program once the entry is saved.
#include <gtest/gtest.h>

#include <atomic>
#include <future>

#include "GameFolder.h"
#include "net/HttpClient.h"
#include "objects/Player.h"
#include "platform/VirtualKeys.h"

namespace brinecast {
namespace {

using Kind = PlatformEvent::Kind;

// A server that answers the check only once the test lets it.
class HeldServer : public HttpTransport {
 public:
  HttpResult Get(const HttpRequest& request) override {
    urls.push_back(request.url);
    if (urls.size() == 1) release.get_future().wait();
    HttpResult result;
    result.ok = true;
    result.status = 200;
    result.body = urls.size() == 1 ? "OK|1|||token|" : "";
    return result;
  }
  std::promise<void> release;
  std::vector<std::string> urls;
};

TEST(ScoreRequest, FramesGoOnAndACloseMeanwhileEndsTheGameWithTheEntrySaved) {
  testing::GameFolder folder;
  HeadlessPlatform platform;
  HeldServer server;
  TForm1 form({{platform, server}, {folder.AppDir(), {}}, 5, std::nullopt});
  form.FormCreate();
  form.Config.SendOnline = true;
  form.StartGame();
  form.Player->SetScore(5000);
  form.GameOverFlag = true;
  form.LeaveGame();
  ASSERT_EQ(form.GameState, "EnterName");
  form.PlayerName = "Zed";

  bool asked = false;
  bool entered = false;
  uint64_t framesWhileWaiting = 0;
  platform.SetDriver([&](uint64_t deadline) -> std::optional<uint64_t> {
    if (!entered) {
      entered = true;
      platform.QueueEvent(testing::Key(Kind::KeyDown, vk::Return));
      platform.QueueEvent(testing::Key(Kind::KeyUp, vk::Return));
      return platform.Ticks();
    }
    if (form.Sending && !asked && platform.Ticks() > 1000) {
      asked = true;
      framesWhileWaiting = platform.FramesPresented();
      platform.QueueEvent({Kind::Close});
      server.release.set_value();
      return platform.Ticks();
    }
    if (platform.Ticks() > 60000) return std::nullopt;
    return std::min(deadline, platform.Ticks() + 16);
  });
  form.Loop.Run();

  EXPECT_TRUE(asked);
  EXPECT_GT(framesWhileWaiting, 50U) << "the window froze during the request";
  EXPECT_TRUE(form.Terminated());
  EXPECT_EQ(server.urls.size(), 2U);
  bool stored = false;
  for (const THighScore& row : form.Config.HighScores)
    stored |= row.Name == "Zed" && row.Score == 5000;
  EXPECT_TRUE(stored);
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "Config.cfg"));
}

}  // namespace
}  // namespace brinecast
