// Tests of the main window: its components at start, its frames, closing, the image archives
// it loads, and the main block's opening of the play address.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/Project1.h"
#include "app/TForm1.h"
#include "objects/Random.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/GameFolder.h"
#include "support/OfflineSetup.h"
#include "support/ScratchFolder.h"

namespace brinecast {
namespace {

using Kind = PlatformEvent::Kind;

// Lets the platform's clock run to `until`, then ends the run.
void StopAt(HeadlessPlatform& platform, uint64_t until) {
  platform.SetDriver([&platform, until](uint64_t) -> std::optional<uint64_t> {
    if (platform.Ticks() >= until) return std::nullopt;
    return until;
  });
}

TEST(Form, StartsWithItsComponentsAsTheWindowStoresThem) {
  HeadlessPlatform platform;
  TForm1 form(testing::OfflineSetup(platform, "/game/", 1));
  // Each role's timer, its period and its place in the tie order.
  struct Case {
    const WindowTimer* timer;
    uint32_t interval;
  };
  const Case cases[] = {{&form.LevelClock(), 10},
                        {&form.Freeze(), 2000},
                        {&form.GameOverStep(), 2000},
                        {&form.BonusCount(), 128}};
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(cases[i].timer->Enabled());
    EXPECT_EQ(cases[i].timer->Interval(), cases[i].interval);
    EXPECT_EQ(form.WindowTimers()[i], cases[i].timer);
  }
  EXPECT_TRUE(form.DXTimer1.Enabled && form.DXTimer1.ActiveOnly);
  EXPECT_EQ(form.DXTimer1.Interval, 16U);
  EXPECT_EQ(form.FrameNo(), 0);
}

TEST(Form, EachFrameCountsFrameNoAndPresentsWrappingAfter255) {
  HeadlessPlatform platform;
  TForm1 form(testing::OfflineSetup(platform, "/game/", 1));
  StopAt(platform, 256 * 16);
  form.Loop().Run();
  EXPECT_EQ(platform.FramesPresented(), 256U);
  EXPECT_EQ(form.FrameNo(), 0);
}

TEST(Form, ACloseRequestEndsTheProgram) {
  HeadlessPlatform platform;
  TForm1 form(testing::OfflineSetup(platform, "/game/", 1));
  platform.SetDriver([&](uint64_t) -> std::optional<uint64_t> {
    if (platform.Ticks() == 100) platform.QueueEvent({Kind::Close});
    return platform.Ticks() < 100 ? 100 : 1000;
  });
  form.Loop().Run();
  EXPECT_TRUE(form.Terminated());
  EXPECT_FALSE(platform.QuitRequested());
  EXPECT_EQ(platform.Ticks(), 100U);
}

TEST(Form, TwoWindowsRunSideBySide) {
  HeadlessPlatform first;
  HeadlessPlatform second;
  TForm1 a(testing::OfflineSetup(first, "/a/", 7));
  TForm1 b(testing::OfflineSetup(second, "/b/", 7));
  a.LevelClock().SetEnabled(true);
  StopAt(first, 100);
  a.Loop().Run();
  a.Terminate();
  EXPECT_FALSE(b.Terminated());
  StopAt(second, 50);
  b.Loop().Run();
  EXPECT_EQ(a.FrameNo(), 6);
  EXPECT_EQ(b.FrameNo(), 3);
  EXPECT_FALSE(b.LevelClock().Enabled());
  // Same seed, own generators: the same numbers, unaffected by each other.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(a.Random(1000), b.Random(1000));
}

TEST(Random, SameSeedSameSequenceAndEveryValueInRange) {
  TRandom one(42);
  TRandom same(42);
  TRandom other(43);
  int differ = 0;
  for (int i = 0; i < 100; ++i) {
    const uint32_t value = one.Next();
    EXPECT_EQ(value, same.Next());
    differ += value != other.Next();
  }
  EXPECT_GT(differ, 90);
  for (uint32_t n : {1U, 2U, 6U, 10U, 1000U, 0xFFFFFFFFU}) {
    for (int i = 0; i < 1000; ++i) EXPECT_LT(one.Random(n), n);
  }
  EXPECT_EQ(one.Random(0), 0U);
}

TEST(Random, SmallRangesComeOutEvenly) {
  TRandom random(5);
  std::array<int, 6> counts{};
  for (int i = 0; i < 60000; ++i) ++counts[random.Random(6)];
  for (int count : counts) EXPECT_NEAR(count, 10000, 500);
}

TEST(Form, StartUpLoadsBothImageArchivesFromTheGameFolder) {
  HeadlessPlatform platform;
  // A scratch folder with the built data: start-up writes Config.cfg, never into the build.
  testing::GameFolder folder;
  TForm1 form(testing::OfflineSetup(platform, folder.AppDir(), 1));
  form.Loop().Guard([&] { form.FormCreate(); });
  EXPECT_TRUE(form.Loop().Messages().empty());
  EXPECT_EQ(form.DXImageList1().Items().Find("Qtns")->Name(), "Qtns");
  EXPECT_EQ(form.GameImgs().Items().Find("kruk")->Name(), "Kruk");
}

TEST(Form, AMissingArchiveIsReportedInAMessageBox) {
  HeadlessPlatform platform;
  TForm1 form(testing::OfflineSetup(platform, "/nonexistent-game-folder/", 1));
  platform.SetDriver([](uint64_t) -> std::optional<uint64_t> { return std::nullopt; });
  form.Loop().Guard([&] { form.FormCreate(); });
  // Before it: the options file that cannot be written and the music that is not there.
  ASSERT_FALSE(form.Loop().Messages().empty());
  EXPECT_EQ(form.Loop().Messages().back().rfind(
                "Cannot open file \"/nonexistent-game-folder/Data/MenuImgs.dxg\".", 0),
            0U);
  EXPECT_FALSE(form.StartupDone());
  EXPECT_EQ(form.GameImgs().Items().Count(), 0);
}

// Runs the main block in a scratch working directory, optionally with a play.url.
class MainBlock : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.Path());
  }
  void TearDown() override { std::filesystem::current_path(old_); }
  int Run() {
    StopAt(platform, 50);
    return Project1(testing::OfflineSetup(platform, dir_.Dir(), 1));
  }
  HeadlessPlatform platform;
  testing::ScratchFolder dir_{"brinecast-mainblock"};
  std::filesystem::path old_;
};

TEST_F(MainBlock, OpensPlayUrlAfterTheLoopWhenPresent) {
  std::ofstream("play.url") << "[InternetShortcut]\n";
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(platform.OpenedUrls(), (std::vector<std::string>{"play.url"}));
  EXPECT_EQ(platform.Ticks(), 50U);
}

TEST_F(MainBlock, OpensNothingWithoutPlayUrl) {
  std::filesystem::create_directory("play.url.d");
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(platform.OpenedUrls().empty());
}

}  // namespace
}  // namespace brinecast
