// The questions' answers by key and pointer, and their texts.
#include "app/screens/QuestionScreen.h"

#include "app/screens/ScreenHost.h"
#include "app/screens/ScreenSet.h"
#include "objects/Ask.h"
#include "objects/GameStates.h"
#include "objects/TextStyle.h"
#include "platform/VirtualKeys.h"

namespace brinecast {

QuestionScreen::QuestionScreen(ScreenHost& host, MenuState& menu, bool inGame)
    : Screen(host, menu),
      inGame_(inGame),
      state_(inGame ? GameState::ExitGameQuestion : GameState::ExitQuestion) {}

void QuestionScreen::Open() {
  menu_.cursor = kYes;
  // The panel places itself by the state, so the state comes first.
  ComeToFront(state_);
  host_.Ask() = new TAsk(&host_.SpriteRoot(), "Qtns");
}

void QuestionScreen::Sideways(bool right) {
  const uint8_t from = right ? kYes : kNo;
  if (menu_.cursor != from) return;
  host_.NavigationSound();
  menu_.cursor = right ? kNo : kYes;
}

// Y confirms the selected answer and N answers no; the key has counted as itself.
int QuestionScreen::AnswerKey(int key) const {
  if (key == 'Y') return vk::Return;
  if (key == 'N') return vk::Escape;
  return key;
}

// Over play, Escape resumes it and the key's work is done.
bool QuestionScreen::Escape() {
  AnswerNo();
  return inGame_;
}

void QuestionScreen::Enter() {
  AnswerSelected();
}

void QuestionScreen::Move(int x, int y) {
  PickItem(kLayout, x, y);
}

void QuestionScreen::Click() {
  AnswerSelected();
}

void QuestionScreen::AnswerSelected() {
  if (menu_.cursor == kNo) {
    AnswerNo();
  } else if (menu_.cursor == kYes && inGame_) {
    host_.GiveUpGame();
  } else if (menu_.cursor == kYes) {
    host_.SaveConfig();
    host_.Terminate();
  }
}

void QuestionScreen::AnswerNo() {
  host_.Ask().Kill();
  if (inGame_) {
    host_.SetState(GameState::Game);
    host_.ShowMouse(false);
    host_.ThawPlay();
  } else {
    host_.Screens().mainMenu.SelectFirst();
  }
}

void QuestionScreen::Draw(TCanvas& canvas) {
  SetFont(canvas, "Comic Sans MS", 25, true, kBlack);
  canvas.TextOut(300, 200, "EXIT GAME?");
  canvas.TextOut(kAnswersX, kAnswersY, "YES / NO");
  // The highlight repaints parts of "YES / NO" in place, so each part goes
  // where it falls in the whole line with the font we really have.
  const int slashX = kAnswersX + canvas.TextWidth("YES ");
  const int noX = kAnswersX + canvas.TextWidth("YES / ");
  if (menu_.cursor == kYes) {
    canvas.Font.Color = kGold;
    canvas.TextOut(kAnswersX, kAnswersY, "YES");
    canvas.Font.Color = kBlack;
    canvas.TextOut(slashX, kAnswersY, "/ NO");
  } else if (menu_.cursor == kNo) {
    canvas.Font.Color = kGold;
    canvas.TextOut(noX, kAnswersY, "NO");
    canvas.Font.Color = kBlack;
    canvas.TextOut(kAnswersX, kAnswersY, "YES / ");
  }
}

}  // namespace brinecast
