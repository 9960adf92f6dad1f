// The window's screens and the state each one is in front in.
#include "app/screens/ScreenSet.h"

#include "objects/GameStates.h"

namespace brinecast {

ScreenSet::ScreenSet(TForm1& form)
    : mainMenu(form, menu),
      options(form, menu),
      hiScores(form, menu),
      help(form, menu),
      nameEntry(form, menu),
      exitQuestion(form, menu, false),
      exitGameQuestion(form, menu, true) {}

Screen* ScreenSet::InFront(std::string_view state) {
  if (state == states::kMenu) return &mainMenu;
  if (state == states::kOptions) return &options;
  if (state == states::kHiScores) return &hiScores;
  if (state == states::kHelp) return &help;
  if (state == states::kEnterName) return &nameEntry;
  if (state == states::kExitQuestion) return &exitQuestion;
  if (state == states::kExitGameQuestion) return &exitGameQuestion;
  return nullptr;
}

}  // namespace brinecast
