// The menu screens: what each builder leaves on screen, and the way back.
#include <utility>

#include "UiForm.h"
#include "app/screens/MenuState.h"
#include "app/screens/ScreenSet.h"
#include "objects/FonB.h"
#include "objects/Hlp.h"

namespace brinecast {
namespace {

using MenuScreens = UiForm;

// Live sprites of a class, as the engine holds them.
int Live(const TForm1& form, const std::string& className) {
  int count = 0;
  for (const TSprite* sprite : form.DXSpriteEngine1().Engine().DrawOrder()) {
    count += !sprite->IsDead() && className == sprite->ClassName();
  }
  return count;
}

struct SubScreen {
  uint8_t item;
  GameState state;
  uint8_t cursor;
  int buttons;
};

TEST_F(MenuScreens, EachSubScreenTakesTheCursorAndGivesBackItsOpener) {
  for (const SubScreen& s :
       {SubScreen{2, GameState::Options, 5, 7}, SubScreen{3, GameState::HiScores, 3, 3},
        SubScreen{4, GameState::Help, 3, 3}}) {
    SCOPED_TRACE(StateName(s.state));
    while (form->Menu().cursor != s.item) Key(vk::Down);
    Key(vk::Return);
    EXPECT_EQ(form->State(), s.state);
    EXPECT_EQ(form->Menu().cursor, s.cursor);
    EXPECT_EQ(form->Menu().savedCursor, s.item);
    EXPECT_EQ(Live(*form, "TMenuB"), s.buttons);
    EXPECT_EQ(Live(*form, "TFonB"), 1);
    std::vector<bool> lit(s.buttons, false);
    lit.back() = true;
    EXPECT_EQ(Lit(s.buttons), lit);
    Key(vk::Escape);
    EXPECT_EQ(form->State(), GameState::Menu);
    EXPECT_EQ(form->Menu().cursor, s.item);
    EXPECT_EQ(Live(*form, "TMenuB"), 6);
    EXPECT_EQ(Live(*form, "TFonB"), 0);
    EXPECT_EQ(Live(*form, "THlp"), 0);
    std::vector<bool> menu(6, false);
    menu[s.item - 1] = true;
    EXPECT_EQ(Lit(6), menu);
  }
}

TEST_F(MenuScreens, TheMainMenuBuiltAgainReplacesItsButtons) {
  form->KeySum = 12;
  form->Menu().editingAddText = true;
  form->Menu().savedCursor = 4;
  form->Loop().Guard([&] { form->BuildMainMenu(); });
  EXPECT_EQ(Live(*form, "TMenuB"), 6);
  EXPECT_EQ(Lit(6), (std::vector<bool>{false, false, false, true, false, false}));
  EXPECT_EQ(form->KeySum, 0);
  EXPECT_FALSE(form->Menu().editingAddText);
}

TEST_F(MenuScreens, TheOptionsLeftForgetWhatThePointerWasOver) {
  Keys({vk::Down, vk::Return});
  MoveOnto(OptionsScreen::kLayout[OptionsScreen::kMusicOff]);
  ASSERT_TRUE(Over(OptionsScreen::kMusicOff));
  form->Loop().Guard([&] { form->BuildMainMenu(); });
  EXPECT_FALSE(Over(OptionsScreen::kMusicOff));
  // Opened again, a click away from every choice changes no option.
  Keys({vk::Return});
  ASSERT_TRUE(form->Config.MusicOn);
  Click();
  EXPECT_TRUE(form->Config.MusicOn);
}

TEST_F(MenuScreens, AMainMenuWithoutAValidSavedItemSelectsTheFirst) {
  for (const auto& [saved, selected] : {std::pair{0, 1}, std::pair{7, 1}, std::pair{6, 6}}) {
    form->Menu().savedCursor = static_cast<uint8_t>(saved);
    form->Loop().Guard([&] { form->BuildMainMenu(); });
    EXPECT_EQ(form->Menu().cursor, selected) << saved;
    std::vector<bool> lit(6, false);
    lit[selected - 1] = true;
    EXPECT_EQ(Lit(6), lit) << saved;
  }
}

TEST_F(MenuScreens, EscapeInEachState) {
  struct Case {
    GameState from;
    GameState to;
  };
  for (const Case& c :
       {Case{GameState::Menu, GameState::ExitQuestion},
        Case{GameState::ExitQuestion, GameState::Menu}, Case{GameState::Options, GameState::Menu},
        Case{GameState::HiScores, GameState::Menu}, Case{GameState::Help, GameState::Menu}}) {
    SCOPED_TRACE(StateName(c.from));
    const GameState from = c.from;
    if (from == GameState::ExitQuestion) Key(vk::Escape);
    if (from == GameState::Options) form->Loop().Guard([&] { form->BuildOptions(); });
    if (from == GameState::HiScores) form->Loop().Guard([&] { form->BuildHiScores(); });
    if (from == GameState::Help) form->Loop().Guard([&] { form->BuildHelp(); });
    ASSERT_EQ(form->State(), from);
    Key(vk::Escape);
    EXPECT_EQ(form->State(), c.to);
    EXPECT_EQ(Asking(), c.to == GameState::ExitQuestion);
    EXPECT_EQ(form->Menu().cursor, 1);
    if (c.to == GameState::ExitQuestion) Key(vk::Escape);
  }
}

TEST_F(MenuScreens, OnlyTheBackItemsClickWritesTheOptions) {
  const std::string stored = ConfigBytes();
  ASSERT_EQ(stored.size(), TConfig::kRecordSize);
  Keys({vk::Down, vk::Return, vk::Up, vk::Up, vk::Right});  // sound effects off
  ASSERT_FALSE(form->Config.SoundOn);
  Key(vk::Escape);
  EXPECT_EQ(ConfigBytes(), stored);
  Keys({vk::Return, vk::Return});  // Enter on the back item
  EXPECT_EQ(form->State(), GameState::Menu);
  EXPECT_EQ(ConfigBytes(), stored);
  Keys({vk::Return});
  MoveOnto(OptionsScreen::kLayout[OptionsScreen::kBackButton - 1]);
  Click();
  EXPECT_EQ(form->State(), GameState::Menu);
  EXPECT_NE(ConfigBytes(), stored);
}

TEST_F(MenuScreens, EachBuilderBringsItsScreenToTheFrontAndPlayHasNone) {
  ScreenSet& screens = form->Screens();
  struct Case {
    void (TForm1::*build)();
    GameState state;
    Screen* front;
  };
  const Case cases[] = {{&TForm1::BuildOptions, GameState::Options, &screens.options},
                        {&TForm1::BuildMainMenu, GameState::Menu, &screens.mainMenu},
                        {&TForm1::BuildHiScores, GameState::HiScores, &screens.hiScores},
                        {&TForm1::BuildHelp, GameState::Help, &screens.help},
                        {&TForm1::AskExit, GameState::ExitQuestion, &screens.exitQuestion},
                        {&TForm1::StartGame, GameState::Game, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(StateName(c.state));
    form->Loop().Guard([&] { (form.get()->*c.build)(); });
    EXPECT_EQ(form->State(), c.state);
    EXPECT_EQ(form->Front(), c.front);
  }
  Key(vk::Escape);
  EXPECT_EQ(form->Front(), &screens.exitGameQuestion);
  Key(vk::Escape);
  EXPECT_EQ(form->Front(), nullptr);
}

TEST_F(MenuScreens, EscapeLeavesPlayThroughTheQuestionAndBack) {
  form->Loop().Guard([&] { form->StartGame(); });
  Key(vk::Escape);
  EXPECT_EQ(form->State(), GameState::ExitGameQuestion);
  EXPECT_TRUE(Asking());
  EXPECT_EQ(form->Menu().cursor, 1);
  Key(vk::Escape);
  EXPECT_EQ(form->State(), GameState::Game);
  EXPECT_FALSE(Asking());
  EXPECT_FALSE(form->Paused());
  EXPECT_TRUE(form->LevelClock().Enabled());
  EXPECT_FALSE(form->Freeze().Enabled());
  EXPECT_FALSE(platform.CursorShown());
  for (const GameState state : {GameState::GameOver, GameState::EnterName}) {
    form->SetState(state);
    Key(vk::Escape);
    EXPECT_EQ(form->State(), state);
  }
}

TEST_F(MenuScreens, ClearResetsTheTableInMemoryOnly) {
  form->Config.HighScores[0] = {"Zed", 99999};
  form->Loop().Guard([&] { form->SaveConfig(); });
  const std::string saved = ConfigBytes();
  Keys({vk::Down, vk::Down, vk::Return, vk::Up, vk::Return});
  ASSERT_EQ(form->State(), GameState::HiScores);
  EXPECT_EQ(form->Config.HighScores[0].Name, "Anonymous");
  EXPECT_EQ(form->Config.HighScores[0].Score, 10000U);
  EXPECT_EQ(form->Config.HighScores[9].Score, 1000U);
  EXPECT_EQ(ConfigBytes(), saved);
}

TEST_F(MenuScreens, WorldAndVisitOpenTheirPages) {
  Keys({vk::Down, vk::Down, vk::Down, vk::Down, vk::Return});
  EXPECT_EQ(form->State(), GameState::Menu);
  ASSERT_EQ(platform.OpenedUrls().size(), 1U);
  Keys({vk::Up, vk::Up, vk::Return, vk::Up, vk::Right, vk::Return});
  EXPECT_EQ(form->State(), GameState::HiScores);
  EXPECT_EQ(platform.OpenedUrls().size(), 2U);
  EXPECT_NE(platform.OpenedUrls()[0], platform.OpenedUrls()[1]);
  EXPECT_TRUE(form->Loop().Messages().empty()) << "a browser opened, yet a box was shown";
}

TEST_F(MenuScreens, APageNoBrowserCanOpenIsShownAsItsAddress) {
  platform.SetOpenUrlWorks(false);
  Keys({vk::Down, vk::Down, vk::Down, vk::Down, vk::Return});
  Keys({vk::Up, vk::Up, vk::Return, vk::Up, vk::Right, vk::Return});
  ASSERT_EQ(platform.OpenedUrls().size(), 2U);
  ASSERT_EQ(form->Loop().Messages().size(), 2U);
  for (size_t i = 0; i < 2; ++i) {
    const std::string& text = form->Loop().Messages()[i];
    EXPECT_NE(text.find("No web browser could be opened"), std::string::npos) << text;
    EXPECT_NE(text.find(platform.OpenedUrls()[i]), std::string::npos) << text;
  }
  // The player read the box and goes on where they were.
  EXPECT_EQ(form->State(), GameState::HiScores);
}

}  // namespace
}  // namespace brinecast
