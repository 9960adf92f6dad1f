// The pointer on the menu screens and the name entry: hit areas, clicks, buttons.
#include <span>
#include <vector>

#include "UiForm.h"
#include "app/screens/MenuState.h"
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

// Each place's inside corners select it; the points on its open edges do not.
std::vector<HitCase> EdgeCases(std::span<const ScreenPlace> layout) {
  std::vector<HitCase> cases;
  for (const ScreenPlace& p : layout) {
    const TRect& r = p.hit;
    const int midX = (r.Left + r.Right) / 2;
    const int midY = (r.Top + r.Bottom) / 2;
    cases.insert(cases.end(), {{r.Left, r.Top, p.item},
                               {r.Right - 1, r.Bottom - 1, p.item},
                               {r.Left - 1, midY, 0},
                               {r.Right, midY, 0},
                               {midX, r.Top - 1, 0},
                               {midX, r.Bottom, 0}});
  }
  cases.push_back({10, 10, 0});
  return cases;
}

TEST_F(Pointer, MainMenuAreasAreOpenAndTheLastItemStaysLit) {
  for (bool windowed : {true, false}) {
    SCOPED_TRACE(windowed);
    // Full screen reports surface pixels too: the same areas in both modes.
    form->Config.Windowed = windowed;
    for (const HitCase& c : EdgeCases(MainMenuScreen::kLayout)) {
      SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
      form->Menu().cursor = 3;
      Move(c.x, c.y);
      const uint8_t expected = c.cursor == 0 ? 3 : c.cursor;
      EXPECT_EQ(form->Menu().cursor, expected);
      std::vector<bool> lit(6, false);
      lit[expected - 1] = true;
      EXPECT_EQ(Lit(6), lit);
    }
  }
}

TEST_F(Pointer, AClickAnywhereActivatesTheItemSelectedLast) {
  MoveOnto(MainMenuScreen::kLayout[MainMenuScreen::kItemOptions - 1]);
  Move(700, 580);
  Click();
  EXPECT_EQ(form->State(), GameState::Options);
  EXPECT_EQ(form->Menu().savedCursor, 2);
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
    EXPECT_EQ(form->LastMouseX(), s.x);
  }
}

TEST_F(Pointer, OptionsClickAwayFromEveryChoiceActsOnTheRow) {
  Keys({vk::Down, vk::Return});
  ASSERT_EQ(form->State(), GameState::Options);
  const TConfig before = form->Config;
  for (uint8_t row : {1, 2, 3}) {
    MoveOnto(OptionsScreen::kLayout[(row - 1) * 2]);  // over the row's left choice ...
    ASSERT_EQ(form->Menu().cursor, row);
    MoveAway();  // ... then away from every choice
    Click();
    EXPECT_EQ(form->State(), GameState::Options);
    EXPECT_EQ(form->Config.MusicOn, before.MusicOn);
    EXPECT_EQ(form->Config.SoundOn, before.SoundOn);
    EXPECT_EQ(form->Config.Windowed, before.Windowed);
    EXPECT_FALSE(form->Menu().editingAddText);
  }
  const auto& textField = OptionsScreen::kLayout.back();
  ASSERT_EQ(textField.item, OptionsScreen::kRowText);
  MoveOnto(textField);
  MoveAway();
  Click();
  EXPECT_TRUE(form->Menu().editingAddText);
  EXPECT_FALSE(Lit(7)[6]);
  std::filesystem::remove(ConfigPath());
  MoveOnto(OptionsScreen::kLayout[OptionsScreen::kBackButton - 1]);
  EXPECT_TRUE(Lit(7)[6]);
  MoveAway();
  Click();
  EXPECT_EQ(form->State(), GameState::Menu);
  EXPECT_TRUE(std::filesystem::exists(ConfigPath()));  // the back item saves
}

TEST_F(Pointer, OptionChoicesSetTheOptions) {
  Keys({vk::Down, vk::Return});
  const auto& choices = OptionsScreen::kLayout;
  MoveOnto(choices[OptionsScreen::kSoundOff]);
  EXPECT_TRUE(Over(OptionsScreen::kSoundOff));
  EXPECT_EQ(form->Menu().cursor, OptionsScreen::kRowSound);
  Click();
  EXPECT_FALSE(form->Config.SoundOn);
  MoveOnto(choices[OptionsScreen::kSoundOn]);
  EXPECT_FALSE(Over(OptionsScreen::kSoundOff));
  Click();
  EXPECT_TRUE(form->Config.SoundOn);
  MoveOnto(choices[OptionsScreen::kMusicOff]);
  Click();
  EXPECT_FALSE(form->Config.MusicOn);
  EXPECT_FALSE(platform.Music().playing);
  MoveOnto(choices[OptionsScreen::kMusicOn]);
  Click();
  EXPECT_TRUE(form->Config.MusicOn);
  EXPECT_TRUE(platform.Music().playing);
  const bool windowed = form->Config.Windowed;
  // The other window mode.
  MoveOnto(choices[windowed ? OptionsScreen::kFullScreen : OptionsScreen::kWindowed]);
  Click();
  EXPECT_EQ(form->Config.Windowed, !windowed);
  Click();  // already in that mode: nothing
  EXPECT_EQ(form->Config.Windowed, !windowed);
}

