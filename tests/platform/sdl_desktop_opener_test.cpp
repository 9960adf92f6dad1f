// Tests of handing URLs to the desktop's opener: success and failure as the opener reports them,
// no opener at all, an opener that keeps running, and the URL passed untouched by any shell.
#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "OpenerScripts.h"
#include "platform/sdl/DesktopOpener.h"
#include "platform/sdl/SdlPlatform.h"

namespace brinecast {
namespace {

using namespace std::chrono_literals;

TEST(SdlDesktopOpener, WorksOnlyWhenTheOpenerStartsAndExitsWithZero) {
  const struct {
    const char* name;
    const char* body;  // nullptr: no such program on PATH
    bool executable;
    bool works;
  } cases[] = {
      {"Exits0", "exit 0", true, true},          {"Exits1", "exit 1", true, false},
      {"Exits4", "exit 4", true, false},         {"Killed", "kill -9 $$", true, false},
      {"NotExecutable", "exit 0", false, false}, {"Missing", nullptr, true, false},
  };
  for (const auto& c : cases) {
    OpenerScripts scripts;
    if (c.body != nullptr) scripts.Add("xdg-open", c.body, c.executable);
    DesktopOpener opener;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(opener.Open("http://scores.example/world"), c.works) << c.name;
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms) << c.name;
    EXPECT_EQ(opener.Pending(), 0u) << c.name;
  }
}

TEST(SdlDesktopOpener, TheUrlIsOneArgumentUntouchedByAnyShell) {
  OpenerScripts scripts;
  scripts.Add("xdg-open", "exit 0");
  const std::string url = "file:///tmp/a b;$(touch pwned)`id`'\"&x=*";
  DesktopOpener opener;
  EXPECT_TRUE(opener.Open(url));
  EXPECT_EQ(scripts.Arguments(), "1\n" + url + "\n");
  EXPECT_FALSE(std::filesystem::exists(scripts.Dir() / "pwned"));
  EXPECT_FALSE(opener.Open(""));
}

TEST(SdlDesktopOpener, AnOpenerStillRunningCountsAsWorkingAndIsReapedOnceItEnds) {
  OpenerScripts scripts;
  const std::filesystem::path pidFile = scripts.Dir() / "pid";
  scripts.Add("xdg-open", "echo $$ > '" + pidFile.string() + ".new'; mv '" + pidFile.string() +
                              ".new' '" + pidFile.string() + "'; exec sleep 60");
  DesktopOpener opener("xdg-open", 200ms);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(opener.Open("http://scores.example/"));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms);
  ASSERT_EQ(opener.Pending(), 1u);
  pid_t pid = 0;
  std::ifstream(pidFile) >> pid;
  ASSERT_GT(pid, 0);
  opener.ReapFinished();
  EXPECT_EQ(opener.Pending(), 1u) << "reaped while it still runs";
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  const auto until = std::chrono::steady_clock::now() + 5s;
  while (opener.Pending() > 0 && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(10ms);
    opener.ReapFinished();
  }
  EXPECT_EQ(opener.Pending(), 0u);
  EXPECT_NE(kill(pid, 0), 0) << "left as a zombie";
}

// The whole desktop platform, as the game's "Visit" and "World" use it.
TEST(SdlDesktopOpener, ThePlatformSaysWhetherTheBrowserCame) {
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
  SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK), 0) << SDL_GetError();
  {
    OpenerScripts scripts;
    SdlPlatform platform;
    EXPECT_FALSE(platform.OpenUrl("http://scores.example/")) << "no xdg-open on PATH";
    scripts.Add("xdg-open", "exit 3");
    EXPECT_FALSE(platform.OpenUrl("http://scores.example/"));
    scripts.Add("xdg-open", "exit 0");
    EXPECT_TRUE(platform.OpenUrl("/tmp/Brinecast Help.html"));
    EXPECT_EQ(scripts.Arguments(), "1\nfile:///tmp/Brinecast%20Help.html\n");
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK);
}

}  // namespace
}  // namespace brinecast
