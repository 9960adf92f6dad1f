// The window mode given on the command line is for one run: what Config.cfg keeps
// afterwards is the file's mode until the player switches, then the player's last choice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TForm1.h"
#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessPlatform.h"
#include "storage/Config.h"
#include "storage/ConfigFile.h"
#include "support/GameFolder.h"
#include "support/OfflineSetup.h"
#include "support/TimedSteps.h"

namespace brinecast {
namespace {

bool StoredWindowed(const testing::GameFolder& folder) {
  TConfig stored;
  TConfigFile file(folder.AppDir(), {});
  EXPECT_TRUE(file.Load(stored));
  return stored.Windowed;
}

struct ModeCase {
  const char* name;
  bool fileWindowed;
  bool commandLineWindowed;
  int switches;  // Alt+Enter presses during the run
  bool storedAfter;
};

TEST(WindowModeOverride, SavesTheFilesModeUntilThePlayerSwitchesThenTheirLastChoice) {
  const std::vector<ModeCase> cases = {
      {"--window over full screen, no switch", false, true, 0, false},
      {"--fullscreen over a window, no switch", true, false, 0, true},
      {"--window, switched to full screen", false, true, 1, false},
      {"--window, switched away and back", false, true, 2, true},
      {"--fullscreen, switched away and back", true, false, 2, false},
      {"--fullscreen, switched to a window", true, false, 1, true},
  };
  for (const ModeCase& mode : cases) {
    SCOPED_TRACE(mode.name);
    testing::GameFolder folder;
    {
      TConfig config;
      SetDefaults(config);
      config.Windowed = mode.fileWindowed;
      TConfigFile(folder.AppDir(), {}).Save(config);
    }
    HeadlessPlatform platform;
    GameSetup setup = testing::OfflineSetup(platform, folder.AppDir(), 1);
    setup.windowed = mode.commandLineWindowed;
    TForm1 form(setup);
    form.Loop().Guard([&] { form.FormCreate(); });
    ASSERT_EQ(form.Config.Windowed, mode.commandLineWindowed);
    for (int i = 0; i < mode.switches; ++i) {
      form.Loop().Guard([&] { form.FormKeyUp(vk::Return, true); });
    }
    EXPECT_EQ(form.Config.Windowed, mode.commandLineWindowed != (mode.switches % 2 == 1));
    form.Loop().Guard([&] { form.SaveConfig(); });
    EXPECT_EQ(StoredWindowed(folder), mode.storedAfter);
  }
}

}  // namespace
}  // namespace brinecast
