// A started game window on the headless platform, in a scratch folder of its
// own, with keyboard and pointer input delivered through the main loop.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>

#include "app/TForm1.h"
#include "app/screens/MenuState.h"
#include "app/screens/ScreenSet.h"
#include "objects/Ask.h"
#include "objects/MenuB.h"
#include "platform/VirtualKeys.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/Events.h"
#include "support/GameFolder.h"
#include "support/OfflineSetup.h"

namespace brinecast {

class UiForm : public ::testing::Test {
 protected:
  void SetUp() override {
    // A message box is closed at once, as a player pressing OK would.
    platform.SetDriver([this](uint64_t deadline) -> std::optional<uint64_t> {
      if (platform.MessageBox()) platform.QueueEvent({PlatformEvent::Kind::DismissBox});
      return deadline;
    });
    form = std::make_unique<TForm1>(testing::OfflineSetup(platform, folder_.AppDir(), 1));
    form->Loop().Guard([this] { form->FormCreate(); });
    ASSERT_EQ(form->State(), GameState::Menu);
    ASSERT_EQ(form->Menu().cursor, 1);
  }

  void TearDown() override { form.reset(); }

  // Input reaches the game as a player's does: queued on the platform, handed over by
  // the main loop.
  void Send(std::initializer_list<PlatformEvent> events) {
    for (const PlatformEvent& event : events) platform.QueueEvent(event);
    form->Loop().RunPending();
  }

  // A key pressed and released.
  void Key(int code, bool alt = false) {
    PlatformEvent down = testing::Key(PlatformEvent::Kind::KeyDown, code);
    down.alt = alt;
    PlatformEvent up = down;
    up.kind = PlatformEvent::Kind::KeyUp;
    Send({down, up});
  }
  void Keys(std::initializer_list<int> codes) {
    for (int code : codes) Key(code);
  }
  void Move(int x, int y) { Send({testing::At(PlatformEvent::Kind::MouseMove, x, y)}); }
  // Onto the middle of a screen's place.
  void MoveOnto(const ScreenPlace& place) {
    Move((place.hit.Left + place.hit.Right) / 2, (place.hit.Top + place.hit.Bottom) / 2);
  }
  // Somewhere no screen has a place.
  void MoveAway() { Move(700, 100); }
  // The left button pressed and released where the pointer is.
  void Click() {
    Send({testing::At(PlatformEvent::Kind::MouseDown), testing::At(PlatformEvent::Kind::MouseUp),
          testing::At(PlatformEvent::Kind::Click)});
  }
  void ButtonDown(MouseButton button) { Send({Button(PlatformEvent::Kind::MouseDown, button)}); }
  void ButtonUp(MouseButton button) { Send({Button(PlatformEvent::Kind::MouseUp, button)}); }

  // Shown flags of MenuButtons 1..count; a missing button reads as unlit.
  std::vector<bool> Lit(int count) const {
    std::vector<bool> lit;
    for (int i = 0; i < count; ++i) {
      const TMenuB* button = form->Menu().buttons[i].Get();
      lit.push_back(button != nullptr && !button->IsDead() && button->Shown);
    }
    return lit;
  }

  // How often a sound effect has started so far.
  int Plays(const std::string& name) const {
    return static_cast<int>(std::count_if(
        platform.Sounds().begin(), platform.Sounds().end(),
        [&](const SoundRecord& record) { return record.action == "play" && record.name == name; }));
  }

  ScreenSet& Screens() const { return form->Screens(); }
  bool Over(OptionsScreen::Choice choice) const { return Screens().options.Over(choice); }

  // A question panel is on screen.
  bool Asking() const { return form->Ask() && !form->Ask()->IsDead(); }

  std::filesystem::path ConfigPath() const { return folder_.Path() / "Config.cfg"; }
  // The stored record's bytes; empty when there is no file.
  std::string ConfigBytes() const {
    std::ifstream file(ConfigPath(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  HeadlessPlatform platform;
  std::unique_ptr<TForm1> form;

 private:
  static PlatformEvent Button(PlatformEvent::Kind kind, MouseButton button) {
    PlatformEvent event = testing::At(kind);
    event.button = button;
    return event;
  }

  brinecast::testing::GameFolder folder_;
};

}  // namespace brinecast