TEST_F(Pointer, HelpPagesTurnWithinOneToFour) {
  Keys({vk::Down, vk::Down, vk::Down, vk::Return});
  ASSERT_EQ(form->State(), GameState::Help);
  const HelpScreen& help = Screens().help;
  EXPECT_EQ(help.Page(), 1);
  MoveOnto(HelpScreen::kLayout[HelpScreen::kItemPrevious - 1]);
  const int sounds = Plays("Poimal");
  Click();
  EXPECT_EQ(help.Page(), 1);
  EXPECT_EQ(Plays("Poimal"), sounds + 1);
  MoveOnto(HelpScreen::kLayout[HelpScreen::kItemNext - 1]);
  for (uint8_t page : {2, 3, 4, 4}) {
    Click();
    EXPECT_EQ(help.Page(), page);
    ASSERT_NE(help.PageSprite(), nullptr);
  }
  MoveOnto(HelpScreen::kLayout[HelpScreen::kItemBack - 1]);
  Click();
  EXPECT_EQ(form->State(), GameState::Menu);
  EXPECT_TRUE(help.PageSprite() == nullptr || help.PageSprite()->IsDead());
  Keys({vk::Return});
  EXPECT_EQ(help.Page(), 1);  // the help always opens on page 1
}

TEST_F(Pointer, TheRightButtonClicksOutsidePlayOnly) {
  MoveOnto(MainMenuScreen::kLayout[MainMenuScreen::kItemOptions - 1]);
  ButtonUp(MouseButton::Right);
  EXPECT_EQ(form->State(), GameState::Options);
  ButtonDown(MouseButton::Left);
  EXPECT_TRUE(form->MouseHeld);
  ButtonUp(MouseButton::Left);
  EXPECT_FALSE(form->MouseHeld);
  EXPECT_EQ(form->State(), GameState::Options);  // the left button's click is its own event
  Key(vk::Escape);
  form->Loop().Guard([&] { form->StartGame(); });
  form->KeySum = 5;
  ButtonUp(MouseButton::Right);
  EXPECT_EQ(form->KeySum, 5);
  Click();  // a left click in play only resets
  EXPECT_EQ(form->KeySum, 0);
  EXPECT_EQ(form->State(), GameState::Game);
}

TEST_F(Pointer, QuestionAnswersByPointer) {
  Key(vk::Escape);
  const auto& answers = QuestionScreen::kLayout;
  for (const HitCase& c : EdgeCases(answers)) {
    form->Menu().cursor = 2;
    Move(c.x, c.y);
    EXPECT_EQ(form->Menu().cursor, c.cursor == 0 ? 2 : c.cursor) << c.x << "," << c.y;
  }
  MoveOnto(answers[QuestionScreen::kNo - 1]);
  EXPECT_EQ(form->Menu().cursor, QuestionScreen::kNo);
  Click();
  EXPECT_EQ(form->State(), GameState::Menu);
  EXPECT_FALSE(Asking());
  EXPECT_EQ(Lit(6), (std::vector<bool>{true, false, false, false, false, false}));
  MoveOnto(MainMenuScreen::kLayout[MainMenuScreen::kItemExit - 1]);
  Click();
  EXPECT_EQ(form->State(), GameState::ExitQuestion);
  MoveOnto(answers[QuestionScreen::kYes - 1]);
  Click();
  EXPECT_TRUE(form->Terminated());
}

