// Every screen of the window, made once with it.
#pragma once

#include "app/screens/HelpScreen.h"
#include "app/screens/HiScoresScreen.h"
#include "app/screens/MainMenuScreen.h"
#include "app/screens/MenuState.h"
#include "app/screens/NameEntryScreen.h"
#include "app/screens/OptionsScreen.h"
#include "app/screens/QuestionScreen.h"

namespace brinecast {

struct ScreenSet {
  explicit ScreenSet(ScreenHost& host);

  // First, so every screen can be made with it.
  MenuState menu;

  MainMenuScreen mainMenu;
  OptionsScreen options;
  HiScoresScreen hiScores;
  HelpScreen help;
  NameEntryScreen nameEntry;
  QuestionScreen exitQuestion;
  QuestionScreen exitGameQuestion;
};

}  // namespace brinecast
