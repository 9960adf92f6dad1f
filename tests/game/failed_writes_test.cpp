// A failed write of Config.cfg or a refused full screen is reported and the
// game carries on; a close request while start-up cannot finish ends the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "objects/Player.h"
#include "platform/VirtualKeys.h"
#include "support/GameFolder.h"
#include "support/OfflineSetup.h"
#include "support/TimedSteps.h"

namespace brinecast {
namespace {

using testing::GameFolder;
using Kind = PlatformEvent::Kind;

// Drives a whole run: at each step's time its events are queued; any message
// box is answered at once. Returns when the program ends or `until` passes.
struct GameRun {
  HeadlessPlatform platform;
  std::vector<std::pair<uint64_t, PlatformEvent>> events;
  std::unique_ptr<TForm1> form;
  std::function<void(TForm1&)> created;

  void Start(const std::string& appDir, uint64_t until) {
    size_t next = 0;
    platform.SetDriver([&, until](uint64_t) -> std::optional<uint64_t> {
      if (platform.MessageBox()) {
        platform.QueueEvent({Kind::DismissBox});
        return platform.Ticks();
      }
      while (next < events.size() && events[next].first <= platform.Ticks()) {
        platform.QueueEvent(events[next++].second);
      }
      if (platform.HasPendingEvents()) return platform.Ticks();
      if (platform.Ticks() >= until) return std::nullopt;
      return next < events.size() ? std::min(events[next].first, until) : until;
    });
    // As the main block runs it, with the window kept for the test to look at.
    form = std::make_unique<TForm1>(testing::OfflineSetup(platform, appDir, 1));
    if (created) created(*form);
    form->Loop().Guard([&] { form->FormCreate(); });
    form->Loop().Run();
  }
  void Press(uint64_t at, int key) {
    events.push_back({at, testing::Key(Kind::KeyDown, key)});
    events.push_back({at, testing::Key(Kind::KeyUp, key)});
  }
};

TEST(FailedWrites, YesOnTheExitQuestionEndsTheGameEvenWhenTheSaveFails) {
  GameFolder folder;
  // A folder where the file should be: no write can replace it.
  std::filesystem::create_directory(folder.Path() / "Config.cfg");
  GameRun run;
  run.Press(500, vk::Escape);  // the exit question
  run.Press(600, vk::Return);  // yes
  run.Start(folder.AppDir(), 60000);
  EXPECT_LT(run.platform.Ticks(), 1000U) << "the program did not end";
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "Config.cfg"));
}

TEST(FailedWrites, ARefusedFullScreenStaysWindowedAndFramesGoOn) {
  GameFolder folder;
  GameRun run;
  run.platform.RefuseFullScreen(true);
  run.Start(folder.AppDir(), 2000);
  ASSERT_NE(run.form, nullptr);
  EXPECT_FALSE(run.platform.IsFullScreen());
  EXPECT_GT(run.platform.FramesPresented(), 100U) << "the frame timer was not restarted";
}

TEST(FailedWrites, AFailedSaveLeavesTheNameEntryForTheTable) {
  GameFolder folder;
  std::filesystem::create_directory(folder.Path() / "Config.cfg");
  GameRun run;
  run.Press(500, vk::Return);  // start a game
  run.events.push_back({700, PlatformEvent{Kind::Script}});
  run.Press(900, 'A');
  run.Press(1000, vk::Return);  // the name is entered
  run.created = [](TForm1& form) {
    // A winning score, then the game ends as Esc and yes would end it.
    form.SetScriptStep([&form] {
      form.Player()->SetScore(20000);
      form.SetGameOverFlag(true);
      form.LeaveGame();
    });
  };
  run.Start(folder.AppDir(), 1500);
  ASSERT_NE(run.form, nullptr);
  EXPECT_EQ(run.form->State(), GameState::HiScores);
  EXPECT_FALSE(run.form->Sending());
  EXPECT_EQ(run.form->Config.HighScores[0].Name, "A");
  EXPECT_EQ(run.form->Config.HighScores[0].Score, 20000U);
  EXPECT_EQ(run.form->Config.HighScores[1].Name, "Anonymous");
}

TEST(StartupErrors, ACloseRequestUnderTheErrorBoxEndsTheProgramOnceItCloses) {
  GameFolder folder;
  std::filesystem::remove(folder.Path() / "Data");  // no archives: start-up stops
  HeadlessPlatform platform;
  bool asked = false;
  platform.SetDriver([&](uint64_t) -> std::optional<uint64_t> {
    if (platform.Ticks() >= 10000) return std::nullopt;
    if (platform.MessageBox() && !asked) {
      asked = true;
      platform.QueueEvent({Kind::Close});  // dropped by the box until now
      platform.QueueEvent({Kind::DismissBox});
      return platform.Ticks();
    }
    return platform.Ticks() + 100;
  });
  TForm1 form(testing::OfflineSetup(platform, folder.AppDir(), 1));
  form.Loop().Guard([&] { form.FormCreate(); });
  form.Loop().Run();
  EXPECT_TRUE(form.Terminated());
  EXPECT_TRUE(asked);
  EXPECT_LT(platform.Ticks(), 1000U) << "the window stayed open";
}

TEST(StartupErrors, AStrayBannerTickWithNoGameNeverStartsPlay) {
  GameFolder folder;
  HeadlessPlatform platform;
  TForm1 form(testing::OfflineSetup(platform, folder.AppDir(), 1));
  form.FormCreate();
  form.SetPaused(false);
  form.Freeze().SetEnabled(true);
  testing::RunUntil(platform, form, {}, 2500);
  EXPECT_EQ(form.State(), GameState::Menu);
  EXPECT_FALSE(form.LevelClock().Enabled());
  EXPECT_FALSE(form.Freeze().Enabled());
}

}  // namespace
}  // namespace brinecast
