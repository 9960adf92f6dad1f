// The key-release handler's fixed order of steps, where a script would be clumsy.
#include <cstdint>

#include "UiForm.h"
#include "app/screens/MenuState.h"

namespace brinecast {
namespace {

using KeyboardSteps = UiForm;

TEST_F(KeyboardSteps, NoKeyCountsWhileTheLevelBonusIsCounted) {
  form->BonusCount().SetEnabled(true);
  for (int key : {vk::Down, vk::Escape, vk::Return, int{'B'}, vk::Back}) Key(key);
  Key(vk::Return, true);
  EXPECT_EQ(form->KeySum, 0);
  EXPECT_EQ(form->Menu().cursor, 1);
  EXPECT_EQ(form->State(), GameState::Menu);
  EXPECT_EQ(Plays("Poimal"), 0);
  EXPECT_FALSE(form->Config.Windowed);
}

TEST_F(KeyboardSteps, TheCreditSumWrapsRoundInsteadOfOverflowing) {
  form->KeySum = INT32_MAX - 10;
  Key('B');
  EXPECT_EQ(form->KeySum, INT32_MIN + 'B' - 11);
}

TEST_F(KeyboardSteps, AnyKeyOnlyEndsTheGameOverDisplay) {
  struct Case {
    int key;
    bool alt;
  };
  for (const Case& c : {Case{vk::Return, true}, Case{'P', false}, Case{vk::Escape, false},
                        Case{vk::F1, false}, Case{'A', false}}) {
    SCOPED_TRACE(c.key);
    form->Loop().Guard([&] { form->StartGame(); });
    ASSERT_EQ(form->State(), GameState::Game);
    // Time ran out: the second half of the game-over display, with its panel.
    form->SetGameOverFlag(true);
    form->SetPaused(true);
    form->LevelClock().SetEnabled(false);
    form->Freeze().SetEnabled(true);
    form->GameOverStep().SetEnabled(true);
    form->SetState(GameState::GameOver2);
    form->Ask() = new TAsk(&form->DXSpriteEngine1().Engine(), "Qtns");
    const bool windowed = form->Config.Windowed;
    const int32_t keySum = form->KeySum;
    Key(c.key, c.alt);
    EXPECT_FALSE(form->GameOverStep().Enabled());
    EXPECT_FALSE(Asking());
    EXPECT_EQ(form->State(), GameState::Menu);  // the default table's row 10 is not beaten
    EXPECT_EQ(form->Config.Windowed, windowed);
    EXPECT_TRUE(form->Paused());  // P did not unpause
    EXPECT_EQ(form->KeySum, keySum);
  }
}

struct AnswerCase {
  const char* name;
  GameState state;
  uint8_t cursor;
  int key;
  GameState stateAfter;
  bool ended;
  bool menuBuilt;  // the main menu built anew starts the sum again
};

class QuestionKeys : public UiForm, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(QuestionKeys, YConfirmsTheSelectedAnswerAndNAnswersNo) {
  const AnswerCase& c = GetParam();
  if (c.state == GameState::ExitGameQuestion) {
    form->Loop().Guard([&] { form->StartGame(); });
    Key(vk::Escape);
    ASSERT_EQ(form->State(), GameState::ExitGameQuestion);
  } else {
    Key(vk::Escape);
    ASSERT_EQ(form->State(), GameState::ExitQuestion);
  }
  form->Menu().cursor = c.cursor;
  const int32_t keySum = form->KeySum;
  Key(c.key);
  EXPECT_EQ(form->State(), c.stateAfter);
  EXPECT_EQ(form->Terminated(), c.ended);
  // The key counts as itself, before it is read as an answer.
  EXPECT_EQ(form->KeySum, c.menuBuilt ? 0 : keySum + c.key);
  if (!c.ended) {
    EXPECT_FALSE(Asking());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, QuestionKeys,
    ::testing::Values(AnswerCase{"ExitYesSelectedY", GameState::ExitQuestion, 1, 'Y',
                                 GameState::ExitQuestion, true, false},
                      AnswerCase{"ExitNoSelectedY", GameState::ExitQuestion, 2, 'Y',
                                 GameState::Menu, false, false},
                      AnswerCase{"ExitYesSelectedN", GameState::ExitQuestion, 1, 'N',
                                 GameState::Menu, false, false},
                      AnswerCase{"ExitGameNoSelectedY", GameState::ExitGameQuestion, 2, 'Y',
                                 GameState::Game, false, false},
                      AnswerCase{"ExitGameYesSelectedN", GameState::ExitGameQuestion, 1, 'N',
                                 GameState::Game, false, false},
                      AnswerCase{"ExitGameYesSelectedY", GameState::ExitGameQuestion, 1, 'Y',
                                 GameState::Menu, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeyboardSteps, YAndNAreOrdinaryKeysOutsideTheQuestions) {
  Keys({'N', 'Y'});
  EXPECT_EQ(form->State(), GameState::Menu);
  EXPECT_FALSE(Asking());
  EXPECT_EQ(form->KeySum, 'N' + 'Y');
  // In the options' text field they are typed.
  Keys({vk::Down, vk::Return});
  ASSERT_EQ(form->State(), GameState::Options);
  Keys({vk::Up, vk::Return, 'Y', 'N'});
  EXPECT_TRUE(form->Menu().editingAddText);
  EXPECT_EQ(form->Config.AddText, "Yn");
  EXPECT_EQ(form->State(), GameState::Options);
}

TEST_F(KeyboardSteps, SpaceActsAsEnter) {
  Keys({vk::Down, vk::Space});
  EXPECT_EQ(form->State(), GameState::Options);
  Keys({vk::Up, vk::Space});  // row 4, the text field
  EXPECT_TRUE(form->Menu().editingAddText);
  Key(vk::Space);
  EXPECT_FALSE(form->Menu().editingAddText);
  Keys({vk::Down, vk::Space});  // row 5, back
  EXPECT_EQ(form->State(), GameState::Menu);
  EXPECT_EQ(form->Menu().cursor, 2);
  Keys({vk::Escape, vk::Right, vk::Space});
  EXPECT_EQ(form->State(), GameState::Menu);
  Keys({vk::Escape, vk::Space});
  EXPECT_TRUE(form->Terminated());
}

TEST_F(KeyboardSteps, AltEnterSwitchesTheWindowModeAndActivatesNothing) {
  Key(vk::Down);
  ASSERT_EQ(form->Menu().cursor, 2);
  const bool windowed = form->Config.Windowed;
  Key(vk::Return, true);
  EXPECT_EQ(form->Config.Windowed, !windowed);
  EXPECT_EQ(platform.IsFullScreen(), windowed);
  EXPECT_EQ(form->State(), GameState::Menu);
  Key(vk::Space, true);
  EXPECT_EQ(form->State(), GameState::Menu);
  EXPECT_EQ(form->Config.Windowed, !windowed);
  Key(vk::Return, true);
  EXPECT_EQ(form->Config.Windowed, windowed);
}

TEST_F(KeyboardSteps, AltEnterOnTheQuestionSwitchesModeWithoutAnswering) {
  Key(vk::Escape);
  const bool windowed = form->Config.Windowed;
  Key('Y', true);  // Y becomes Enter, but Alt is held
  EXPECT_EQ(form->State(), GameState::ExitQuestion);
  EXPECT_FALSE(form->Terminated());
  EXPECT_EQ(form->Config.Windowed, !windowed);
}

TEST_F(KeyboardSteps, PPausesOnlyInPlay) {
  Key('P');
  EXPECT_FALSE(form->Paused());
  form->Loop().Guard([&] { form->StartGame(); });
  form->Freeze().SetEnabled(false);
  form->LevelClock().SetEnabled(true);
  Key('P');
  EXPECT_TRUE(form->Paused());
  EXPECT_TRUE(form->Freeze().Enabled());
  EXPECT_FALSE(form->LevelClock().Enabled());
  Key('P');
  EXPECT_FALSE(form->Paused());
  EXPECT_FALSE(form->Freeze().Enabled());
  EXPECT_TRUE(form->LevelClock().Enabled());
}

TEST_F(KeyboardSteps, LeftAndRightChooseOnTheOptionRowsThroughTheClick) {
  Keys({vk::Down, vk::Return});
  Keys({vk::Down, vk::Down, vk::Down});  // 5 -> 1 -> 2 -> 3: sound effects
  ASSERT_EQ(form->Menu().cursor, 3);
  ASSERT_TRUE(form->Config.SoundOn);
  Key(vk::Right);
  EXPECT_FALSE(form->Config.SoundOn);
  EXPECT_TRUE(Over(OptionsScreen::kSoundOff));
  // The click reset the sum; the key was counted after it.
  EXPECT_EQ(form->KeySum, vk::Right);
  Key(vk::Left);
  EXPECT_TRUE(form->Config.SoundOn);
  EXPECT_TRUE(Over(OptionsScreen::kSoundOn));
  EXPECT_FALSE(Over(OptionsScreen::kSoundOff));
  // Row 4 is not chosen sideways, and the click would have ended the editing.
  Keys({vk::Down, vk::Return});
  ASSERT_TRUE(form->Menu().editingAddText);
  Key(vk::Left);
  EXPECT_TRUE(form->Menu().editingAddText);
  EXPECT_FALSE(Over(OptionsScreen::kSoundOn));
}

TEST_F(KeyboardSteps, TypingGoesToTheTextFieldAfterTheCursorMovedAway) {
  Keys({vk::Down, vk::Return, vk::Up, vk::Return});
  ASSERT_TRUE(form->Menu().editingAddText);
  Keys({vk::Up, 'A', 'B', vk::Numpad0, '1', vk::Back});
  EXPECT_EQ(form->Menu().cursor, 3);
  EXPECT_EQ(form->Config.AddText, "Ab");
  Keys({vk::Escape});
  EXPECT_FALSE(form->Menu().editingAddText);
  Key('C');
  EXPECT_EQ(form->Config.AddText, "Ab");
}

TEST_F(KeyboardSteps, UpAndDownWrapOnTheMainMenu) {
  Key(vk::Up);
  EXPECT_EQ(form->Menu().cursor, 6);
  EXPECT_EQ(Lit(6), (std::vector<bool>{false, false, false, false, false, true}));
  Key(vk::Down);
  EXPECT_EQ(form->Menu().cursor, 1);
  EXPECT_EQ(Lit(6), (std::vector<bool>{true, false, false, false, false, false}));
  EXPECT_EQ(Plays("Poimal"), 2);
}

TEST_F(KeyboardSteps, HighScoreScreenMovesOnlyBetweenItsFirstTwoItemsSideways) {
  Keys({vk::Down, vk::Down, vk::Return});
  ASSERT_EQ(form->State(), GameState::HiScores);
  EXPECT_EQ(Lit(3), (std::vector<bool>{false, false, true}));
  Keys({vk::Left, vk::Right, vk::Down});  // nothing moves from item 3 but Up
  EXPECT_EQ(form->Menu().cursor, 3);
  Key(vk::Up);
  EXPECT_EQ(form->Menu().cursor, 1);
  EXPECT_EQ(Lit(3), (std::vector<bool>{true, false, false}));
  Keys({vk::Left, vk::Up});
  EXPECT_EQ(form->Menu().cursor, 1);
  Key(vk::Right);
  EXPECT_EQ(form->Menu().cursor, 2);
  EXPECT_EQ(Lit(3), (std::vector<bool>{false, true, false}));
  Key(vk::Down);
  EXPECT_EQ(form->Menu().cursor, 3);
  EXPECT_EQ(Lit(3), (std::vector<bool>{false, false, true}));
}

}  // namespace
}  // namespace brinecast
