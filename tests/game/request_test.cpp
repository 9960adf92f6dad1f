// The score submission runs off the main thread: frames go on, and a close request
// that comes meanwhile waits for its end, then is taken as the screen reached takes it.
#include <gtest/gtest.h>

#include <atomic>
#include <future>

#include "net/HttpClient.h"
#include "objects/Player.h"
#include "platform/VirtualKeys.h"
#include "support/GameFolder.h"
#include "support/TimedSteps.h"

namespace brinecast {
namespace {

using Kind = PlatformEvent::Kind;

// A server that answers the check only once the test lets it; an unreachable one
// fails it then.
class HeldServer : public HttpTransport {
 public:
  explicit HeldServer(bool reachable) : reachable_(reachable) {}
  HttpResult Get(const HttpRequest& request) override {
    urls.push_back(request.url);
    if (urls.size() == 1) release.get_future().wait();
    HttpResult result;
    if (!reachable_) {
      result.error = "Connection refused";
      return result;
    }
    result.ok = true;
    result.status = 200;
    result.body = urls.size() == 1 ? "OK|1|||token|" : "";
    return result;
  }
  std::promise<void> release;
  std::vector<std::string> urls;

 private:
  bool reachable_;
};

class CloseDuringSubmission : public ::testing::TestWithParam<bool> {};

TEST_P(CloseDuringSubmission, FramesGoOnTheEntryIsKeptAndTheGameNeverQuitsUnasked) {
  const bool reachable = GetParam();
  testing::GameFolder folder;
  HeadlessPlatform platform;
  HeldServer server(reachable);
  TForm1 form({{platform, server}, {folder.AppDir(), {}}, 5, std::nullopt});
  form.FormCreate();
  form.Config.SendOnline = true;
  form.StartGame();
  form.Player()->SetScore(5000);
  form.SetGameOverFlag(true);
  form.LeaveGame();
  ASSERT_EQ(form.State(), GameState::EnterName);
  form.PlayerName() = "Zed";

  bool asked = false;
  bool entered = false;
  uint64_t framesWhileWaiting = 0;
  bool runningAtTheEnd = false;
  std::optional<MessageBoxContent> shownBox;
  platform.SetDriver([&](uint64_t deadline) -> std::optional<uint64_t> {
    if (!entered) {
      entered = true;
      platform.QueueEvent(testing::Key(Kind::KeyDown, vk::Return));
      platform.QueueEvent(testing::Key(Kind::KeyUp, vk::Return));
      return platform.Ticks();
    }
    if (form.Sending() && !asked && platform.Ticks() > 1000) {
      asked = true;
      framesWhileWaiting = platform.FramesPresented();
      platform.QueueEvent({Kind::Close});
      server.release.set_value();
      return platform.Ticks();
    }
    // The unreachable server's box is closed as a player would.
    if (asked && platform.MessageBox()) {
      shownBox = platform.MessageBox();
      platform.QueueEvent({Kind::DismissBox});
    }
    if (platform.Ticks() > 60000) {
      runningAtTheEnd = !form.Terminated();
      return std::nullopt;
    }
    return std::min(deadline, platform.Ticks() + 16);
  });
  form.Loop().Run();

  EXPECT_TRUE(asked);
  EXPECT_GT(framesWhileWaiting, 50U) << "the window froze during the request";
  EXPECT_TRUE(runningAtTheEnd) << "the close request ended the game unasked";
  if (reachable) {
    // Sent and saved: the close then asks, as it does on the menus.
    EXPECT_EQ(form.State(), GameState::ExitQuestion);
    EXPECT_EQ(server.urls.size(), 2U);
    bool stored = false;
    for (const THighScore& row : form.Config.HighScores)
      stored |= row.Name == "Zed" && row.Score == 5000;
    EXPECT_TRUE(stored);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "Config.cfg"));
  } else {
    // Told, and still on the name entry with the name typed, where a close does nothing.
    const MessageBoxContent told{"Can't connect to server!", "Information", BoxIcon::Information};
    EXPECT_EQ(shownBox, told);
    EXPECT_EQ(form.State(), GameState::EnterName);
    EXPECT_EQ(form.PlayerName(), "Zed");
  }
}

INSTANTIATE_TEST_SUITE_P(ScoreRequest, CloseDuringSubmission, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Sent" : "Unreachable"; });

}  // namespace
}  // namespace brinecast
