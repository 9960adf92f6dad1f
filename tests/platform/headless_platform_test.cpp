// Tests of the headless platform: its virtual clock, queued events, focus, kept frames and the
// message box's OK button.
#include <SDL.h>
#include <gtest/gtest.h>

#include <limits>

#include "platform/headless/HeadlessPlatform.h"

namespace brinecast {
namespace {

using Kind = PlatformEvent::Kind;
constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();

TEST(HeadlessPlatform, WaitMovesTheClockToTheEarlierOfDeadlineAndDriverTarget) {
  struct Case {
    const char* name;
    bool driver;
    std::optional<uint64_t> target;
    bool queues;
    uint64_t deadline;
    uint64_t clock;
    bool quit;
  };
  for (const Case& c : std::vector<Case>{
           {"NoDriverGoesToTheDeadline", false, {}, false, 40, 40, false},
           {"NoDriverNothingEverDueEnds", false, {}, false, kNever, 0, true},
           {"DriverTargetFirst", true, 25, false, 40, 25, false},
           {"DeadlineFirst", true, 90, false, 40, 40, false},
           {"DriverQueuedAnEvent", true, 90, true, 40, 0, false},
           {"DriverFinished", true, {}, false, 40, 0, true},
           {"BothNeverEnds", true, kNever, false, kNever, 0, true},
       }) {
    HeadlessPlatform platform;
    if (c.driver) {
      platform.SetDriver([&](uint64_t) {
        if (c.queues) platform.QueueEvent({Kind::KeyDown});
        return c.target;
      });
    }
    platform.WaitUntil(c.deadline);
    EXPECT_EQ(platform.Ticks(), c.clock) << c.name;
    EXPECT_EQ(platform.QuitRequested(), c.quit) << c.name;
  }
}

TEST(HeadlessPlatform, AQueuedEventEndsTheWaitAtOnce) {
  HeadlessPlatform platform;
  int driven = 0;
  platform.SetDriver([&](uint64_t) -> std::optional<uint64_t> {
    ++driven;
    return 100;
  });
  platform.QueueEvent({Kind::Click});
  platform.WaitUntil(50);
  EXPECT_EQ(platform.Ticks(), 0U);
  EXPECT_EQ(driven, 0);
}

TEST(HeadlessPlatform, FocusChangesWhenTheGameTakesTheEvent) {
  HeadlessPlatform platform;
  platform.QueueEvent({Kind::Deactivate});
  EXPECT_TRUE(platform.IsActive());
  PlatformEvent event;
  ASSERT_TRUE(platform.PollEvent(event));
  EXPECT_FALSE(platform.IsActive());
  platform.QueueEvent({Kind::Activate});
  ASSERT_TRUE(platform.PollEvent(event));
  EXPECT_TRUE(platform.IsActive());
  EXPECT_FALSE(platform.PollEvent(event));
}

TEST(HeadlessPlatform, PresentKeepsACopyAndChargesTheFrameCost) {
  HeadlessPlatform platform;
  platform.SetFrameCost(40);
  SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(frame, nullptr);
  SDL_FillRect(frame, nullptr, 0xFF112233);
  const SDL_Rect corner{799, 599, 1, 1};
  SDL_FillRect(frame, &corner, 0xFFABCDEF);
  platform.Present(frame);
  SDL_FillRect(frame, nullptr, 0);  // the game draws the next frame
  SDL_Surface* kept = platform.LastFrame();
  ASSERT_NE(kept, nullptr);
  auto pixel = [&](int x, int y) {
    return static_cast<const uint32_t*>(kept->pixels)[y * kept->pitch / 4 + x];
  };
  EXPECT_EQ(pixel(0, 0), 0xFF112233U);
  EXPECT_EQ(pixel(799, 599), 0xFFABCDEFU);
  EXPECT_EQ(platform.FramesPresented(), 1U);
  EXPECT_EQ(platform.Ticks(), 40U);
  SDL_FreeSurface(frame);
}

TEST(HeadlessPlatform, OkButtonIsHitOnlyWhileABoxIsOpen) {
  HeadlessPlatform platform;
  const int x = HeadlessPlatform::kOkLeft;
  const int y = HeadlessPlatform::kOkTop;
  EXPECT_FALSE(platform.MessageBoxOkHit(x, y));
  platform.SetMessageBox(MessageBoxContent{"Can't connect to server!"});
  EXPECT_TRUE(platform.MessageBoxOkHit(x, y));
  EXPECT_TRUE(platform.MessageBoxOkHit(x + HeadlessPlatform::kOkWidth - 1,
                                       y + HeadlessPlatform::kOkHeight - 1));
  EXPECT_FALSE(platform.MessageBoxOkHit(x - 1, y));
  EXPECT_FALSE(platform.MessageBoxOkHit(x, y + HeadlessPlatform::kOkHeight));
  platform.SetMessageBox(std::nullopt);
  EXPECT_FALSE(platform.MessageBoxOkHit(x, y));
}

TEST(HeadlessPlatform, KeepsTheOpenBoxsCaptionAndIcon) {
  HeadlessPlatform platform;
  const MessageBoxContent box{"Can't connect to server!", "Information", BoxIcon::Information};
  platform.SetMessageBox(box);
  ASSERT_TRUE(platform.MessageBox().has_value());
  EXPECT_EQ(platform.MessageBox()->text, "Can't connect to server!");
  EXPECT_EQ(platform.MessageBox()->caption, "Information");
  EXPECT_EQ(platform.MessageBox()->icon, BoxIcon::Information);
  platform.SetMessageBox(MessageBoxContent{"Can't load music."});
  EXPECT_EQ(platform.MessageBox(), (MessageBoxContent{"Can't load music.", "", BoxIcon::None}));
  platform.SetMessageBox(std::nullopt);
  EXPECT_FALSE(platform.MessageBox().has_value());
}

TEST(HeadlessPlatform, OpenUrlFailsWhenToldAndStillKeepsTheTarget) {
  HeadlessPlatform platform;
  EXPECT_TRUE(platform.OpenUrl("http://scores.example/"));
  platform.SetOpenUrlWorks(false);
  EXPECT_FALSE(platform.OpenUrl("http://scores.example/world"));
  platform.SetOpenUrlWorks(true);
  EXPECT_TRUE(platform.OpenUrl("Help.html"));
  EXPECT_EQ(platform.OpenedUrls(),
            (std::vector<std::string>{"http://scores.example/", "http://scores.example/world",
                                      "Help.html"}));
}

}  // namespace
}  // namespace brinecast
