// Keys go on being pressed and released while a message box is open or a request is
// under way; once the game has the keyboard back, what it reads as held is what is held.
#include <gtest/gtest.h>

#include "app/TForm1.h"
#include "media/DXInput.h"
#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/GameFolder.h"
#include "support/OfflineSetup.h"
#include "support/TimedSteps.h"

namespace brinecast {
namespace {

using Kind = PlatformEvent::Kind;
using testing::Key;

struct HeldCase {
  const char* name;
  bool downBeforeBox;
  bool upUnderBox;
  bool downUnderBox;
  bool heldAfter;
};

TEST(HeldKeys, AfterAMessageBoxTheSteeringKeysReadAsTheyAreReallyHeld) {
  const HeldCase cases[] = {
      {"held throughout", true, false, false, true},
      {"released under the box", true, true, false, false},
      {"pressed under the box and kept down", false, false, true, true},
  };
  for (const HeldCase& held : cases) {
    SCOPED_TRACE(held.name);
    testing::GameFolder folder;
    HeadlessPlatform platform;
    TForm1 form(testing::OfflineSetup(platform, folder.AppDir(), 3));
    form.Loop().Guard([&] { form.FormCreate(); });
    form.Loop().Guard([&] { form.StartGame(); });
    form.SetScriptStep([&] { form.ShowMessage("a box in play"); });
    PlatformEvent box;
    box.kind = Kind::Script;
    std::vector<testing::Step> steps;
    if (held.downBeforeBox)
      steps.push_back({100, [&] { platform.QueueEvent(Key(Kind::KeyDown, vk::Right)); }});
    steps.push_back({200, [&] { platform.QueueEvent(box); }});
    if (held.upUnderBox)
      steps.push_back({300, [&] { platform.QueueEvent(Key(Kind::KeyUp, vk::Right)); }});
    if (held.downUnderBox)
      steps.push_back({300, [&] { platform.QueueEvent(Key(Kind::KeyDown, vk::Right)); }});
    steps.push_back({400, [&] {
                       ASSERT_TRUE(platform.MessageBox());
                       platform.QueueEvent({Kind::DismissBox});
                     }});
    testing::RunUntil(platform, form, steps, 500);
    ASSERT_FALSE(platform.MessageBox());
    form.DXInput1().Update();
    EXPECT_EQ(form.DXInput1().Has(InputState::Right), held.heldAfter);
  }
}

}  // namespace
}  // namespace brinecast