TEST_F(Pointer, LeavingPlayAnsweredByPointer) {
  form->Loop().Guard([&] { form->StartGame(); });
  Key(vk::Escape);
  ASSERT_EQ(form->State(), GameState::ExitGameQuestion);
  MoveOnto(QuestionScreen::kLayout[QuestionScreen::kNo - 1]);
  const int sounds = Plays("Poimal");
  Click();
  EXPECT_EQ(form->State(), GameState::Game);
  EXPECT_EQ(Plays("Poimal"), sounds + 1);
  EXPECT_FALSE(Asking());
  EXPECT_FALSE(form->Paused());
  EXPECT_TRUE(form->LevelClock().Enabled());
  EXPECT_FALSE(form->Freeze().Enabled());
  EXPECT_FALSE(platform.CursorShown());
  Key(vk::Escape);
  MoveOnto(QuestionScreen::kLayout[QuestionScreen::kYes - 1]);
  EXPECT_EQ(form->Menu().cursor, 1);
  Click();
  EXPECT_EQ(form->State(), GameState::Menu);  // no new high score: straight back
  EXPECT_TRUE(form->GameOverFlag());
  EXPECT_FALSE(Asking());
}

// The name entry as LeaveGame opens it after a game that beat row 10.
class NameEntryPointer : public UiForm {
 protected:
  void SetUp() override {
    UiForm::SetUp();
    form->Loop().Guard([&] { form->StartGame(); });
    form->Player()->SetScore(1500);  // beats row 10 of the default table
    // Leaving the game by the pointer: Escape, then YES.
    Key(vk::Escape);
    MoveOnto(QuestionScreen::kLayout[QuestionScreen::kYes - 1]);
    Click();
    ASSERT_EQ(form->State(), GameState::EnterName);
    ASSERT_TRUE(form->Menu().checkBox->Shown);
    box_ = form->Menu().checkBox.Get();
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
    EXPECT_EQ(Screens().nameEntry.OverCheckBox(), c.cursor == 1) << c.x << "," << c.y;
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
  EXPECT_EQ(form->State(), GameState::EnterName);
}

TEST_F(NameEntryPointer, ANewEntryForgetsThatThePointerWasOverTheLastOnesBox) {
  Move(static_cast<int>(box_->X) + 3, static_cast<int>(box_->Y) + 3);
  ASSERT_TRUE(Screens().nameEntry.OverCheckBox());
  form->SetGameOverFlag(true);
  form->Player()->SetScore(5500);
  form->Loop().Guard([&] { form->LeaveGame(); });
  ASSERT_EQ(form->State(), GameState::EnterName);
  EXPECT_FALSE(Screens().nameEntry.OverCheckBox());
  const bool send = form->Config.SendOnline;
  Click();
  EXPECT_EQ(form->Config.SendOnline, send);
}

TEST_F(NameEntryPointer, NothingChangesWhileTheResultIsBeingSent) {
  form->SetSending(true);
  form->PlayerName() = "Ann";
  const bool send = form->Config.SendOnline;
  Move(static_cast<int>(box_->X) + 3, static_cast<int>(box_->Y) + 3);
  Click();
  Keys({'B', vk::Back, vk::Return, vk::Space});
  EXPECT_EQ(form->Config.SendOnline, send);
  EXPECT_EQ(form->PlayerName(), "Ann");
  EXPECT_EQ(form->State(), GameState::EnterName);
}

TEST_F(NameEntryPointer, EnterStoresTheRowAndShowsTheTable) {
  form->Player()->SetScore(5500);
  form->PlayerName() = "Ann";
  form->Config.SendOnline = false;
  Keys({'B', vk::Back, vk::Escape});
  EXPECT_EQ(form->State(), GameState::EnterName);  // Escape does nothing here
  Key(vk::Return, true);
  EXPECT_EQ(form->State(), GameState::EnterName);  // Alt+Enter only switches the mode
  Key(vk::Return);
  EXPECT_EQ(form->State(), GameState::HiScores);
  EXPECT_EQ(form->Menu().savedCursor, 3);
  EXPECT_EQ(form->Config.HighScores[5].Name, "Ann");
  EXPECT_EQ(form->Config.HighScores[5].Score, 5500U);
  EXPECT_FALSE(form->Menu().checkBox->Shown);
  EXPECT_TRUE(!form->Player() || form->Player()->IsDead());
  EXPECT_FALSE(form->Sending());
  EXPECT_EQ(form->PlayerName(), "Ann");  // kept for the next entry
  EXPECT_TRUE(std::filesystem::exists(ConfigPath()));
}

TEST_F(NameEntryPointer, AnUnreachableServerKeepsTheEntryOpen) {
  form->Player()->SetScore(5500);
  form->Config.SendOnline = true;
  Key(vk::Return);
  EXPECT_EQ(form->State(), GameState::EnterName);
  EXPECT_EQ(form->Config.HighScores[5].Score, 5000U);
  EXPECT_FALSE(form->Sending());
  ASSERT_FALSE(form->Loop().Messages().empty());
  EXPECT_EQ(form->Loop().Messages().back(), "Can't connect to server!");
}

}  // namespace
}  // namespace brinecast
