// The window's screens, each made with the menu state they share.
#include "app/screens/ScreenSet.h"

namespace brinecast {

ScreenSet::ScreenSet(TForm1& form)
    : mainMenu(form, menu),
      options(form, menu),
      hiScores(form, menu),
      help(form, menu),
      nameEntry(form, menu),
      exitQuestion(form, menu, false),
      exitGameQuestion(form, menu, true) {}

}  // namespace brinecast
