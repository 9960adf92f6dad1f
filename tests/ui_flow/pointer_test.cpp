// The pointer on the menu screens and the name entry: hit areas, clicks, buttons.
#include "UiForm.h"
#include "objects/Chk.h"
#include "objects/Hlp.h"
#include "objects/Player.h"

namespace brinecast {
namespace {

using Pointer = UiForm;

struct HitCase {
  int x;
  int y;
  uint8_t cursor;  // 0: the cursor stays where it was
};

TEST_F(Pointer, MainMenuAreasAreOpenAndTheLastItemStaysLit) {
  for (bool windowed : {true, false}) {
    SCOPED_TRACE(windowed);
    // Full screen reports surface pixels too: the same areas in both modes.
    form->Config.Windowed = windowed;
    for (const HitCase& c :
         {HitCase{400, 190, 1}, HitCase{400, 170, 0}, HitCase{306, 190, 0}, HitCase{493, 190, 0},
          HitCase{400, 179, 0}, HitCase{400, 203, 0}, HitCase{307, 180, 1}, HitCase{492, 202, 1},
          HitCase{350, 240, 2}, HitCase{450, 290, 3}, HitCase{350, 330, 4}, HitCase{500, 380, 5},
          HitCase{350, 430, 6}, HitCase{370, 430, 0}, HitCase{10, 10, 0}}) {
      SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
      form->MenuCursor = 3;
      Move(c.x, c.y);
      const uint8_t expected = c.cursor == 0 ? 3 : c.cursor;
      EXPECT_EQ(form->MenuCursor, expected);
      std::vector<bool> lit(6, false);
      lit[expected - 1] = true;
      EXPECT_EQ(Lit(6), lit);
    }
  }
}

TEST_F(Pointer, AClickAnywhereActivatesTheItemSelectedLast) {
  Move(350, 240);  // "Opt"
  Move(700, 580);
  Click();
  EXPECT_EQ(form->GameState, "Options");
  EXPECT_EQ(form->SavedMenuCursor, 2);
  EXPECT_EQ(Plays("Poimal"), 1);
}

TEST_F(Pointer, MovesAskTheBoatForOneStepTheirWay) {
  struct Step {
    int x;
    bool right;
    bool left;
  };
  for (const Step& s : {Step{100, true, false}, Step{100, false, false}, Step{90, false, true},
                        Step{95, true, false}}) {
    Move(s.x, 500);
    EXPECT_EQ(form->MouseStepRight, s.right) << s.x;
    EXPECT_EQ(form->MouseStepLeft, s.left) << s.x;
    EXPECT_EQ(form->LastMouseX, s.x);
  }
}

TEST_F(Pointer, OptionsClickAwayFromEveryChoiceActsOnTheRow) {
  Keys({vk::Down, vk::Return});
  ASSERT_EQ(form->GameState, "Options");
  const TConfig before = form->Config;
  for (uint8_t row : {1, 2, 3}) {
    Move(302 + 10, 230 + 48 * (row - 1) + 5);  // over the row's left choice ...
    ASSERT_EQ(form->MenuCursor, row);
    Move(700, 100);  // ... then away from every choice
    Click();
    EXPECT_EQ(form->GameState, "Options");
    EXPECT_EQ(form->Config.MusicOn, before.MusicOn);
    EXPECT_EQ(form->Config.SoundOn, before.SoundOn);
    EXPECT_EQ(form->Config.Windowed, before.Windowed);
    EXPECT_FALSE(form->EditingAddText);
  }
  Move(400, 380);
  Move(700, 100);
  Click();
  EXPECT_TRUE(form->EditingAddText);
  EXPECT_FALSE(Lit(7)[6]);
  std::filesystem::remove(ConfigPath());
  Move(100, 470);
  EXPECT_TRUE(Lit(7)[6]);
  Move(700, 100);
  Click();
  EXPECT_EQ(form->GameState, "Menu");
  EXPECT_TRUE(std::filesystem::exists(ConfigPath()));  // the back item saves
}

TEST_F(Pointer, OptionChoicesSetTheOptions) {
  Keys({vk::Down, vk::Return});
  Move(410, 330);  // sound "Off"
  EXPECT_TRUE(form->OverSoundOff);
  EXPECT_EQ(form->MenuCursor, 3);
  Click();
  EXPECT_FALSE(form->Config.SoundOn);
  Move(310, 330);
  EXPECT_FALSE(form->OverSoundOff);
  Click();
  EXPECT_TRUE(form->Config.SoundOn);
  Move(410, 285);  // music "Off"
  Click();
  EXPECT_FALSE(form->Config.MusicOn);
  EXPECT_FALSE(platform.Music().playing);
  Move(310, 285);
  Click();
  EXPECT_TRUE(form->Config.MusicOn);
  EXPECT_TRUE(platform.Music().playing);
  const bool windowed = form->Config.Windowed;
  Move(windowed ? 500 : 350, 240);  // the other window mode
  Click();
  EXPECT_EQ(form->Config.Windowed, !windowed);
  Click();  // already in that mode: nothing
  EXPECT_EQ(form->Config.Windowed, !windowed);
}

TEST_F(Pointer, HelpPagesTurnWithinOneToFour) {
  Keys({vk::Down, vk::Down, vk::Down, vk::Return});
  ASSERT_EQ(form->GameState, "Help");
  EXPECT_EQ(form->HelpPage, 1);
  Move(80, 470);  // "Previos"
  const int sounds = Plays("Poimal");
  Click();
  EXPECT_EQ(form->HelpPage, 1);
  EXPECT_EQ(Plays("Poimal"), sounds + 1);
  Move(600, 470);  // "Next"
  for (uint8_t page : {2, 3, 4, 4}) {
    Click();
    EXPECT_EQ(form->HelpPage, page);
    ASSERT_TRUE(form->Hlp);
  }
  Move(100, 510);
  Click();
  EXPECT_EQ(form->GameState, "Menu");
  Keys({vk::Return});
  EXPECT_EQ(form->HelpPage, 1);  // the help always opens on page 1
}

TEST_F(Pointer, TheRightButtonClicksOutsidePlayOnly) {
  Move(350, 240);
  ButtonUp(MouseButton::Right);
  EXPECT_EQ(form->GameState, "Options");
  form->Loop.Guard([&] { form->DXDraw1MouseDown(MouseButton::Left, 0, 0); });
  EXPECT_TRUE(form->MouseHeld);
  ButtonUp(MouseButton::Left);
  EXPECT_FALSE(form->MouseHeld);
  EXPECT_EQ(form->GameState, "Options");  // the left button's click is its own event
  Key(vk::Escape);
  form->Loop.Guard([&] { form->StartGame(); });
  form->KeySum = 5;
  ButtonUp(MouseButton::Right);
  EXPECT_EQ(form->KeySum, 5);
  Click();  // a left click in play only resets
  EXPECT_EQ(form->KeySum, 0);
  EXPECT_EQ(form->GameState, "Game");
}

TEST_F(Pointer, QuestionAnswersByPointer) {
  Key(vk::Escape);
  Move(450, 260);
  EXPECT_EQ(form->MenuCursor, 2);
  Move(430, 260);  // on the edge: stays
  EXPECT_EQ(form->MenuCursor, 2);
  Click();
  EXPECT_EQ(form->GameState, "Menu");
  EXPECT_FALSE(Asking());
  EXPECT_EQ(Lit(6), (std::vector<bool>{true, false, false, false, false, false}));
  Move(350, 430);  // "Exit"
  Click();
  EXPECT_EQ(form->GameState, "Exit?");
  Move(350, 260);
  Click();
  EXPECT_TRUE(form->Terminated());
}

TEST_F(Pointer, LeavingPlayAnsweredByPointer) {
  form->Loop.Guard([&] { form->StartGame(); });
  Key(vk::Escape);
  ASSERT_EQ(form->GameState, "ExitGame?");
  Move(450, 260);
  const int sounds = Plays("Poimal");
  Click();
  EXPECT_EQ(form->GameState, "Game");
  EXPECT_EQ(Plays("Poimal"), sounds + 1);
  EXPECT_FALSE(Asking());
  EXPECT_FALSE(form->Paused);
  EXPECT_TRUE(form->Timer1.Enabled());
  EXPECT_FALSE(form->Timer2.Enabled());
  EXPECT_FALSE(platform.CursorShown());
  Key(vk::Escape);
  Move(350, 260);
  EXPECT_EQ(form->MenuCursor, 1);
  Click();
  EXPECT_EQ(form->GameState, "Menu");  // no new high score: straight back
  EXPECT_TRUE(form->GameOverFlag);
  EXPECT_FALSE(Asking());
}

// The name entry as LeaveGame opens it after a game that beat row 10.
class NameEntryPointer : public UiForm {
 protected:
  void SetUp() override {
    UiForm::SetUp();
    form->Loop.Guard([&] { form->StartGame(); });
    form->GameState = "EnterName";
    form->Chk->Shown = true;
    box_ = form->Chk.Get();
  }
  TChk* box_ = nullptr;
};

TEST_F(NameEntryPointer, TheCheckBoxIsHitWithinItsOwnPicture) {
  const int left = static_cast<int>(box_->X);
  const int top = static_cast<int>(box_->Y);
  ASSERT_GT(box_->Width, 2);
  ASSERT_GT(box_->Height, 2);
  for (const HitCase& c :
       {HitCase{left + 1, top + 1, 1}, HitCase{left + box_->Width - 1, top + box_->Height - 1, 1},
        HitCase{left, top + 5, 0}, HitCase{left + 5, top, 0},
        HitCase{left + box_->Width, top + 5, 0}, HitCase{left + 5, top + box_->Height, 0},
        HitCase{100, 100, 0}}) {
    Move(c.x, c.y);
    EXPECT_EQ(form->OverCheckBox, c.cursor == 1) << c.x << "," << c.y;
  }
}

TEST_F(NameEntryPointer, ClicksOnTheBoxToggleSendingOnlineQuietly) {
  const bool send = form->Config.SendOnline;
  Move(static_cast<int>(box_->X) + 3, static_cast<int>(box_->Y) + 3);
  const int sounds = Plays("Poimal");
  Click();
  EXPECT_EQ(form->Config.SendOnline, !send);
  ButtonUp(MouseButton::Right);
  EXPECT_EQ(form->Config.SendOnline, send);
  EXPECT_EQ(Plays("Poimal"), sounds);
  Move(100, 100);
  Click();
  EXPECT_EQ(form->Config.SendOnline, send);
  EXPECT_EQ(form->GameState, "EnterName");
}

TEST_F(NameEntryPointer, NothingChangesWhileTheResultIsBeingSent) {
  form->Sending = true;
  form->PlayerName = "Ann";
  const bool send = form->Config.SendOnline;
  Move(static_cast<int>(box_->X) + 3, static_cast<int>(box_->Y) + 3);
  Click();
  Keys({'B', vk::Back, vk::Return, vk::Space});
  EXPECT_EQ(form->Config.SendOnline, send);
  EXPECT_EQ(form->PlayerName, "Ann");
  EXPECT_EQ(form->GameState, "EnterName");
}

TEST_F(NameEntryPointer, EnterStoresTheRowAndShowsTheTable) {
  form->Player->SetScore(5500);
  form->PlayerName = "Ann";
  form->Config.SendOnline = false;
  Keys({'B', vk::Back, vk::Escape});
  EXPECT_EQ(form->GameState, "EnterName");  // Escape does nothing here
  Key(vk::Return, true);
  EXPECT_EQ(form->GameState, "EnterName");  // Alt+Enter only switches the mode
  Key(vk::Return);
  EXPECT_EQ(form->GameState, "HiScores");
  EXPECT_EQ(form->SavedMenuCursor, 3);
  EXPECT_EQ(form->Config.HighScores[5].Name, "Ann");
  EXPECT_EQ(form->Config.HighScores[5].Score, 5500U);
  EXPECT_FALSE(form->Chk->Shown);
  EXPECT_TRUE(!form->Player || form->Player->IsDead());
  EXPECT_FALSE(form->Sending);
  EXPECT_EQ(form->PlayerName, "Ann");  // kept for the next entry
  EXPECT_TRUE(std::filesystem::exists(ConfigPath()));
}

TEST_F(NameEntryPointer, AnUnreachableServerKeepsTheEntryOpen) {
  form->Player->SetScore(5500);
  form->Config.SendOnline = true;
  Key(vk::Return);
  EXPECT_EQ(form->GameState, "EnterName");
  EXPECT_EQ(form->Config.HighScores[5].Score, 5000U);
  EXPECT_FALSE(form->Sending);
  ASSERT_FALSE(form->Loop.Messages().empty());
  EXPECT_EQ(form->Loop.Messages().back(), "Can't connect to server!");
}

}  // namespace
}  // namespace brinecast
